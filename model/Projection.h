#pragma once
// What the screen shows at a moment of a running show: the picture the line brings,
// the picture before it on its way out, how bright each of them is, and the marker of
// a slave trigger. One pure function of the times, so that the rehearsal window, the
// video export and the tests all see the same thing.
//
// Drawing it: black, then each layer's picture added with its brightness (two lamps
// on one screen add their light). A layer with slide 0 draws nothing.
//
// What each effect looks like (E is the line's effect time, D its dissolve, P the
// parameter of its code; the effect always takes exactly E):
//   plain dissolve (also every code the projector shows as one): the picture before
//       fades out while the new one fades in, over E = D;
//   "Einblenden" (fade in, P seconds): the picture before fades out to dark over D,
//       then the new one comes up slowly from dark over P seconds and D;
//   "Einfrieren" (freeze, P seconds): the dissolve runs to the half over D, stands
//       there with both pictures mixed for P seconds, then finishes over D;
//   "Blinken" (blink, P times): the picture before goes out at once; P times dark,
//       then the new picture at full light, each for D;
//   "Flashen" (flash, P times): the picture before goes out at once; P times dark for
//       one and a half D, then the new picture flashes up for half a D and stays lit
//       after the last flash;
//   "Schaukeln" (rock, P times): the light swings P times from the picture before to
//       the new one and back, each way over D; the last swing stays on the new one;
//   "Ab-/Aufblenden" and "Ab-/Aufblenden mit Pause" (fade out/in): the picture before
//       fades out to dark over the first half of E, the new one comes up over the
//       second half; with pause the show then stands until it is continued;
//   autoreverse: while the tray runs back, the last picture fades out over D and the
//       screen stays dark until line 1 comes;
//   slide number 0: the new picture is dark, so the line fades to black;
//   slave trigger: a small marker shows for one second from the start of the line
//       (mechanical 2 and 3) or from its middle (4 and 5);
//   at a pause line the new picture stands at full light until the show goes on.
#include <cstdint>

#include "model/ProgramLine.h"

namespace vistrel {

// How long the slave trigger's marker stays on the screen.
constexpr std::int64_t SlaveMarkerMs = 1000;

// A line as the projection needs it, with the values the projector runs it with.
struct ProjectedLine {
    int lineIndex = -1;  // 0-based line of the show, for a card's description
    int slide = 0;       // 0: dark
    int dissolveTenths = 0;
    int timerTenths = 0;
    int specialFunction = 0;
};
// `line` (at `lineIndex`) as the projector holds it once written (see ProgramRecord).
ProjectedLine projectedLine(const ProgramLine& line, int lineIndex);

struct ProjectionInput {
    ProjectedLine line;           // the line being shown
    int previousSlide = 0;        // the picture that goes out; 0 = dark (a run's first line)
    int previousLineIndex = -1;   // the line it belongs to (after a jump not line - 1)
    std::int64_t elapsedMs = 0;   // since the line's effect began, halted time not counted
    bool atPause = false;         // the run stands at the line's pause
    bool trayReturning = false;   // autoreverse: the tray runs back to line 1
};

struct ProjectionLayer {
    int slide = 0;          // 0: nothing to draw
    int lineIndex = -1;     // 0-based, -1 for none
    double brightness = 0;  // 0..1
};

struct Projection {
    ProjectionLayer before;  // the picture on its way out
    ProjectionLayer after;   // the picture of the line being shown
    double mix = 0;          // how far the line's effect has gone: 0 at its start, 1 once done
    bool slaveMarker = false;
};

Projection projectAt(const ProjectionInput& input);

// Two moments that look alike: a slide standing during its timer, the hold of a pause,
// the dark after an autoreverse. What looks alike is drawn once and shown again.
bool looksAlike(const Projection& a, const Projection& b);

}  // namespace vistrel
