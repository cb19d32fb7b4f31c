#include "model/Retiming.h"

#include <algorithm>

#include "model/ShowTimeline.h"

namespace vistrel {

namespace {

constexpr std::int64_t ShortestTimer = 1;   // 0 would make the line a pause
constexpr std::int64_t LongestTimer = 6000; // 600.0 s, what a program record holds

RetimeResult refused(RetimeResult result, RetimeRefusal why, int line) {
    result.refusal = why;
    result.refusedLine = line;
    return result;
}

}  // namespace

RetimeResult retime(std::span<const ProgramLine> lines, std::vector<LineStart> starts) {
    RetimeResult result;
    std::vector<ProgramLine> changed(lines.begin(), lines.end());
    for (const ProgramLine& line : changed) result.timers.push_back(line.timerTime);

    std::sort(starts.begin(), starts.end(), [](const LineStart& a, const LineStart& b) { return a.line < b.line; });
    // Every line is checked before any is set: a wrong name is the caller's mistake, not
    // the show's, whatever comes before it.
    const int lineCount = static_cast<int>(changed.size());
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const int k = starts[i].line;
        if (k < 2 || k > lineCount || (i > 0 && starts[i - 1].line == k))
            return refused(std::move(result), RetimeRefusal::NoSuchLine, k);
    }
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const int k = starts[i].line;

        // The run as it is with the timers set so far: line k must be in it, after line k-1.
        const ShowTimeline timeline = ShowTimeline::build(changed, 1);
        const auto& visited = timeline.lines();
        if (static_cast<int>(visited.size()) < k) return refused(std::move(result), RetimeRefusal::NotReached, k);
        const TimelineLine& before = visited[static_cast<std::size_t>(k - 2)];
        if (before.pause && before.timerTenths == 0) return refused(std::move(result), RetimeRefusal::AfterPause, k);

        std::int64_t timer = starts[i].startTenths - before.startTenths - before.effectTenths;
        if (timer > LongestTimer) return refused(std::move(result), RetimeRefusal::TimerTooLong, k);
        if (timer < ShortestTimer) {
            timer = ShortestTimer;
            result.raised.push_back({k, before.startTenths + before.effectTenths + ShortestTimer});
        }
        changed[static_cast<std::size_t>(k - 2)].timerTime = static_cast<std::int32_t>(timer);
        result.timers[static_cast<std::size_t>(k - 2)] = static_cast<std::int32_t>(timer);
    }
    return result;
}

void applyTimers(std::span<ProgramLine> lines, const std::vector<std::int32_t>& timers) {
    const std::size_t count = std::min(lines.size(), timers.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (lines[i].timerTime == timers[i]) continue;
        lines[i].timerTime = timers[i];
        lines[i].changeMarks = AllChangeMarks;
    }
}

}  // namespace vistrel
