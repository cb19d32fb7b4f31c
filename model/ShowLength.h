#pragma once
// How long a show runs: each line stands for its timer plus what its dissolve and
// special function add. Lines at which the projector waits make the length
// open-ended, and an autoreverse line ends the part of the show that is counted.
// All times in tenths of a second.
#include <cstdint>
#include <optional>
#include <vector>

#include "model/ProgramLine.h"

namespace vistrel {

class CVistrelDoc;
struct Settings;

// `which` for computeShowLength.
constexpr int WholeShow = -1;
constexpr int WholeShowAndSelection = -2;

// What one line contributes and what it does to the computation around it.
struct LineDuration {
    std::int64_t tenths = 0;
    bool pause = false;        // the projector waits at this line
    bool endsCounting = false;  // nothing after this line is counted
};
LineDuration lineDuration(const ProgramLine& line);

// What computeShowLength finds, in tenths.
struct ShowLengthValues {
    // The length, or -1 when the show waits somewhere or (for WholeShow) the length
    // display is off.
    int length = -1;
    // For WholeShow with the display on: the length with the waits not counted.
    std::optional<int> playingTime;
    // For WholeShowAndSelection: the part of the selected rows; else 0.
    int selectedLength = 0;
};
// The whole show (WholeShow, WholeShowAndSelection) or the line `which` alone;
// `selectedRows` are row indices (any order) for WholeShowAndSelection.
ShowLengthValues computeShowLength(const CVistrelDoc& doc, int which, bool showTotalLength,
                                   const std::vector<int>& selectedRows = {});

// The whole show's length as the list, the line editor and the search keep it after a
// change, with the option "Gesamtlänge der Diaschau anzeigen" as set: into the
// document's showLength and, when it was computed, playingTime. Every display that
// shows the length goes through here, so that all of them agree.
void keepShowLength(CVistrelDoc& doc, const Settings& settings);

struct ScalingMeasure {
    int length;       // total, truncated
    double total;     // exact total of the lines counted
    double timerSum;  // the timers of those lines, the part scaling can change
    bool pause;
    int timedLines = 0;  // lines counted whose timer is above 0: each keeps at least 0.1 s
};
// The measure scaling works from: `rowsToUse` in ascending order, or the whole show
// when it is empty. Unlike computeShowLength, lines with slide number 0 are left out.
ScalingMeasure measureForScaling(const CVistrelDoc& doc, const std::vector<int>& rowsToUse);

// The same measure for music time: the run from line 1 as the timeline has it (dark
// lines with their timers, up to an end record or the autoreverse line), the waits at
// pause lines not counted; never a pause.
ScalingMeasure measureMusicTime(const CVistrelDoc& doc);

// The shortest length scaling can reach: the part of the show that is not timers, and
// 0.1 s for each timer above 0 (a running line never turns into a pause line).
int scalingMinimum(const ScalingMeasure& measure);

// The longest length scaling accepts, in tenths: 20 hours.
constexpr int LongestScaledLength = 720000;

// The lengths the scale dialog accepts, in tenths: from the minimum (at least one
// second) up to 20 hours, both in the whole seconds the dialog can enter.
struct ScaleRange {
    int shortest;
    int longest;
};
ScaleRange allowedScaleRange(const ScalingMeasure& measure);

enum class ScaleOutcome {
    Scaled,         // the timers now add up to the new length
    NothingToScale, // no timer counted, or the factor came out negative: nothing changed
    TimerTooLong,   // a timer would pass 600.0 s: every timer is as it was
};
// Stretches the timers of `rowsToUse` (ascending; empty = the whole show, lines after an
// autoreverse line and end rows included) so that the measured part lasts `newLength`.
// `measure` is what measureForScaling gave for the same rows. A timer above 0 stays at
// least 0.1 s. Scaled lines get all change marks; on TimerTooLong the lines before the
// failing one keep theirs.
ScaleOutcome scaleTimers(CVistrelDoc& doc, const std::vector<int>& rowsToUse, const ScalingMeasure& measure,
                         int newLength);

}  // namespace vistrel
