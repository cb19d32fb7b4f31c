#include "video/ShowFrames.h"

#include <algorithm>

namespace vistrel::video {

std::int64_t runStartOf(const ShowTimeline& timeline, int entry, std::int64_t pauseHoldMs) {
    const int count = static_cast<int>(timeline.lines().size());
    if (entry <= 0 || count == 0) return 0;
    if (entry >= count) return timeline.durationMs(pauseHoldMs);
    // The first moment at which the run has reached `entry`: positions only move forward.
    std::int64_t low = 0;
    std::int64_t high = timeline.durationMs(pauseHoldMs);
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (timeline.positionAt(middle, pauseHoldMs).entry >= entry)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

std::int64_t runLengthThrough(const ShowTimeline& timeline, int lastEntry, std::int64_t pauseHoldMs) {
    return runStartOf(timeline, lastEntry + 1, pauseHoldMs);
}

ShowFrames::ShowFrames(ShowTimeline timeline, std::int64_t pauseHoldMs, std::int64_t endMs, int fps, QSize size,
                       ProjectionDrawer drawer)
    : timeline_(std::move(timeline)),
      pauseHoldMs_(std::max<std::int64_t>(pauseHoldMs, 0)),
      fps_(std::max(fps, 1)),
      size_(size),
      drawer_(std::move(drawer)) {
    const std::int64_t length = std::clamp<std::int64_t>(endMs, 0, timeline_.durationMs(pauseHoldMs_));
    // The frame count nearest to the run's length; at least one frame, so that even a
    // run of nothing but zero times shows its picture.
    frameCount_ = std::max<std::int64_t>(1, (length * fps_ + 500) / 1000);
    lineCount_ = std::max(1, lineOf(frameCount_ - 1));
}

int ShowFrames::lineOf(std::int64_t frame) const {
    return std::max(0, timeline_.positionAt(frameMs(frame), pauseHoldMs_).entry) + 1;
}

bool ShowFrames::sameAsBefore(std::int64_t frame) const {
    if (frame <= 0) return false;
    return looksAlike(timeline_.projectionAt(frameMs(frame - 1), pauseHoldMs_),
                      timeline_.projectionAt(frameMs(frame), pauseHoldMs_));
}

bool ShowFrames::musicStands(std::int64_t frame) const {
    return timeline_.positionAt(frameMs(frame), pauseHoldMs_).atPause;
}

QImage ShowFrames::draw(std::int64_t frame) { return drawer_(size_, timeline_.projectionAt(frameMs(frame), pauseHoldMs_)); }

}  // namespace vistrel::video
