// Timers from the moments lines are to start (`vistrel-cli retime`, tapping): a mistake
// shifts every line after it against the music, or writes a timer the projector
// would run as a pause.
#include "model/Retiming.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/model/TestShows.h"

namespace vistrel {
namespace {

using test::Line;
using test::showOf;

std::string joined(const std::vector<std::int32_t>& timers) {
    std::string text;
    for (std::int32_t t : timers) text += (text.empty() ? "" : ",") + std::to_string(t);
    return text;
}

std::string raisedText(const std::vector<RaisedStart>& raised) {
    std::string text;
    for (const RaisedStart& r : raised)
        text += (text.empty() ? "" : ",") + std::to_string(r.line) + "@" + std::to_string(r.earliestTenths);
    return text;
}

TEST(Retiming, TimerOfTheLineBeforeMakesTheLineStartOnTime) {
    const std::vector<Line> four = {{1, 25, 40, 0}, {2, 25, 40, 0}, {3, 25, 40, 0}, {4, 25, 40, 0}};
    struct Case {
        const char* name;
        std::vector<Line> lines;
        std::vector<LineStart> starts;
        const char* timers;  // on success
        const char* raised;
        RetimeRefusal refusal;
        int refusedLine;
    };
    const Case table[] = {
        {"one line", four, {{2, 100}}, "75,40,40,40", "", RetimeRefusal::None, 0},
        {"later lines count the timers set before", four, {{3, 200}, {2, 100}}, "75,75,40,40", "",
         RetimeRefusal::None, 0},
        {"unnamed lines keep their timers", four, {{4, 300}}, "40,40,145,40", "", RetimeRefusal::None, 0},
        {"too early: 0.1 s and the earliest start said", four, {{2, 10}}, "1,40,40,40", "2@26", RetimeRefusal::None,
         0},
        {"at the end of the effect is too early too", four, {{2, 25}}, "1,40,40,40", "2@26", RetimeRefusal::None, 0},
        {"raised starts move the next ones", four, {{2, 10}, {3, 20}}, "1,1,40,40", "2@26,3@52", RetimeRefusal::None,
         0},
        {"600.0 s is the longest timer", four, {{2, 6025}}, "6000,40,40,40", "", RetimeRefusal::None, 0},
        {"600.1 s is refused", four, {{2, 6026}}, "", "", RetimeRefusal::TimerTooLong, 2},
        {"effect of a blink before", {{1, 25, 40, 33}, {2, 25, 40, 0}}, {{2, 200}}, "50,40", "", RetimeRefusal::None,
         0},
        {"fade out/in with pause and a timer is set", {{1, 25, 40, 70}, {2, 25, 40, 0}}, {{2, 100}}, "50,40", "",
         RetimeRefusal::None, 0},
        {"dark line with times runs its timer", {{1, 25, 40, 0}, {0, 10, 100, 0}, {2, 25, 40, 0}}, {{3, 200}},
         "40,125,40", "", RetimeRefusal::None, 0},
        {"after a pause line", {{1, 25, 0, 0}, {2, 25, 40, 0}}, {{2, 100}}, "", "", RetimeRefusal::AfterPause, 2},
        {"after a pause further on", {{1, 25, 40, 0}, {2, 25, 40, 0}, {3, 25, 0, 60}, {4, 25, 40, 0}},
         {{2, 100}, {4, 400}}, "", "", RetimeRefusal::AfterPause, 4},
        {"after the autoreverse line", {{1, 25, 40, 0}, {2, 25, 40, 100}, {3, 25, 40, 0}}, {{3, 300}}, "", "",
         RetimeRefusal::NotReached, 3},
        {"the autoreverse line itself is reached", {{1, 25, 40, 0}, {2, 25, 40, 100}, {3, 25, 40, 0}}, {{2, 100}},
         "75,40,40", "", RetimeRefusal::None, 0},
        {"after an end record", {{1, 25, 40, 0}, {0, 0, 0, 0}, {2, 25, 40, 0}}, {{3, 300}}, "", "",
         RetimeRefusal::NotReached, 3},
        {"line 1", four, {{1, 0}}, "", "", RetimeRefusal::NoSuchLine, 1},
        {"beyond the show", four, {{5, 500}}, "", "", RetimeRefusal::NoSuchLine, 5},
        {"named twice", four, {{2, 100}, {2, 110}}, "", "", RetimeRefusal::NoSuchLine, 2},
        {"a wrong line counts before a refusal", four, {{2, 6100}, {5, 500}}, "", "", RetimeRefusal::NoSuchLine, 5},
        {"nothing named", four, {}, "40,40,40,40", "", RetimeRefusal::None, 0},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.name);
        auto doc = showOf(c.lines);
        const RetimeResult result =
            retime(std::span(doc->lines.data(), static_cast<std::size_t>(doc->lineCount)), c.starts);
        EXPECT_EQ(result.refusal, c.refusal);
        EXPECT_EQ(result.refusedLine, c.refusedLine);
        if (result.ok()) {
            EXPECT_EQ(joined(result.timers), c.timers);
        }
        EXPECT_EQ(raisedText(result.raised), c.raised);
    }
}

TEST(Retiming, OnlyChangedTimersMarkTheirLines) {
    auto doc = showOf({{1, 25, 40, 0}, {2, 25, 40, 0}, {3, 25, 40, 0}});
    applyTimers(std::span(doc->lines.data(), 3), {40, 75, 40});
    EXPECT_EQ(doc->lines[0].changeMarks, 0);
    EXPECT_EQ(doc->lines[1].changeMarks, 7);
    EXPECT_EQ(doc->lines[1].timerTime, 75);
    EXPECT_EQ(doc->lines[2].changeMarks, 0);
}

}  // namespace
}  // namespace vistrel
