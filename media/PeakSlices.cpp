#include "media/PeakSlices.h"

#include <algorithm>
#include <cmath>

namespace vistrel::media {

namespace {

// Four megabytes of runs: a piece up to about 23 minutes at 44.1 kHz keeps runs of at
// most 32 frames.
constexpr std::size_t MostRuns = std::size_t{1} << 20;

std::int64_t sliceStart(int slice, int slices, std::int64_t frames) {
    return static_cast<std::int64_t>(slice) * frames / slices;
}

std::int32_t millionths(float peak) {
    const double value = std::clamp(static_cast<double>(peak), 0.0, 1.0);
    return static_cast<std::int32_t>(std::floor(value * 1e6 + 0.5));
}

}  // namespace

PeakSlices::PeakSlices(int slices, std::int64_t expectedFrames)
    : slices_(std::max(slices, 1)), expected_(expectedFrames >= slices_ ? expectedFrames : 0) {
    if (expected_ > 0) {
        expectedPeaks_.assign(static_cast<std::size_t>(slices_), 0.0f);
        sliceEnd_ = sliceStart(1, slices_, expected_);
    }
    runs_.reserve(MostRuns);
}

void PeakSlices::add(const float* framePeaks, std::int64_t count) {
    for (std::int64_t i = 0; i < count; ++i) {
        const float peak = framePeaks[i];
        if (frames_ < expected_) {
            while (frames_ >= sliceEnd_) sliceEnd_ = sliceStart(++slice_ + 1, slices_, expected_);
            float& slicePeak = expectedPeaks_[static_cast<std::size_t>(slice_)];
            slicePeak = std::max(slicePeak, peak);
        }
        addToRuns(peak);
        ++frames_;
    }
}

void PeakSlices::addToRuns(float peak) {
    if (inRun_ == 0) {
        if (runs_.size() == MostRuns) {
            // Twice as long runs from now on: each pair becomes one.
            for (std::size_t i = 0; i < MostRuns / 2; ++i) runs_[i] = std::max(runs_[2 * i], runs_[2 * i + 1]);
            runs_.resize(MostRuns / 2);
            runLength_ *= 2;
        }
        runs_.push_back(peak);
    } else {
        runs_.back() = std::max(runs_.back(), peak);
    }
    if (++inRun_ == runLength_) inRun_ = 0;
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
            peak = std::max(peak, runs_[static_cast<std::size_t>(run)]);
        result[static_cast<std::size_t>(slice)] = millionths(peak);
    }
    return result;
}

}  // namespace vistrel::media
