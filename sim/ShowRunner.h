#pragma once
// The show as the projector runs it on its own timers. Each line first shows its
// light effect (a plain dissolve, or fading, blinking and the like for as long as
// the effect takes), then waits at its pauses for BV, then stands for its timer
// time; then the next line follows. Durations are divided by the speed factor.
// Lines are read from memory as they begin, so an edited line takes effect the next
// time it is reached.
//
// A line with an autoreverse mechanical function is not shown: when the show reaches
// it, the tray runs back for that line's dissolve and timer time, during which the
// projector names no line (AZ 0) though the show still runs, and then line 1 follows.
// It does not pause there: nobody could tell the projector stands at a line it does
// not name. Line 1 carrying autoreverse is shown as a plain line, since going back to
// where the tray already is would never end.
#include <cstdint>

#include "sim/ProjectorMemory.h"

namespace vistrel::sim {

class ShowRunner {
public:
    enum class Phase { Effect, Pause, Timer, Reverse };

    // Where the show stands at a moment, to the millisecond, for a screen that draws
    // what the projector shows. Times are as the show runs them (after the speed
    // factor) and stand still while the show is halted.
    struct Position {
        bool running = false;
        bool halted = false;
        int line = 0;          // 1-based line begun last; while the tray runs back, the autoreverse line
        int previousLine = 0;  // the line shown before it; 0 after the start and after the tray ran back
        Phase phase = Phase::Effect;
        std::int64_t phaseElapsedMs = 0;  // how far into its phase
        std::int64_t phaseLengthMs = 0;   // how long the phase lasts (0 for a pause: it waits)
        std::int64_t effectMs = 0;        // the line's light effect
        std::int64_t timerMs = 0;         // the line's timer
        int pausesLeft = 0;               // continuations the line still waits for
    };

    ShowRunner(const ProjectorMemory& memory, int speed);

    // Runs from a 1-based line (0 counts as 1). A halted show stays halted at the new line.
    void start(int line, std::int64_t nowMs);
    void stop();
    void halt(std::int64_t nowMs);
    void resume(std::int64_t nowMs);
    // BV: leaves a pause (also one still to come on the line being dissolved in), or
    // moves on to the next line at once; also ends a halt and cuts a running-back tray
    // short.
    void step(std::int64_t nowMs);
    void advanceTo(std::int64_t nowMs);

    bool running() const { return running_; }
    bool halted() const { return running_ && halted_; }
    bool atPause() const { return running_ && phase_ == Phase::Pause; }
    bool reversing() const { return running_ && phase_ == Phase::Reverse; }
    // 1-based line being shown; 0 when no show runs or the tray is running back.
    int currentLine() const { return running_ && phase_ != Phase::Reverse ? line_ : 0; }
    // The position at nowMs; the show must have been advanced to nowMs.
    Position position(std::int64_t nowMs) const;

private:

    void beginLine(int line, std::int64_t atMs);
    std::int64_t scaled(std::int64_t ms) const { return ms / speed_; }

    const ProjectorMemory& memory_;
    int speed_;
    bool running_ = false;
    bool halted_ = false;
    int line_ = 0;
    int previousLine_ = 0;
    Phase phase_ = Phase::Effect;
    std::int64_t phaseEndMs_ = 0;
    std::int64_t remainingMs_ = 0;  // of the current phase while halted
    int pausesLeft_ = 0;
    std::int64_t timerMs_ = 0;
    std::int64_t effectMs_ = 0;
    std::int64_t reverseMs_ = 0;
};

}  // namespace vistrel::sim
