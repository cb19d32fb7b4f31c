// The one table every run, length, timeline and projection takes its times from: a
// wrong row makes the rehearsal, the video and the projector disagree with the length.
#include "model/LineTiming.h"

#include <gtest/gtest.h>

namespace vistrel {
namespace {

TEST(LineTiming, EffectPausesAndAutoreversePerCode) {
    struct Case {
        int code;
        int timer;
        std::int64_t effect;  // with a dissolve of 25
        int pauses;
        bool autoreverse, ends, counted;
    };
    const Case table[] = {
        {0, 40, 25, 0, false, false, true},      {200, 40, 25, 0, false, false, true},
        {400, 40, 25, 0, false, false, true},    {60, 40, 50, 0, false, false, true},
        {460, 40, 50, 0, false, false, true},    {70, 40, 50, 1, false, false, true},
        {270, 40, 50, 1, false, false, true},    {70, 0, 50, 2, false, false, true},
        {0, 0, 25, 1, false, false, true},       {100, 40, 25, 0, true, true, true},
        {160, 40, 25, 0, true, true, true},      {170, 40, 25, 1, true, true, true},
        {300, 40, 25, 0, true, true, true},      {560, 40, 25, 0, true, true, true},
        {570, 40, 25, 1, true, true, true},      {15, 40, 100, 0, false, false, true},
        {29, 40, 140, 0, false, false, true},    {11, 40, 60, 0, false, false, true},
        {33, 40, 150, 0, false, false, true},    {41, 40, 50, 0, false, false, true},
        {59, 40, 450, 0, false, false, true},    {115, 40, 100, 0, true, false, true},
        {671, 40, 50, 1, false, false, true},    {561, 40, 50, 0, true, false, true},
        // Codes whose light digit says nothing: the projector dissolves, the length skips them.
        {5, 40, 25, 0, false, false, false},     {80, 40, 25, 0, false, false, false},
        {105, 40, 25, 0, true, false, false},    {-33, 40, 25, 0, false, false, false},
    };
    for (const Case& c : table) {
        const LineTiming t = lineTiming(c.code, 25, c.timer);
        EXPECT_EQ(t.effectTenths, c.effect) << c.code;
        EXPECT_EQ(t.timerTenths, c.timer) << c.code;
        EXPECT_EQ(t.pauseCount(), c.pauses) << c.code << "/" << c.timer;
        EXPECT_EQ(t.autoreverse, c.autoreverse) << c.code;
        EXPECT_EQ(t.endsCounting, c.ends) << c.code;
        EXPECT_EQ(t.lengthTenths(), c.counted ? c.effect + c.timer : 0) << c.code;
    }
}

}  // namespace
}  // namespace vistrel
