#pragma once
// How a program line runs, in tenths of a second: first its light effect (a dissolve,
// a fade out and in, blinking and the like), then, at a pause line, the wait for the
// user, then its timer. The virtual projector runs lines with these times, the show
// length adds them up, and the timeline and the projection draw from them, so that all
// of them agree on how long every line takes.
#include <cstdint>

namespace vistrel {

struct LineTiming {
    // The time from the start of the line until its timer starts.
    std::int64_t effectTenths = 0;
    std::int64_t timerTenths = 0;
    // Timer 0: the projector waits at the line once its effect is done.
    bool timerPause = false;
    // Fade out/in with pause (light digit 7): one more wait, so that a line with both
    // needs two continuations.
    bool effectPause = false;
    // Mechanical function 1, 3 or 5: reaching the line sends the tray back to line 1.
    bool autoreverse = false;
    // The show length stops counting after this line (autoreverse with a plain dissolve
    // or one of the two fade out/in functions).
    bool endsCounting = false;
    // False for codes whose light digit means nothing (0, 8 or 9 beside a parameter or an
    // odd mechanical digit): the show length counts such a line as nothing at all, while
    // the projector shows it as a plain dissolve.
    bool countedInLength = true;

    int pauseCount() const { return (timerPause ? 1 : 0) + (effectPause ? 1 : 0); }
    // What the show length adds for this line.
    std::int64_t lengthTenths() const { return countedInLength ? effectTenths + timerTenths : 0; }
};

// The effect takes, with D the dissolve and P the code's parameter digit:
//   plain dissolve                       D
//   fade out/in (with or without pause)  2·D  (D out, D in)
//   fade in or freeze for P seconds      10·P + 2·D
//   blink, flash or rock P times         2·P·D
//   autoreverse lines (100, 160, 170, 300, 360, 370, 500, 560, 570)  D
LineTiming lineTiming(int specialFunction, std::int64_t dissolveTenths, std::int64_t timerTenths);

}  // namespace vistrel
