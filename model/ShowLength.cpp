#include "model/ShowLength.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

#include "model/CVistrelDoc.h"
#include "model/LineTiming.h"
#include "model/Settings.h"
#include "model/ShowTimeline.h"

namespace vistrel {

namespace {

int clampedInt(double value) {
    const double truncated = std::trunc(value);
    if (truncated <= static_cast<double>(INT_MIN)) return INT_MIN;
    if (truncated >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(truncated);
}

int clampedInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

bool isSelected(const std::vector<int>& selectedRows, int row) {
    return std::binary_search(selectedRows.begin(), selectedRows.end(), row);
}

}  // namespace

LineDuration lineDuration(const ProgramLine& line) {
    // 64-bit: dissolve and timer values from a file can be anything an int holds.
    const LineTiming timing = lineTiming(line.specialFunction, line.dissolveTime, line.timerTime);
    // Only the fade-out/in pause counts here; a timer of 0 is judged with the slide number.
    return {timing.lengthTenths(), timing.effectPause, timing.endsCounting};
}

ShowLengthValues computeShowLength(const CVistrelDoc& doc, int which, bool showTotalLength,
                                   const std::vector<int>& selectedRows) {
    ShowLengthValues values;
    if (which == WholeShow && !showTotalLength) return values;

    int first = 0;
    int last = std::min(doc.lineCount, LineStorageRecords) - 1;
    if (which >= 0) {
        first = which;
        last = which < LineStorageRecords ? which : which - 1;  // beyond the storage: nothing to visit
    } else if (which != WholeShow && which != WholeShowAndSelection) {
        last = -1;
    }
    std::vector<int> selection = selectedRows;
    std::sort(selection.begin(), selection.end());

    double total = 0.0;
    std::int64_t selectedLength = 0;
    bool pause = false;
    for (int i = first; i <= last; ++i) {
        const ProgramLine& line = doc.lines[static_cast<std::size_t>(i)];
        const bool selected = which == WholeShowAndSelection && isSelected(selection, i);
        if (line.slideNumber != 0 && line.timerTime == 0) pause = true;
        if (line.slideNumber == 0) {
            // The end-of-show line counts with its dissolve only; without one it is nothing.
            if (line.dissolveTime == 0) continue;
            total -= line.timerTime;
            if (selected) selectedLength -= line.timerTime;
        }
        const LineDuration duration = lineDuration(line);
        total += static_cast<double>(duration.tenths);
        if (selected) selectedLength += duration.tenths;
        if (duration.pause) pause = true;
        if (duration.endsCounting) break;
    }
    values.selectedLength = clampedInt(selectedLength);
    if (which == WholeShow) values.playingTime = clampedInt(total);
    values.length = pause ? -1 : clampedInt(total);
    return values;
}

void keepShowLength(CVistrelDoc& doc, const Settings& settings) {
    const ShowLengthValues values = computeShowLength(doc, WholeShow, settings.showTotalLength);
    doc.showLength = values.length;
    if (values.playingTime) doc.playingTime = *values.playingTime;
}

ScalingMeasure measureForScaling(const CVistrelDoc& doc, const std::vector<int>& rowsToUse) {
    std::vector<int> rows = rowsToUse;
    if (rows.empty()) {
        for (int i = 0; i < std::min(doc.lineCount, LineStorageRecords); ++i) rows.push_back(i);
    } else {
        std::sort(rows.begin(), rows.end());
    }
    ScalingMeasure measure{0, 0.0, 0.0, false};
    for (int row : rows) {
        if (row < 0 || row >= LineStorageRecords) continue;
        const ProgramLine& line = doc.lines[static_cast<std::size_t>(row)];
        if (line.slideNumber != 0 && line.timerTime == 0) measure.pause = true;
        if (line.slideNumber == 0) continue;
        measure.timerSum += line.timerTime;
        if (line.timerTime > 0) ++measure.timedLines;
        const LineDuration duration = lineDuration(line);
        measure.total += static_cast<double>(duration.tenths);
        if (duration.pause) measure.pause = true;
        if (duration.endsCounting) break;
    }
    measure.length = clampedInt(measure.total);
    return measure;
}

ScalingMeasure measureMusicTime(const CVistrelDoc& doc) {
    const std::size_t count = static_cast<std::size_t>(std::clamp(doc.lineCount, 0, LineStorageRecords));
    const ShowTimeline run = ShowTimeline::build(std::span(doc.lines.data(), count), 1);
    ScalingMeasure measure{0, static_cast<double>(run.totalTenths()), 0.0, false};
    for (const TimelineLine& line : run.lines()) {
        measure.timerSum += static_cast<double>(line.timerTenths);
        if (line.timerTenths > 0) ++measure.timedLines;
    }
    measure.length = clampedInt(measure.total);
    return measure;
}

int scalingMinimum(const ScalingMeasure& measure) {
    return clampedInt(std::trunc(measure.total) - std::trunc(measure.timerSum) + measure.timedLines);
}

ScaleRange allowedScaleRange(const ScalingMeasure& measure) {
    constexpr int Second = 10;
    const int minimum = std::max(scalingMinimum(measure), Second);
    // Up to the next whole second: the dialog enters nothing finer.
    const int shortest = minimum > LongestScaledLength ? minimum : (minimum + Second - 1) / Second * Second;
    return {shortest, LongestScaledLength};
}

ScaleOutcome scaleTimers(CVistrelDoc& doc, const std::vector<int>& rowsToUse, const ScalingMeasure& measure,
                         int newLength) {
    if (!(measure.timerSum > 0.0)) return ScaleOutcome::NothingToScale;  // no factor can be formed
    // The tenths below a whole second of the old length are kept; the timer sum enters
    // in single precision, as the program has always computed it.
    const double spare = (measure.length % 10) + static_cast<double>(newLength) - measure.total +
                         static_cast<double>(static_cast<float>(measure.timerSum));
    if (spare < 0.0) return ScaleOutcome::NothingToScale;
    const double factor = spare / measure.timerSum;

    std::vector<int> rows = rowsToUse;
    if (rows.empty()) {
        for (int i = 0; i < std::min(doc.lineCount, LineStorageRecords); ++i) rows.push_back(i);
    } else {
        std::sort(rows.begin(), rows.end());
    }
    std::array<std::int32_t, LineStorageRecords> previousTimers{};
    for (std::size_t i = 0; i < previousTimers.size(); ++i) previousTimers[i] = doc.lines[i].timerTime;

    for (int row : rows) {
        if (row < 0 || row >= LineStorageRecords) continue;
        ProgramLine& line = doc.lines[static_cast<std::size_t>(row)];
        const double scaled = std::floor(line.timerTime * factor + 0.5);
        if (scaled > 6000.0) {
            for (std::size_t i = 0; i < previousTimers.size(); ++i) doc.lines[i].timerTime = previousTimers[i];
            return ScaleOutcome::TimerTooLong;
        }
        // A timer of 0 makes the projector wait at the line: scaling must never turn a
        // running line into a pause, however short the new length.
        line.timerTime = line.timerTime > 0 ? std::max(clampedInt(scaled), 1) : clampedInt(scaled);
        line.changeMarks = AllChangeMarks;
    }
    return ScaleOutcome::Scaled;
}

}  // namespace vistrel
