#pragma once
// Where the timeline pane draws what, without a widget: every line a block as wide as its
// effect plus timer at a scale in pixels per second, pause lines followed by a small fixed
// gap (the music stands there, so the waveform is split at the same place), the ruler's
// ticks, what lies under the mouse and the timer a drag of a block's right edge comes to.
//
// The run from line 1 gives the blocks their places. Where it stops early (an autoreverse
// line, an end record) the lines after it still get blocks, greyed, laid out as runs of
// their own behind it: they are part of the show, but no run from line 1 reaches them.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <QString>

#include "model/ProgramLine.h"

namespace vistrel::timelinegeometry {

// The gap after a pause line, and how near a block's right edge the mouse must be to take it.
constexpr int PauseGap = 12;
constexpr int EdgeGrip = 4;
// The scale's limits: a 999-line show of long timers still fits, a dissolve still shows.
constexpr double MinPixelsPerSecond = 0.05;
constexpr double MaxPixelsPerSecond = 400.0;

struct Block {
    int lineIndex = 0;          // 0-based line of the show
    int slide = 0;
    std::int64_t startTenths = 0;   // music time in its run
    std::int64_t effectTenths = 0;
    std::int64_t timerTenths = 0;
    int specialFunction = 0;
    bool pause = false;
    bool autoreverse = false;
    bool greyed = false;        // not reached by a run from line 1
    int x = 0;                  // left edge
    int effectWidth = 0;        // the effect part, from x
    int width = 0;              // effect and timer
    int right() const { return x + width; }
    // A pause line with timer 0 has no timer to drag.
    bool timerDraggable() const { return timerTenths > 0; }
};

struct Layout {
    std::vector<Block> blocks;
    int width = 0;                        // up to the end of the last block and its gap
    std::int64_t reachedTenths = 0;       // music time of the run from line 1
};

Layout layoutBlocks(std::span<const ProgramLine> lines, double pixelsPerSecond);

// The x at music time `tenths` of the run from line 1 (the gaps after pause lines laid in).
int xAtTenths(const Layout& layout, std::int64_t tenths, double pixelsPerSecond);

struct Tick {
    int x = 0;
    QString label;  // "m:ss"
};
// Ruler ticks from 0 to `tenths`, spaced so that labels stand at least `minSpacing` apart.
std::vector<Tick> rulerTicks(const Layout& layout, std::int64_t tenths, double pixelsPerSecond, int minSpacing);
// "m:ss" of whole seconds.
QString minutesSeconds(std::int64_t seconds);

struct Hit {
    int block = -1;          // index into Layout::blocks
    bool rightEdge = false;  // within EdgeGrip of a draggable block's right edge
};
Hit hitAt(const Layout& layout, int x);

// The timer a drag of `block`'s right edge to `x` sets, in tenths: 0.1 s steps, never
// below 0.1 s nor above 600.0 s.
int draggedTimer(const Block& block, int x, double pixelsPerSecond);

// The scale at which the whole show fits `viewWidth` ("Ganze Schau").
double fitScale(std::span<const ProgramLine> lines, int viewWidth);

// One zoom step in or out (Ctrl+wheel, Ctrl+plus/minus), within the limits.
double zoomed(double pixelsPerSecond, int steps);

}  // namespace vistrel::timelinegeometry
