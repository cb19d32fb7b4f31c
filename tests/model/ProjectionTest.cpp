// What the screen shows within a line, at literal moments: a mistake here puts the wrong
// picture, a half-done dissolve or a lit screen where it should be dark into the
// rehearsal and into every video frame.
#include "model/Projection.h"

#include <gtest/gtest.h>

namespace vistrel {
namespace {

TEST(Projection, LightsOfEachEffectAtLiteralMoments) {
    struct Case {
        const char* name;
        int code;
        int timer;
        std::int64_t ms;
        bool atPause;
        double before, after, mix;
    };
    // Slide 7 (line index 3) with a 2.0 s dissolve comes after slide 5 (line index 2).
    const Case table[] = {
        {"dissolve starts on the old picture", 0, 40, 0, false, 1.0, 0.0, 0.0},
        {"dissolve half way", 0, 40, 1000, false, 0.5, 0.5, 0.5},
        {"dissolve done", 0, 40, 2000, false, 0.0, 1.0, 1.0},
        {"timer shows the new picture", 0, 40, 5000, false, 0.0, 1.0, 1.0},
        {"fade out/in going out", 60, 40, 1000, false, 0.5, 0.0, 0.25},
        {"fade out/in dark in the middle", 60, 40, 2000, false, 0.0, 0.0, 0.5},
        {"fade out/in coming up", 60, 40, 3000, false, 0.0, 0.5, 0.75},
        {"fade out/in done after two dissolves", 60, 40, 4000, false, 0.0, 1.0, 1.0},
        {"fade in: old one out over the dissolve", 15, 40, 1000, false, 0.5, 0.0, 1.0 / 9},
        {"fade in: slowly up over 5 s and a dissolve", 15, 40, 5500, false, 0.0, 0.5, 55.0 / 90},
        {"fade in done after 9 s", 15, 40, 9000, false, 0.0, 1.0, 1.0},
        {"freeze: first half of the dissolve", 22, 40, 1000, false, 0.75, 0.25, 1.0 / 6},
        {"freeze: stands half way", 22, 40, 3000, false, 0.5, 0.5, 0.5},
        {"freeze: second half", 22, 40, 5000, false, 0.25, 0.75, 5.0 / 6},
        {"blink: dark first", 33, 40, 1000, false, 0.0, 0.0, 1.0 / 12},
        {"blink: then lit", 33, 40, 3000, false, 0.0, 1.0, 0.25},
        {"blink: dark again", 33, 40, 5000, false, 0.0, 0.0, 5.0 / 12},
        {"blink: lit at the end", 33, 40, 11999, false, 0.0, 1.0, 11999.0 / 12000},
        {"flash: dark for most of the round", 42, 40, 2500, false, 0.0, 0.0, 2500.0 / 8000},
        {"flash: lit at its end", 42, 40, 3500, false, 0.0, 1.0, 3500.0 / 8000},
        {"flash: dark in the second round", 42, 40, 6000, false, 0.0, 0.0, 0.75},
        {"rock: swinging over", 52, 40, 1000, false, 0.5, 0.5, 0.125},
        {"rock: over", 52, 40, 2000, false, 0.0, 1.0, 0.25},
        {"rock: back on the old picture", 52, 40, 4000, false, 1.0, 0.0, 0.5},
        {"rock: the last swing stays over", 52, 40, 7000, false, 0.0, 1.0, 0.875},
        {"pause line stands lit", 70, 40, 0, true, 0.0, 1.0, 1.0},
        {"timer 0 stands lit", 0, 0, 500, true, 0.0, 1.0, 1.0},
    };
    for (const Case& c : table) {
        ProjectionInput input;
        input.line = {3, 7, 20, c.timer, c.code};
        input.previousSlide = 5;
        input.previousLineIndex = 2;
        input.elapsedMs = c.ms;
        input.atPause = c.atPause;
        const Projection p = projectAt(input);
        EXPECT_NEAR(p.before.brightness, c.before, 1e-9) << c.name;
        EXPECT_NEAR(p.after.brightness, c.after, 1e-9) << c.name;
        EXPECT_NEAR(p.mix, c.mix, 1e-9) << c.name;
        EXPECT_EQ(p.before.slide, 5) << c.name;
        EXPECT_EQ(p.before.lineIndex, 2) << c.name;
        EXPECT_EQ(p.after.slide, 7) << c.name;
        EXPECT_EQ(p.after.lineIndex, 3) << c.name;
    }
}

TEST(Projection, DarkSlidesTrayAndSlaveMarker) {
    struct Case {
        const char* name;
        ProjectedLine line;
        int previousSlide;
        std::int64_t ms;
        bool tray;
        int beforeSlide, afterSlide;
        double before, after;
        bool marker;
    };
    const Case table[] = {
        {"slide 0 fades to black", {4, 0, 20, 40, 0}, 5, 1000, false, 5, 0, 0.5, 0.0, false},
        {"first line comes up from black", {0, 7, 20, 40, 0}, 0, 1000, false, 0, 7, 0.0, 0.5, false},
        {"no dissolve is a cut", {3, 7, 0, 40, 0}, 5, 0, false, 5, 7, 0.0, 1.0, false},
        {"tray running back: last picture goes out", {9, 8, 20, 40, 100}, 5, 1000, true, 5, 0, 0.5, 0.0, false},
        {"tray running back: then dark", {9, 8, 20, 40, 100}, 5, 3000, true, 5, 0, 0.0, 0.0, false},
        {"slave at the start: marker at once", {3, 7, 20, 40, 200}, 5, 500, false, 5, 7, 0.75, 0.25, true},
        {"slave at the start: gone after a second", {3, 7, 20, 40, 200}, 5, 1500, false, 5, 7, 0.25, 0.75, false},
        {"slave in the middle: not yet", {3, 7, 20, 40, 400}, 5, 2900, false, 5, 7, 0.0, 1.0, false},
        {"slave in the middle of 6 s", {3, 7, 20, 40, 400}, 5, 3000, false, 5, 7, 0.0, 1.0, true},
        {"slave in the middle: gone again", {3, 7, 20, 40, 400}, 5, 4000, false, 5, 7, 0.0, 1.0, false},
    };
    for (const Case& c : table) {
        ProjectionInput input;
        input.line = c.line;
        input.previousSlide = c.previousSlide;
        input.previousLineIndex = c.previousSlide != 0 ? 2 : -1;
        input.elapsedMs = c.ms;
        input.trayReturning = c.tray;
        const Projection p = projectAt(input);
        EXPECT_EQ(p.before.slide, c.beforeSlide) << c.name;
        EXPECT_EQ(p.after.slide, c.afterSlide) << c.name;
        EXPECT_NEAR(p.before.brightness, c.before, 1e-9) << c.name;
        EXPECT_NEAR(p.after.brightness, c.after, 1e-9) << c.name;
        EXPECT_EQ(p.slaveMarker, c.marker) << c.name;
    }
}

}  // namespace
}  // namespace vistrel
