#pragma once
// The frames of a show's run: frame k is what the screen shows k / fps seconds into
// the run, each pause line held for a set time and then continued as if "weiter" had
// been pressed. The projection says what is on the screen; the drawer puts it into
// the frame, as the rehearsal window does on its screen.
#include <QImage>
#include <QSize>
#include <cstdint>
#include <functional>

#include "model/Projection.h"
#include "model/ShowTimeline.h"
#include "video/FrameSource.h"

namespace vistrel::video {

// Draws a projection as a frame of the given size (QImage::Format_RGB32 or an opaque
// ARGB32 format). Each call gives a new image: the encoder may still hold the last one.
using ProjectionDrawer = std::function<QImage(QSize, const Projection&)>;

class ShowFrames : public FrameSource {
public:
    // The run of `timeline` up to `endMs` (its whole length when it is longer).
    ShowFrames(ShowTimeline timeline, std::int64_t pauseHoldMs, std::int64_t endMs, int fps, QSize size,
               ProjectionDrawer drawer);

    std::int64_t frameCount() const override { return frameCount_; }
    int lineCount() const override { return lineCount_; }
    int lineOf(std::int64_t frame) const override;
    bool sameAsBefore(std::int64_t frame) const override;
    QImage draw(std::int64_t frame) override;
    bool musicStands(std::int64_t frame) const override;

    // The moment frame `k` shows, in milliseconds from the start of the run.
    std::int64_t frameMs(std::int64_t frame) const { return frame * 1000 / fps_; }

private:
    ShowTimeline timeline_;
    std::int64_t pauseHoldMs_;
    int fps_;
    QSize size_;
    ProjectionDrawer drawer_;
    std::int64_t frameCount_ = 0;
    int lineCount_ = 0;
};

// The length of the run of `timeline` that ends with its entry `lastEntry` (the whole
// run for the last entry or beyond), with each pause held for `pauseHoldMs`.
std::int64_t runLengthThrough(const ShowTimeline& timeline, int lastEntry, std::int64_t pauseHoldMs);

// The moment at which the run of `timeline` reaches its entry `entry`.
std::int64_t runStartOf(const ShowTimeline& timeline, int entry, std::int64_t pauseHoldMs);

}  // namespace vistrel::video
