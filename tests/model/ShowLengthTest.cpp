#include "model/ShowLength.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "model/CVistrelDoc.h"
#include "model/Settings.h"
#include "tests/model/TestShows.h"

namespace vistrel {
namespace {

using test::Line;
using test::showOf;

TEST(LineDuration, FollowsTheCodeTable) {
    struct Case {
        int code;
        std::int64_t tenths;  // with D = 25, T = 40
        bool pause, ends;
    };
    const Case table[] = {
        {0, 65, false, false},    {200, 65, false, false},  {400, 65, false, false},
        {60, 90, false, false},   {260, 90, false, false},  {460, 90, false, false},
        {70, 90, true, false},    {270, 90, true, false},   {470, 90, true, false},
        {100, 65, false, true},   {160, 65, false, true},   {300, 65, false, true},
        {360, 65, false, true},   {500, 65, false, true},   {560, 65, false, true},
        {170, 65, true, true},    {370, 65, true, true},    {570, 65, true, true},
        {15, 140, false, false},  {22, 110, false, false},  {33, 190, false, false},
        {41, 90, false, false},   {59, 490, false, false},  {561, 90, false, false},
        {660, 90, false, false},  {671, 90, true, false},   {105, 0, false, false},
        {5, 0, false, false},     {80, 0, false, false},    {99, 0, false, false},
        {133, 190, false, false}, {-33, 0, false, false},
    };
    for (const Case& c : table) {
        const LineDuration d = lineDuration(ProgramLine{"", 1, 25, 40, c.code, "", 0});
        EXPECT_EQ(d.tenths, c.tenths) << c.code;
        EXPECT_EQ(d.pause, c.pause) << c.code;
        EXPECT_EQ(d.endsCounting, c.ends) << c.code;
    }
}

TEST(ComputeShowLength, WholeShowCases) {
    struct Case {
        const char* name;
        std::vector<Line> lines;
        int length, playingTime;
    };
    const Case table[] = {
        {"two_plain_lines", {{1, 25, 40, 0}, {2, 25, 40, 0}}, 130, 130},
        {"fade_out_in", {{1, 30, 50, 60}}, 110, 110},
        {"autoreverse_ends_counting", {{1, 30, 50, 160}, {2, 25, 40, 0}}, 80, 80},
        {"timer_zero_pauses", {{5, 25, 0, 0}, {6, 25, 40, 0}}, -1, 90},
        {"pause_code_pauses", {{5, 25, 40, 70}}, -1, 90},
        {"pause_after_the_end_is_not_seen", {{1, 25, 40, 100}, {5, 25, 0, 0}}, 65, 65},
        {"end_row_counts_its_dissolve_only", {{1, 25, 40, 0}, {0, 10, 100, 0}}, 75, 75},
        {"end_row_with_timer_zero_is_no_pause", {{0, 10, 0, 0}}, 10, 10},
        {"end_row_without_dissolve_is_skipped", {{0, 0, 100, 100}, {1, 25, 40, 0}}, 65, 65},
        {"empty_show", {}, 0, 0},
        {"huge_values_do_not_overflow", {{1, INT_MAX, INT_MAX, 33}, {1, INT_MAX, INT_MAX, 33}}, INT_MAX, INT_MAX},
    };
    for (const Case& c : table) {
        auto doc = showOf(c.lines);
        const ShowLengthValues values = computeShowLength(*doc, WholeShow, true);
        EXPECT_EQ(values.length, c.length) << c.name;
        EXPECT_EQ(values.playingTime, c.playingTime) << c.name;
        EXPECT_EQ(values.selectedLength, 0) << c.name;
    }
}

TEST(ComputeShowLength, LengthDisplayOffReturnsAtOnce) {
    auto doc = showOf({{1, 25, 40, 0}});
    EXPECT_EQ(computeShowLength(*doc, WholeShow, false).length, -1);
    EXPECT_EQ(computeShowLength(*doc, WholeShow, false).playingTime, std::nullopt);
    // The other requests are answered whatever the display says.
    EXPECT_EQ(computeShowLength(*doc, WholeShowAndSelection, false).length, 65);
}

TEST(ComputeShowLength, SelectionAndSingleLine) {
    auto doc = showOf({{1, 25, 40, 0}, {0, 10, 100, 0}, {2, 25, 40, 33}, {3, 25, 40, 100}, {4, 25, 40, 0}});
    const ShowLengthValues withSelection = computeShowLength(*doc, WholeShowAndSelection, true, {1, 2, 4});
    EXPECT_EQ(withSelection.length, 65 + 10 + 190 + 65);
    EXPECT_EQ(withSelection.selectedLength, 10 + 190);  // row 4 lies after the autoreverse line
    EXPECT_EQ(withSelection.playingTime, std::nullopt);  // only the plain whole-show request has it

    EXPECT_EQ(computeShowLength(*doc, 2, true).length, 190);
    EXPECT_EQ(computeShowLength(*doc, 2, true).selectedLength, 0);
    EXPECT_EQ(computeShowLength(*doc, 5000, true).length, 0);
}

TEST(KeepShowLength, TheDocumentKeepsWhatTheDisplaysShow) {
    struct Case {
        const char* name;
        std::vector<Line> lines;
        bool displayOn;
        int showLength, playingTime;
    };
    const Case table[] = {
        {"plain_show", {{1, 25, 40, 0}, {2, 25, 40, 0}}, true, 130, 130},
        {"show_with_a_wait", {{5, 25, 0, 0}, {6, 25, 40, 0}}, true, -1, 90},
        {"display_off_keeps_the_playing_time", {{1, 25, 40, 0}}, false, -1, 777},
    };
    for (const Case& c : table) {
        auto doc = showOf(c.lines);
        doc->playingTime = 777;
        doc->selectedLength = 55;
        Settings settings;
        settings.showTotalLength = c.displayOn;
        keepShowLength(*doc, settings);
        EXPECT_EQ(doc->showLength, c.showLength) << c.name;
        EXPECT_EQ(doc->playingTime, c.playingTime) << c.name;
        EXPECT_EQ(doc->selectedLength, 55) << c.name << ": only the show-length command sets it";
    }
}

TEST(MeasureForScaling, LeavesOutEndRowsAndSumsTheTimers) {
    auto doc = showOf({{1, 25, 40, 0}, {0, 10, 100, 0}, {2, 25, 40, 33}, {3, 25, 40, 100}, {4, 25, 40, 0}});
    const ScalingMeasure whole = measureForScaling(*doc, {});
    EXPECT_EQ(whole.length, 65 + 190 + 65);
    EXPECT_DOUBLE_EQ(whole.timerSum, 120.0);
    EXPECT_FALSE(whole.pause);

    const ScalingMeasure selection = measureForScaling(*doc, {4, 1, 0});
    EXPECT_EQ(selection.length, 130);
    EXPECT_DOUBLE_EQ(selection.timerSum, 80.0);

    auto paused = showOf({{1, 0, 40, 0}, {5, 0, 0, 0}});
    EXPECT_TRUE(measureForScaling(*paused, {}).pause);
    EXPECT_EQ(measureForScaling(*paused, {}).length, 40);
}

}  // namespace
}  // namespace vistrel

