#include "media/PeakSlices.h"

#include <algorithm>
#include <cmath>

namespace vistrel::media {

namespace {

// Four megabytes of runs: a piece up to about 23 minutes at 44.1 kHz keeps runs of at
// most 32 frames.
constexpr std::size_t MostRuns = std::size_t{1} << 20;
// A stated length beyond this (eight centuries at 44.1 kHz) is a damaged or hostile
// header; it is not believed, and slice edges stay far from overflowing.
constexpr std::int64_t MostStatedFrames = std::int64_t{1} << 40;

std::int64_t sliceStart(int slice, int slices, std::int64_t frames) {
    return static_cast<std::int64_t>(slice) * frames / slices;
}

std::int32_t millionths(float peak) {
    if (!(peak < 1.0f)) return 1'000'000;  // full scale and beyond, and a NaN
    if (!(peak > 0.0f)) return 0;
    return static_cast<std::int32_t>(std::floor(static_cast<double>(peak) * 1e6 + 0.5));
}

// The loudest of `count` levels.
float loudest(const float* values, std::int64_t count) {
    std::int32_t peak = 0;
    for (std::int64_t i = 0; i < count; ++i) peak = std::max(peak, levelBits(values[i]));
    return levelOfBits(peak);
}

}  // namespace

PeakSlices::PeakSlices(int slices, std::int64_t expectedFrames)
    : slices_(std::max(slices, 1)),
      expected_(expectedFrames >= slices_ && expectedFrames <= MostStatedFrames ? expectedFrames : 0) {
    if (expected_ > 0) {
        expectedPeaks_.assign(static_cast<std::size_t>(slices_), 0.0f);
        sliceEnd_ = sliceStart(1, slices_, expected_);
    }
    runs_.reserve(MostRuns);
}

void PeakSlices::add(const float* framePeaks, std::int64_t count) {
    // The slices by the stated length: each stretch up to the next slice's start at once.
    std::int64_t at = 0;
    for (std::int64_t frame = frames_; at < count && frame < expected_;) {
        while (frame >= sliceEnd_) sliceEnd_ = sliceStart(++slice_ + 1, slices_, expected_);
        const std::int64_t stretch = std::min(count - at, sliceEnd_ - frame);
        float& slicePeak = expectedPeaks_[static_cast<std::size_t>(slice_)];
        slicePeak = louder(slicePeak, loudest(framePeaks + at, stretch));
        at += stretch;
        frame += stretch;
    }
    // The runs, likewise up to the end of each run; single frames as they are.
    for (at = 0; at < count;) {
        if (runLength_ == 1 && runs_.size() < MostRuns) {
            const std::int64_t room = static_cast<std::int64_t>(MostRuns - runs_.size());
            const std::int64_t stretch = std::min(count - at, room);
            runs_.insert(runs_.end(), framePeaks + at, framePeaks + at + stretch);
            at += stretch;
            continue;
        }
        if (inRun_ == 0) startRun();
        const std::int64_t stretch = std::min(count - at, runLength_ - inRun_);
        runs_.back() = louder(runs_.back(), loudest(framePeaks + at, stretch));
        inRun_ = inRun_ + stretch == runLength_ ? 0 : inRun_ + stretch;
        at += stretch;
    }
    frames_ += count;
}

void PeakSlices::startRun() {
    if (runs_.size() == MostRuns) {
        // Twice as long runs from now on: each pair becomes one.
        for (std::size_t i = 0; i < MostRuns / 2; ++i) runs_[i] = louder(runs_[2 * i], runs_[2 * i + 1]);
        runs_.resize(MostRuns / 2);
        runLength_ *= 2;
    }
    runs_.push_back(0.0f);
}

std::vector<std::int32_t> PeakSlices::peaks() const {
    std::vector<std::int32_t> result(static_cast<std::size_t>(slices_), 0);
    if (frames_ == 0) return result;
    if (expected_ > 0 && frames_ == expected_) {
        std::transform(expectedPeaks_.begin(), expectedPeaks_.end(), result.begin(), millionths);
        return result;
    }
    for (int slice = 0; slice < slices_; ++slice) {
        const std::int64_t first = sliceStart(slice, slices_, frames_);
        const std::int64_t last = std::max(first, sliceStart(slice + 1, slices_, frames_) - 1);
        float peak = 0.0f;
        for (std::int64_t run = first / runLength_; run <= last / runLength_; ++run)
            peak = louder(peak, runs_[static_cast<std::size_t>(run)]);
        result[static_cast<std::size_t>(slice)] = millionths(peak);
    }
    return result;
}

}  // namespace vistrel::media
