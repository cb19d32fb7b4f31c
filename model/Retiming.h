#pragma once
// Timers set from the moments at which lines are to start: `vistrel-cli retime` takes
// them from its command line, tapping along with the music in the rehearsal from the
// key presses. A start is music time of a run from line 1 (the waits at pause lines not
// counted), as `vistrel-cli timeline` prints START.
#include <cstdint>
#include <span>
#include <vector>

#include "model/ProgramLine.h"

namespace vistrel {

struct LineStart {
    int line = 0;                 // 1-based; never line 1, which always starts at 0
    std::int64_t startTenths = 0;
};

// A start that came too early for the line before: its timer became 0.1 s, and the
// line starts at `earliestTenths` instead.
struct RaisedStart {
    int line = 0;
    std::int64_t earliestTenths = 0;
};

enum class RetimeRefusal {
    None,
    NoSuchLine,    // line 1, a line beyond the show, or a line named twice
    AfterPause,    // the line before waits (timer 0): its start is up to whoever continues
    TimerTooLong,  // the line before would stand longer than 600.0 s
    NotReached,    // a run from line 1 ends (autoreverse, end record) before the line
};

struct RetimeResult {
    std::vector<std::int32_t> timers;  // every line's timer, in tenths, the changes made
    std::vector<RaisedStart> raised;   // in ascending line order
    RetimeRefusal refusal = RetimeRefusal::None;
    int refusedLine = 0;               // the named line the refusal is about
    bool ok() const { return refusal == RetimeRefusal::None; }
};

// Sets, for each named line k in ascending order, the timer of line k-1 so that line k
// starts at its given time: start − START − EFFECT of line k-1, the times as the run
// comes out with the timers changed so far; at least 0.1 s. Stops at the first refusal.
RetimeResult retime(std::span<const ProgramLine> lines, std::vector<LineStart> starts);

// The timers of `result` put into `lines`; a line whose timer changes is marked changed.
void applyTimers(std::span<ProgramLine> lines, const std::vector<std::int32_t>& timers);

}  // namespace vistrel
