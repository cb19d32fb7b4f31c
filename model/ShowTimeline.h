#pragma once
// The lines a run from a given line visits, with their times, as the projector runs
// them: from the start line on up to the end of the show, an end record (a line with
// slide 0 and nothing else set), or the first autoreverse line. All times come from
// the line timing; the waits at pause lines are not part of the times and are laid in
// only where a caller maps a moment to a line (`positionAt`, with a hold per pause).
//
// A line with slide number 0 that still has a dissolve or a timer is a dark line the
// projector runs with its full times, unlike the show length, which counts such a line
// with its dissolve only. Line 1 carrying autoreverse runs as a plain line, since the
// tray is already there.
#include <cstdint>
#include <span>
#include <vector>

#include "model/ProgramLine.h"
#include "model/Projection.h"

namespace vistrel {

struct TimelineLine {
    ProjectedLine line;           // index, slide and values as the projector holds them
    std::int64_t startTenths = 0; // from the start of the run, waits at pauses not counted
    std::int64_t effectTenths = 0;
    std::int64_t timerTenths = 0;
    bool pause = false;           // the run stands here after the effect until it is continued
                                  // (timer 0 or fade out/in with pause, autoreverse line included)
    bool autoreverse = false;     // the tray runs back here (dark); the timeline ends with it
};

// Where a run is at a moment of the timeline.
struct TimelinePosition {
    int entry = -1;               // index into ShowTimeline::lines(); -1 for an empty timeline
    std::int64_t elapsedMs = 0;   // since the line's effect began, the hold at its pause not counted
    bool atPause = false;         // within the hold of a pause line
    bool ended = false;           // at or past the end: the last line stands as it ended
};

class ShowTimeline {
public:
    // The run from the 1-based line `fromLine` of `lines` (the show's lines in order).
    // A start line outside the show gives an empty timeline.
    static ShowTimeline build(std::span<const ProgramLine> lines, int fromLine);

    const std::vector<TimelineLine>& lines() const { return lines_; }
    // The sum of all effects and timers.
    std::int64_t totalTenths() const { return totalTenths_; }
    // The length of a run in which every pause line is held for `pauseHoldMs`.
    std::int64_t durationMs(std::int64_t pauseHoldMs) const;
    // The line at `ms` of such a run; before 0 counts as 0.
    TimelinePosition positionAt(std::int64_t ms, std::int64_t pauseHoldMs) const;
    // What the screen shows at that moment: the projection's input, and the projection.
    ProjectionInput projectionInputAt(const TimelinePosition& position) const;
    Projection projectionAt(std::int64_t ms, std::int64_t pauseHoldMs) const;

private:
    std::vector<TimelineLine> lines_;
    std::int64_t totalTenths_ = 0;
};

}  // namespace vistrel
