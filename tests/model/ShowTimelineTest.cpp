// The order and times of a run as the projector makes it, and the mapping of a moment
// to a line: the command line prints the former, the video renders from the latter. A
// mistake shifts every picture after it, or plays lines the projector never reaches.
#include "model/ShowTimeline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/model/TestShows.h"

namespace vistrel {
namespace {

using test::Line;
using test::showOf;

// "line:start+effect+timer" per entry with P and A marks, e.g. "1:0+25+40".
std::string describe(const ShowTimeline& timeline) {
    std::string text;
    for (const TimelineLine& l : timeline.lines()) {
        text += std::to_string(l.line.lineIndex + 1) + ":" + std::to_string(l.startTenths) + "+" +
                std::to_string(l.effectTenths) + "+" + std::to_string(l.timerTenths) + (l.pause ? "P" : "") +
                (l.autoreverse ? "A" : "") + " ";
    }
    return text + "= " + std::to_string(timeline.totalTenths());
}

TEST(ShowTimeline, LinesARunVisits) {
    const std::vector<Line> mixed = {{12, 25, 40, 0},  {13, 30, 50, 60},  {14, 20, 0, 0},
                                     {15, 25, 40, 33}, {16, 20, 30, 160}, {17, 25, 40, 0}};
    struct Case {
        const char* name;
        std::vector<Line> lines;
        int from;
        const char* expected;
    };
    const Case table[] = {
        {"up to the autoreverse line", mixed, 1, "1:0+25+40 2:65+60+50 3:175+20+0P 4:195+150+40 5:385+20+30A = 435"},
        {"from line 4", mixed, 4, "4:0+150+40 5:190+20+30A = 240"},
        {"from the last line", mixed, 6, "6:0+25+40 = 65"},
        {"an end record stops the run", {{1, 25, 40, 0}, {0, 0, 0, 0}, {2, 25, 40, 0}}, 1, "1:0+25+40 = 65"},
        {"slide 0 with times is a dark line with its timer",
         {{1, 25, 40, 0}, {0, 10, 100, 0}, {2, 25, 40, 0}}, 1, "1:0+25+40 2:65+10+100 3:175+25+40 = 240"},
        {"autoreverse on line 1 runs as a plain line", {{1, 25, 40, 100}, {2, 25, 40, 0}}, 1,
         "1:0+25+40 2:65+25+40 = 130"},
        {"fade out/in with pause on the autoreverse line is a pause", {{1, 25, 40, 0}, {2, 25, 40, 170}}, 1,
         "1:0+25+40 2:65+25+40PA = 130"},
        {"timer 0 on the autoreverse line is a pause", {{1, 25, 40, 0}, {2, 25, 0, 100}}, 1,
         "1:0+25+40 2:65+25+0PA = 90"},
        {"a plain autoreverse line is none", {{1, 25, 40, 0}, {2, 25, 40, 360}}, 1, "1:0+25+40 2:65+25+40A = 130"},
        {"double pause is one pause line", {{1, 25, 0, 70}}, 1, "1:0+50+0P = 50"},
        {"odd code runs as the projector keeps it (5 is 500)", {{1, 25, 40, 0}, {2, 25, 40, 5}, {3, 25, 40, 0}}, 1,
         "1:0+25+40 2:65+25+40A = 130"},
        {"dissolve beyond a byte keeps its low bits", {{1, 300, 40, 0}}, 1, "1:0+44+40 = 84"},
        {"start line beyond the show", {{1, 25, 40, 0}}, 2, "= 0"},
        {"start line 0", {{1, 25, 40, 0}}, 0, "= 0"},
        {"empty show", {}, 1, "= 0"},
    };
    for (const Case& c : table) {
        auto doc = showOf(c.lines);
        const auto timeline =
            ShowTimeline::build(std::span(doc->lines.data(), static_cast<std::size_t>(doc->lineCount)), c.from);
        EXPECT_EQ(describe(timeline), c.expected) << c.name;
    }
}

TEST(ShowTimeline, MomentsMapToLinesWithPausesHeld) {
    auto doc = showOf({{12, 25, 40, 0}, {13, 30, 50, 60}, {14, 20, 0, 0}, {15, 25, 40, 33}, {16, 20, 30, 160}});
    const auto timeline =
        ShowTimeline::build(std::span(doc->lines.data(), static_cast<std::size_t>(doc->lineCount)), 1);
    const std::int64_t hold = 5000;
    struct Case {
        std::int64_t ms;
        int entry;
        std::int64_t elapsed;
        bool atPause, ended;
    };
    const Case table[] = {
        {-10, 0, 0, false, false},      {0, 0, 0, false, false},        {6499, 0, 6499, false, false},
        {6500, 1, 0, false, false},     {19499, 2, 1999, false, false}, {19500, 2, 2000, true, false},
        {24499, 2, 2000, true, false},  {24500, 3, 0, false, false},    {43499, 3, 18999, false, false},
        {43500, 4, 0, false, false},    {48499, 4, 4999, false, false}, {48500, 4, 5000, false, true},
        {99999, 4, 5000, false, true},
    };
    EXPECT_EQ(timeline.durationMs(hold), 48500);
    EXPECT_EQ(timeline.durationMs(0), 43500);
    for (const Case& c : table) {
        const TimelinePosition p = timeline.positionAt(c.ms, hold);
        EXPECT_EQ(p.entry, c.entry) << c.ms;
        EXPECT_EQ(p.elapsedMs, c.elapsed) << c.ms;
        EXPECT_EQ(p.atPause, c.atPause) << c.ms;
        EXPECT_EQ(p.ended, c.ended) << c.ms;
    }

    // What the video draws: the picture before is the line visited before, the pause line
    // stands lit during its hold, and the autoreverse line goes dark.
    const Projection intoSecond = timeline.projectionAt(6500 + 1500, hold);
    EXPECT_EQ(intoSecond.before.slide, 12);
    EXPECT_EQ(intoSecond.after.slide, 13);
    EXPECT_NEAR(intoSecond.before.brightness, 0.5, 1e-9);
    const Projection held = timeline.projectionAt(22000, hold);
    EXPECT_EQ(held.after.slide, 14);
    EXPECT_DOUBLE_EQ(held.after.brightness, 1.0);
    const Projection reversing = timeline.projectionAt(47000, hold);
    EXPECT_EQ(reversing.before.slide, 15);
    EXPECT_EQ(reversing.after.slide, 0);
    EXPECT_DOUBLE_EQ(reversing.before.brightness + reversing.after.brightness, 0.0);
}

// The autoreverse line that waits is held like any pause line, in the video as in a run.
TEST(ShowTimeline, AnAutoreverseLineThatWaitsIsHeld) {
    auto doc = showOf({{1, 25, 40, 0}, {2, 25, 0, 100}});
    const auto timeline =
        ShowTimeline::build(std::span(doc->lines.data(), static_cast<std::size_t>(doc->lineCount)), 1);
    const std::int64_t hold = 5000;
    EXPECT_EQ(timeline.durationMs(hold), 14000);
    EXPECT_EQ(timeline.durationMs(0), 9000);
    const struct {
        std::int64_t ms;
        std::int64_t elapsed;
        bool atPause, ended;
    } table[] = {
        {6500, 0, false, false}, {8999, 2499, false, false}, {9000, 2500, true, false},
        {13999, 2500, true, false}, {14000, 2500, false, true},
    };
    for (const auto& c : table) {
        const TimelinePosition p = timeline.positionAt(c.ms, hold);
        EXPECT_EQ(p.entry, 1) << c.ms;
        EXPECT_EQ(p.elapsedMs, c.elapsed) << c.ms;
        EXPECT_EQ(p.atPause, c.atPause) << c.ms;
        EXPECT_EQ(p.ended, c.ended) << c.ms;
    }
}

}  // namespace
}  // namespace vistrel
