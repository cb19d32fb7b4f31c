// The timeline pane's blocks, ruler, hit-testing, dragging and scale, at literal scales.
#include <gtest/gtest.h>

#include <vector>

#include "views/TimelineGeometry.h"

namespace vistrel {
namespace {

namespace geo = timelinegeometry;

ProgramLine line(int slide, int dissolve, int timer, int function = 0) {
    ProgramLine l;
    l.slideNumber = slide;
    l.dissolveTime = dissolve;
    l.timerTime = timer;
    l.specialFunction = function;
    return l;
}

// 2.0 + 5.0 s; a pause after a 1.0 s dissolve; 3.0 + 4.0 s; the tray sent back (1.0 + 2.0 s);
// a line no run from line 1 reaches. At 10 px/s a tenth is a pixel.
std::vector<ProgramLine> sampleShow() {
    return {line(1, 20, 50), line(2, 10, 0), line(3, 30, 40), line(4, 10, 20, 100), line(5, 10, 30)};
}

TEST(TimelineGeometry, BlocksInProportionWithPauseGapAndGreyedTail) {
    const auto show = sampleShow();
    const geo::Layout layout = geo::layoutBlocks(show, 10.0);
    struct Row {
        int x, effectWidth, width;
        bool pause, autoreverse, greyed;
    };
    const Row expected[] = {
        {0, 20, 70, false, false, false},
        {70, 10, 10, true, false, false},
        {92, 30, 70, false, false, false},   // after the 12-pixel gap
        {162, 10, 30, false, true, false},
        {192, 10, 40, false, false, true},   // behind the autoreverse line, greyed
    };
    ASSERT_EQ(layout.blocks.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const geo::Block& b = layout.blocks[static_cast<std::size_t>(i)];
        EXPECT_EQ(b.lineIndex, i);
        EXPECT_EQ(b.x, expected[i].x) << i;
        EXPECT_EQ(b.effectWidth, expected[i].effectWidth) << i;
        EXPECT_EQ(b.width, expected[i].width) << i;
        EXPECT_EQ(b.pause, expected[i].pause) << i;
        EXPECT_EQ(b.autoreverse, expected[i].autoreverse) << i;
        EXPECT_EQ(b.greyed, expected[i].greyed) << i;
    }
    EXPECT_EQ(layout.width, 232);
    EXPECT_EQ(layout.reachedTenths, 180);

    // Half the scale: every width halves, the gap stays 12 pixels.
    const geo::Layout half = geo::layoutBlocks(show, 5.0);
    EXPECT_EQ(half.blocks[2].x, 52);
    EXPECT_EQ(half.blocks[2].width, 35);
    EXPECT_EQ(half.width, 122);
}

TEST(TimelineGeometry, MusicTimeToX) {
    const auto show = sampleShow();
    const geo::Layout layout = geo::layoutBlocks(show, 10.0);
    const std::pair<int, int> rows[] = {{0, 0}, {70, 70}, {79, 79}, {80, 92}, {150, 162}, {180, 192}};
    for (const auto& [tenths, x] : rows) EXPECT_EQ(geo::xAtTenths(layout, tenths, 10.0), x) << tenths;
}

TEST(TimelineGeometry, RulerTicksInMinutesAndSeconds) {
    const auto show = sampleShow();
    const geo::Layout layout = geo::layoutBlocks(show, 10.0);
    const auto ticks = geo::rulerTicks(layout, 180, 10.0, 40);  // 5 s steps: the first of 50 px or more
    ASSERT_EQ(ticks.size(), 4u);
    const int xs[] = {0, 50, 112, 162};
    const char* labels[] = {"0:00", "0:05", "0:10", "0:15"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ticks[static_cast<std::size_t>(i)].x, xs[i]);
        EXPECT_EQ(ticks[static_cast<std::size_t>(i)].label, QString::fromLatin1(labels[i]));
    }
    EXPECT_EQ(geo::rulerTicks(layout, 1200, 0.1, 40).size(), 1u);  // 10-minute steps: 2 minutes hold only 0:00
    const std::pair<int, const char*> texts[] = {{0, "0:00"}, {65, "1:05"}, {600, "10:00"}, {3599, "59:59"}};
    for (const auto& [seconds, text] : texts) EXPECT_EQ(geo::minutesSeconds(seconds), QString::fromLatin1(text));
}

TEST(TimelineGeometry, HitTesting) {
    const auto show = sampleShow();
    const geo::Layout layout = geo::layoutBlocks(show, 10.0);
    struct Row {
        int x, block;
        bool edge;
    };
    const Row rows[] = {
        {5, 0, false},    {66, 0, true},    {70, 0, true},   {74, 0, true},  // grip 4 px either side
        {75, 1, false},   {80, -1, false},  {86, -1, false},                 // timer 0: no edge; the gap
        {100, 2, false},  {162, 2, true},   {200, 4, false}, {232, 4, true},
        {240, -1, false}, {-3, -1, false},
    };
    for (const auto& r : rows) {
        const geo::Hit hit = geo::hitAt(layout, r.x);
        EXPECT_EQ(hit.block, r.block) << r.x;
        EXPECT_EQ(hit.rightEdge, r.edge) << r.x;
    }
}

TEST(TimelineGeometry, DraggedTimerInTenthsWithinLimits) {
    const auto show = sampleShow();
    const geo::Block first = geo::layoutBlocks(show, 10.0).blocks[0];  // timer starts at x 20
    const geo::Block slow = geo::layoutBlocks(show, 2.5).blocks[0];    // timer starts at x 5
    struct Row {
        const geo::Block* block;
        double scale;
        int x, tenths;
    };
    const Row rows[] = {
        {&first, 10.0, 70, 50},  {&first, 10.0, 73, 53},   {&first, 10.0, 21, 1},
        {&first, 10.0, 20, 1},   {&first, 10.0, -50, 1},   {&first, 10.0, 10000, 6000},
        {&slow, 2.5, 30, 100},   {&slow, 2.5, 31, 104},
    };
    for (const auto& r : rows) EXPECT_EQ(geo::draggedTimer(*r.block, r.x, r.scale), r.tenths) << r.x;
}

TEST(TimelineGeometry, FitAndZoom) {
    const auto show = sampleShow();
    EXPECT_NEAR(geo::fitScale(show, 500), 22.1818, 0.001);  // (500 - 12) px for 22.0 s
    EXPECT_DOUBLE_EQ(geo::fitScale({}, 500), 10.0);
    EXPECT_DOUBLE_EQ(geo::fitScale(show, 5), 0.05);
    EXPECT_DOUBLE_EQ(geo::zoomed(10.0, 1), 12.5);
    EXPECT_DOUBLE_EQ(geo::zoomed(10.0, -1), 8.0);
    EXPECT_DOUBLE_EQ(geo::zoomed(390.0, 1), 400.0);
    EXPECT_DOUBLE_EQ(geo::zoomed(0.05, -3), 0.05);
}

}  // namespace
}  // namespace vistrel
