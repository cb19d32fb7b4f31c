// The slider <-> seconds mappings of the line editor, both directions, both scales.
#include <gtest/gtest.h>

#include "views/SliderMapping.h"

namespace vistrel {
namespace {

struct SliderCase {
    int position;
    bool logarithmic;
    double seconds;
};

TEST(SliderMapping, TimerFromSlider) {
    const SliderCase cases[] = {
        {9, false, 4.5},   {0, false, 0.0},  {199, false, 99.5}, {11, false, 5.5},
        {199, true, 100.0}, {0, true, 0.0},   // the logarithmic scale dips below 0 at 0: held at 0
        {-5, false, 0.0},  {400, false, 99.5},  // outside the slider's range
    };
    for (const auto& c : cases)
        EXPECT_NEAR(slider::timerSeconds(c.position, c.logarithmic), c.seconds, 1e-9)
            << "position " << c.position << (c.logarithmic ? " log" : " lin");
}

TEST(SliderMapping, DissolveFromSliderRoundsToHalfSecondsWithMinimum) {
    const SliderCase cases[] = {
        {20, false, 2.5}, {1, false, 0.1},  // 0.125 s rounds to 0 and is raised to 0.1
        {0, false, 0.1},  {2, false, 0.5},  // 0.25 goes to .5
        {6, false, 0.5},  {7, false, 1.0},  // 0.75 stays .5, 0.875 rounds up
        {199, true, 25.0}, {0, true, 0.1},  {74, true, 2.5},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(slider::dissolveSeconds(c.position, c.logarithmic), c.seconds, 1e-9)
            << "position " << c.position << (c.logarithmic ? " log" : " lin");
}

TEST(SliderMapping, SecondsToPosition) {
    struct Case {
        double seconds;
        bool logarithmic;
        int timer;
        int dissolve;
    };
    const Case cases[] = {
        {4.5, false, 9, 36},  {4.0, false, 8, 32},  {5.5, false, 11, 44}, {2.5, false, 5, 20},
        {4.0, true, 34, 105}, {5.5, true, 45, 128}, {2.5, true, 22, 74},
        {600.0, false, 199, 199}, {600.0, true, 199, 199},  // held at the slider's end
        {-9999.0, true, 0, 0},    {-3.0, false, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(slider::timerPosition(c.seconds, c.logarithmic), c.timer) << c.seconds;
        EXPECT_EQ(slider::dissolvePosition(c.seconds, c.logarithmic), c.dissolve) << c.seconds;
    }
}

TEST(SliderMapping, HalfSecondRounding) {
    const std::pair<double, double> cases[] = {{2.3, 2.5}, {2.2, 2.0}, {2.25, 2.5}, {2.75, 2.5},
                                               {2.8, 3.0}, {0.0, 0.0}, {25.8, 26.0}};
    for (const auto& [in, out] : cases) EXPECT_DOUBLE_EQ(slider::roundToHalfSecond(in), out) << in;
}

// Moving a slider and reading its time back must land on the same position for every
// position of the linear timer scale (the field shows the time, the slider follows it).
TEST(SliderMapping, LinearTimerRoundTripsEveryPosition) {
    for (int p = 0; p <= slider::MaxPosition; ++p)
        EXPECT_EQ(slider::timerPosition(slider::timerSeconds(p, false), false), p);
}

}  // namespace
}  // namespace vistrel
