#include "model/ShowTimeline.h"

#include <algorithm>

#include "model/LineTiming.h"
#include "model/ProgramRecord.h"

namespace vistrel {

namespace {

std::int64_t lineMs(const TimelineLine& line, std::int64_t pauseHoldMs) {
    return (line.effectTenths + line.timerTenths) * 100 + (line.pause ? pauseHoldMs : 0);
}

}  // namespace

ShowTimeline ShowTimeline::build(std::span<const ProgramLine> lines, int fromLine) {
    ShowTimeline timeline;
    if (fromLine < 1) return timeline;
    const std::size_t count = std::min<std::size_t>(lines.size(), MaxProgramLines);
    std::int64_t start = 0;
    for (std::size_t i = static_cast<std::size_t>(fromLine) - 1; i < count; ++i) {
        // The transfer writes every line; one that comes out as six zero bytes ends the
        // show on the projector right there.
        if (endsShowOnProjector(lines[i])) break;
        TimelineLine entry;
        entry.line = projectedLine(lines[i], static_cast<int>(i));
        const LineTiming timing =
            lineTiming(entry.line.specialFunction, entry.line.dissolveTenths, entry.line.timerTenths);
        entry.startTenths = start;
        entry.effectTenths = timing.effectTenths;
        entry.timerTenths = timing.timerTenths;
        entry.autoreverse = timing.autoreverse && i != 0;
        // A timer of 0 or a fade out/in with pause makes a pause line, also on the line
        // that sends the tray back: the run control stops there and waits to be continued.
        entry.pause = timing.pauseCount() > 0;
        start += entry.effectTenths + entry.timerTenths;
        timeline.lines_.push_back(entry);
        if (entry.autoreverse) break;
    }
    timeline.totalTenths_ = start;
    return timeline;
}

std::int64_t ShowTimeline::durationMs(std::int64_t pauseHoldMs) const {
    std::int64_t total = 0;
    for (const TimelineLine& line : lines_) total += lineMs(line, pauseHoldMs);
    return total;
}

TimelinePosition ShowTimeline::positionAt(std::int64_t ms, std::int64_t pauseHoldMs) const {
    TimelinePosition position;
    if (lines_.empty()) {
        position.ended = true;
        return position;
    }
    ms = std::max<std::int64_t>(0, ms);
    pauseHoldMs = std::max<std::int64_t>(0, pauseHoldMs);
    std::int64_t lineStart = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const TimelineLine& line = lines_[i];
        const std::int64_t length = lineMs(line, pauseHoldMs);
        if (ms < lineStart + length) {
            const std::int64_t local = ms - lineStart;
            const std::int64_t effectMs = line.effectTenths * 100;
            const std::int64_t holdMs = line.pause ? pauseHoldMs : 0;
            position.entry = static_cast<int>(i);
            if (local < effectMs) {
                position.elapsedMs = local;
            } else if (local < effectMs + holdMs) {
                position.elapsedMs = effectMs;
                position.atPause = true;
            } else {
                position.elapsedMs = local - holdMs;
            }
            return position;
        }
        lineStart += length;
    }
    const TimelineLine& last = lines_.back();
    position.entry = static_cast<int>(lines_.size()) - 1;
    position.elapsedMs = (last.effectTenths + last.timerTenths) * 100;
    position.ended = true;
    return position;
}

ProjectionInput ShowTimeline::projectionInputAt(const TimelinePosition& position) const {
    ProjectionInput input;
    if (position.entry < 0 || position.entry >= static_cast<int>(lines_.size())) return input;
    const TimelineLine& line = lines_[static_cast<std::size_t>(position.entry)];
    input.line = line.line;
    if (position.entry > 0) {
        const TimelineLine& previous = lines_[static_cast<std::size_t>(position.entry) - 1];
        input.previousSlide = previous.line.slide;
        input.previousLineIndex = previous.line.lineIndex;
    }
    input.elapsedMs = position.elapsedMs;
    input.atPause = position.atPause;
    input.trayReturning = line.autoreverse;
    return input;
}

Projection ShowTimeline::projectionAt(std::int64_t ms, std::int64_t pauseHoldMs) const {
    return projectAt(projectionInputAt(positionAt(ms, pauseHoldMs)));
}

}  // namespace vistrel
