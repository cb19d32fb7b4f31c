#pragma once
// The sound track of a video: the show's music from its start, made exactly as long as
// it plays in the video (the video's length without the holds at pause lines, where the
// music stands). Music that goes on past the end is cut there and faded out over the
// last two seconds, so the video does not end mid-note; music that ends earlier is
// followed by silence. Samples are in the format of VideoSettings.h.
#include <cstdint>
#include <vector>

namespace vistrel::media {

// Where the music comes from: sample frames in order, interleaved stereo at 48 kHz.
class PcmSource {
public:
    virtual ~PcmSource() = default;
    // Fills up to `frames` sample frames; fewer only at the end (0: nothing more).
    virtual int read(float* samples, int frames) = 0;
};

class Soundtrack {
public:
    static constexpr std::int64_t FadeOutFrames = 2 * 48000;

    // `videoFrames`: how long the music plays, in sample frames. `music` may be null: silence.
    Soundtrack(PcmSource* music, std::int64_t videoFrames);

    // The next `frames` sample frames (fewer only at the video's end).
    std::vector<float> next(int frames);

    // Sample frames of sound for video frames [0, k) at `fps`: the sound of frame k is
    // soundFramesBefore(k + 1) - soundFramesBefore(k), so that rounding never adds up.
    static std::int64_t soundFramesBefore(std::int64_t videoFrame, int fps);

private:
    void fill(std::int64_t wantedEnd);
    bool musicGoesOnPastTheEnd();

    PcmSource* music_;
    std::int64_t videoFrames_;
    std::int64_t position_ = 0;
    std::vector<float> buffered_;       // decoded music from `position_` on
    bool musicEnded_ = false;
    int fadeDecision_ = -1;             // -1 not yet known, 0 no fade, 1 fade out
};

}  // namespace vistrel::media
