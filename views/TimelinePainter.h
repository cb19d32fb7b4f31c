#pragma once
// How the timeline pane looks: the ruler along the top, a block per line below it (the
// effect drawn as what it does: a ramp for a dissolve, a dip for a fade out and in, one
// dip per flash), the pause marks in their gaps, the music's waveform under the blocks
// and where the music ends. Everything at the scale and scroll position it is given.
#include <QPainter>
#include <QRect>

#include "views/TimelineGeometry.h"

namespace vistrel {

class TimelineWaveform;

namespace timelinelook {
constexpr int RulerHeight = 18;
constexpr int BlockTop = 20;
constexpr int BlockHeight = 56;
constexpr int WaveTop = BlockTop + BlockHeight + 4;
constexpr int WaveHeight = 44;
constexpr int PaneHeight = WaveTop + WaveHeight + 4;
}  // namespace timelinelook

struct TimelineFrame {
    const timelinegeometry::Layout& layout;
    double pixelsPerSecond;
    int scrollX;   // the content's x at the pane's left edge
    QRect visible; // in the pane's coordinates
};

void paintRuler(QPainter& painter, const TimelineFrame& frame, std::int64_t untilTenths);
void paintBlock(QPainter& painter, const TimelineFrame& frame, const timelinegeometry::Block& block, bool selected);
void paintWaveform(QPainter& painter, const TimelineFrame& frame, const TimelineWaveform& waveform);
// The label beside an edge being dragged.
void paintDragLabel(QPainter& painter, const TimelineFrame& frame, int x, const QString& text);

}  // namespace vistrel
