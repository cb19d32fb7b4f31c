// What the screen shows within a line, at literal moments: a mistake here puts the wrong
// picture, a half-done dissolve or a lit screen where it should be dark into the
// rehearsal and into every video frame.
#include "model/Projection.h"

#include <gtest/gtest.h>

namespace vistrel {
namespace {

TEST(Projection, LightsAtLiteralMoments) {
    struct Case {
        const char* name;
        int slide, code, timer;  // of line index 3, dissolve 2.0 s, after slide 5 (index 2)
        std::int64_t ms;
        bool atPause, tray;
        double before, after, mix;
        bool marker;
    };
    const Case table[] = {
        {"dissolve starts on the old picture", 7, 0, 40, 0, false, false, 1.0, 0.0, 0.0, false},
        {"dissolve half way", 7, 0, 40, 1000, false, false, 0.5, 0.5, 0.5, false},
        {"dissolve done, the timer shows the new one", 7, 0, 40, 5000, false, false, 0.0, 1.0, 1.0, false},
        {"fade out/in going out", 7, 60, 40, 1000, false, false, 0.5, 0.0, 0.25, false},
        {"fade out/in dark in the middle", 7, 60, 40, 2000, false, false, 0.0, 0.0, 0.5, false},
        {"fade out/in coming up", 7, 60, 40, 3000, false, false, 0.0, 0.5, 0.75, false},
        {"fade out/in done after two dissolves", 7, 60, 40, 4000, false, false, 0.0, 1.0, 1.0, false},
        {"fade in: old one out over the dissolve", 7, 15, 40, 1000, false, false, 0.5, 0.0, 1.0 / 9, false},
        {"fade in: slowly up over 5 s and a dissolve", 7, 15, 40, 5500, false, false, 0.0, 0.5, 55.0 / 90, false},
        {"fade in done after 9 s", 7, 15, 40, 9000, false, false, 0.0, 1.0, 1.0, false},
        {"freeze: first half of the dissolve", 7, 22, 40, 1000, false, false, 0.75, 0.25, 1.0 / 6, false},
        {"freeze: stands half way", 7, 22, 40, 3000, false, false, 0.5, 0.5, 0.5, false},
        {"freeze: second half", 7, 22, 40, 5000, false, false, 0.25, 0.75, 5.0 / 6, false},
        {"blink: dark first", 7, 33, 40, 1000, false, false, 0.0, 0.0, 1.0 / 12, false},
        {"blink: then lit", 7, 33, 40, 3000, false, false, 0.0, 1.0, 0.25, false},
        {"blink: dark again", 7, 33, 40, 5000, false, false, 0.0, 0.0, 5.0 / 12, false},
        {"blink: lit at the end", 7, 33, 40, 11999, false, false, 0.0, 1.0, 11999.0 / 12000, false},
        {"flash: dark for most of the round", 7, 42, 40, 2500, false, false, 0.0, 0.0, 2500.0 / 8000, false},
        {"flash: lit at its end", 7, 42, 40, 3500, false, false, 0.0, 1.0, 3500.0 / 8000, false},
        {"flash: dark in the second round", 7, 42, 40, 6000, false, false, 0.0, 0.0, 0.75, false},
        {"rock: swinging over", 7, 52, 40, 1000, false, false, 0.5, 0.5, 0.125, false},
        {"rock: over", 7, 52, 40, 2000, false, false, 0.0, 1.0, 0.25, false},
        {"rock: back on the old picture", 7, 52, 40, 4000, false, false, 1.0, 0.0, 0.5, false},
        {"rock: the last swing stays over", 7, 52, 40, 7000, false, false, 0.0, 1.0, 0.875, false},
        {"pause line stands lit", 7, 70, 40, 0, true, false, 0.0, 1.0, 1.0, false},
        {"timer 0 stands lit", 7, 0, 0, 500, true, false, 0.0, 1.0, 1.0, false},
        {"slide 0 fades to black", 0, 0, 40, 1000, false, false, 0.5, 0.0, 0.5, false},
        {"tray running back: last picture goes out", 8, 100, 40, 1000, false, true, 0.5, 0.0, 0.5, false},
        {"tray running back: then dark", 8, 100, 40, 3000, false, true, 0.0, 0.0, 1.0, false},
        {"slave at the start: marker at once", 7, 200, 40, 500, false, false, 0.75, 0.25, 0.25, true},
        {"slave at the start: gone after a second", 7, 200, 40, 1500, false, false, 0.25, 0.75, 0.75, false},
        {"slave in the middle: not yet", 7, 400, 40, 2900, false, false, 0.0, 1.0, 1.0, false},
        {"slave in the middle of 6 s", 7, 400, 40, 3000, false, false, 0.0, 1.0, 1.0, true},
        {"slave in the middle: gone again", 7, 400, 40, 4000, false, false, 0.0, 1.0, 1.0, false},
    };
    for (const Case& c : table) {
        ProjectionInput input;
        input.line = {3, c.slide, 20, c.timer, c.code};
        input.previousSlide = 5;
        input.previousLineIndex = 2;
        input.elapsedMs = c.ms;
        input.atPause = c.atPause;
        input.trayReturning = c.tray;
        const Projection p = projectAt(input);
        EXPECT_NEAR(p.before.brightness, c.before, 1e-9) << c.name;
        EXPECT_NEAR(p.after.brightness, c.after, 1e-9) << c.name;
        EXPECT_NEAR(p.mix, c.mix, 1e-9) << c.name;
        EXPECT_EQ(p.slaveMarker, c.marker) << c.name;
        EXPECT_EQ(p.before.slide, 5) << c.name;
        EXPECT_EQ(p.before.lineIndex, 2) << c.name;
        EXPECT_EQ(p.after.slide, c.tray ? 0 : c.slide) << c.name;
        EXPECT_EQ(p.after.lineIndex, 3) << c.name;
    }
    // A run's first line comes up from black: no picture before it.
    const Projection first = projectAt({{0, 7, 20, 40, 0}, 0, -1, 1000, false, false});
    EXPECT_EQ(first.before.slide, 0);
    EXPECT_DOUBLE_EQ(first.before.brightness, 0.0);
    EXPECT_NEAR(first.after.brightness, 0.5, 1e-9);
}

}  // namespace
}  // namespace vistrel
