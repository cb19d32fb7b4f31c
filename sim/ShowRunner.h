#pragma once
// The show as the projector runs it on its own timers. Each line first dissolves in
// (its dissolve time), then waits at its pauses for BV, then stands for its timer
// time; then the next line follows. Durations are divided by the speed factor.
// Lines are read from memory as they begin, so an edited line takes effect the next
// time it is reached.
#include <cstdint>

#include "sim/ProjectorMemory.h"

namespace vistrel::sim {

class ShowRunner {
public:
    ShowRunner(const ProjectorMemory& memory, int speed);

    // Runs from a 1-based line (0 counts as 1). A halted show stays halted at the new line.
    void start(int line, std::int64_t nowMs);
    void stop();
    void halt(std::int64_t nowMs);
    void resume(std::int64_t nowMs);
    // BV: leaves a pause, or moves on to the next line at once; also ends a halt.
    void step(std::int64_t nowMs);
    void advanceTo(std::int64_t nowMs);

    bool running() const { return running_; }
    bool halted() const { return running_ && halted_; }
    bool atPause() const { return running_ && phase_ == Phase::Pause; }
    // 1-based line being shown; 0 when no show runs.
    int currentLine() const { return running_ ? line_ : 0; }

private:
    enum class Phase { Dissolve, Pause, Timer };

    void beginLine(int line, std::int64_t atMs, bool mayReverse);
    std::int64_t scaled(std::int64_t ms) const { return ms / speed_; }

    const ProjectorMemory& memory_;
    int speed_;
    bool running_ = false;
    bool halted_ = false;
    int line_ = 0;
    Phase phase_ = Phase::Dissolve;
    std::int64_t phaseEndMs_ = 0;
    std::int64_t remainingMs_ = 0;  // of the current phase while halted
    int pausesLeft_ = 0;
    std::int64_t timerMs_ = 0;
};

}  // namespace vistrel::sim
