#pragma once
// The loudest sample of each of N equal slices of a piece of music, collected while it
// is decoded: frame by frame, each frame given as its loudest channel (0 to 1). The
// slices are those of the frames actually decoded, which a container's stated length
// only predicts: the slices by that prediction are kept exactly, and beside them the
// peaks of short runs of frames (one frame each for the first million frames, then
// pairs merged as the piece goes on), from which the slices are made when the
// prediction was wrong.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vistrel::media {

// The louder of two levels (floats of 0 and up, a NaN counting as loudest), compared as
// the integers of their bit patterns, which order them alike: the compiler puts an
// integer maximum into vector instructions, which it may not do for a float one.
inline std::int32_t levelBits(float level) {
    std::int32_t bits = 0;
    std::memcpy(&bits, &level, sizeof level);
    return bits;
}
inline float levelOfBits(std::int32_t bits) {
    float level = 0.0f;
    std::memcpy(&level, &bits, sizeof level);
    return level;
}
inline float louder(float a, float b) { return levelOfBits(std::max(levelBits(a), levelBits(b))); }

class PeakSlices {
public:
    // `expectedFrames` as the container states it; 0 when it does not know.
    PeakSlices(int slices, std::int64_t expectedFrames);

    void add(const float* framePeaks, std::int64_t count);

    std::int64_t frames() const { return frames_; }
    // The N slice peaks, in millionths of full scale (0 .. 1'000'000). With fewer frames
    // than slices, a slice between two frames shows the frame it starts at.
    std::vector<std::int32_t> peaks() const;

private:
    void startRun();

    int slices_;
    std::int64_t expected_;
    std::int64_t frames_ = 0;
    // Slices by the stated length.
    std::vector<float> expectedPeaks_;
    int slice_ = 0;
    std::int64_t sliceEnd_ = 0;
    // Runs of `runLength_` frames each.
    std::vector<float> runs_;
    std::int64_t runLength_ = 1;
    std::int64_t inRun_ = 0;
};

}  // namespace vistrel::media