namespace vistrel {
namespace {

TEST(ScaleTimers, StretchesTheTimersToTheNewLength) {
    auto doc = showOf({{1, 0, 40, 0}, {2, 0, 40, 0}, {3, 0, 40, 0}});
    const ScalingMeasure measure = measureForScaling(*doc, {});
    ASSERT_EQ(measure.length, 120);
    EXPECT_EQ(scalingMinimum(measure), 3);  // a tenth for each timer
    EXPECT_EQ(scaleTimers(*doc, {}, measure, 240), ScaleOutcome::Scaled);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(doc->lines[static_cast<std::size_t>(i)].timerTime, 80);
        EXPECT_EQ(doc->lines[static_cast<std::size_t>(i)].changeMarks, AllChangeMarks);
    }
}

TEST(ScaleTimers, KeepsTheDissolveParts) {
    // Dissolves of 25 each are fixed; 130 - 50 = 80 tenths of timers become 100.
    auto doc = showOf({{1, 25, 40, 0}, {2, 25, 40, 0}});
    const ScalingMeasure measure = measureForScaling(*doc, {});
    EXPECT_EQ(scalingMinimum(measure), 52);
    EXPECT_EQ(scaleTimers(*doc, {}, measure, 150), ScaleOutcome::Scaled);
    EXPECT_EQ(doc->lines[0].timerTime, 50);
    EXPECT_EQ(doc->lines[1].timerTime, 50);
}

TEST(ScaleTimers, TooLongATimerPutsEveryTimerBack) {
    auto doc = showOf({{1, 0, 100, 0}, {2, 0, 3000, 0}, {3, 0, 40, 0}});
    const std::vector<int> rows{0, 1};
    const ScalingMeasure measure = measureForScaling(*doc, rows);
    EXPECT_EQ(scaleTimers(*doc, rows, measure, 7750), ScaleOutcome::TimerTooLong);  // factor 2.5
    EXPECT_EQ(doc->lines[0].timerTime, 100);
    EXPECT_EQ(doc->lines[1].timerTime, 3000);
    EXPECT_EQ(doc->lines[0].changeMarks, AllChangeMarks);  // marked before the failing line
    EXPECT_EQ(doc->lines[1].changeMarks, 0);
}

TEST(ScaleTimers, NothingToScaleLeavesTheShowAlone) {
    auto endRowsOnly = showOf({{0, 25, 40, 0}});
    EXPECT_EQ(scaleTimers(*endRowsOnly, {}, measureForScaling(*endRowsOnly, {}), 100), ScaleOutcome::NothingToScale);
    auto doc = showOf({{1, 25, 40, 0}});
    EXPECT_EQ(scaleTimers(*doc, {}, measureForScaling(*doc, {}), 10), ScaleOutcome::NothingToScale);
    EXPECT_EQ(doc->lines[0].timerTime, 40);
    EXPECT_EQ(doc->lines[0].changeMarks, 0);
}

}  // namespace
}  // namespace vistrel
