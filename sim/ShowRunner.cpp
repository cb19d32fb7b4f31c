#include "sim/ShowRunner.h"

#include <algorithm>

namespace vistrel::sim {

ShowRunner::ShowRunner(const ProjectorMemory& memory, int speed)
    : memory_(memory), speed_(std::max(1, speed)) {}

void ShowRunner::start(int line, std::int64_t nowMs) {
    const bool keepHalted = running_ && halted_;
    running_ = true;
    halted_ = false;
    beginLine(std::max(1, line), nowMs);
    if (keepHalted) halt(nowMs);
}

void ShowRunner::stop() {
    running_ = false;
    halted_ = false;
    line_ = 0;
    previousLine_ = 0;
}

void ShowRunner::halt(std::int64_t nowMs) {
    if (!running_ || halted_) return;
    halted_ = true;
    remainingMs_ = std::max<std::int64_t>(0, phaseEndMs_ - nowMs);
}

void ShowRunner::resume(std::int64_t nowMs) {
    if (!running_ || !halted_) return;
    halted_ = false;
    phaseEndMs_ = nowMs + remainingMs_;
}

void ShowRunner::step(std::int64_t nowMs) {
    if (!running_) return;
    halted_ = false;
    if (phase_ == Phase::Reverse) {
        beginLine(1, nowMs);
        return;
    }
    if (phase_ == Phase::Effect && pausesLeft_ > 0) {
        // A pause line is named from its dissolve on, and the program shows it as
        // paused from then on; a BV the user gives before the pause is reached is
        // taken as its continuation, so that projector and program count the same.
        --pausesLeft_;
        return;
    }
    if (phase_ == Phase::Pause) {
        if (--pausesLeft_ > 0) return;  // the second half of a double pause
        phase_ = Phase::Timer;
        phaseEndMs_ = nowMs + timerMs_;
        advanceTo(nowMs);
        return;
    }
    beginLine(line_ + 1, nowMs);
}

void ShowRunner::advanceTo(std::int64_t nowMs) {
    while (running_ && !halted_ && phase_ != Phase::Pause && nowMs >= phaseEndMs_) {
        const std::int64_t at = phaseEndMs_;
        if (phase_ == Phase::Reverse) {
            beginLine(1, at);
        } else if (phase_ == Phase::Effect) {
            if (pausesLeft_ > 0) {
                phase_ = Phase::Pause;
            } else {
                phase_ = Phase::Timer;
                phaseEndMs_ = at + timerMs_;
            }
        } else {
            beginLine(line_ + 1, at);
        }
    }
}

ShowRunner::Position ShowRunner::position(std::int64_t nowMs) const {
    Position at;
    if (!running_) return at;
    at.running = true;
    at.halted = halted_;
    at.line = line_;
    at.previousLine = previousLine_;
    at.phase = phase_;
    at.effectMs = effectMs_;
    at.timerMs = timerMs_;
    at.pausesLeft = pausesLeft_;
    switch (phase_) {
        case Phase::Effect: at.phaseLengthMs = effectMs_; break;
        case Phase::Timer: at.phaseLengthMs = timerMs_; break;
        case Phase::Reverse: at.phaseLengthMs = reverseMs_; break;
        case Phase::Pause: at.phaseLengthMs = 0; break;
    }
    if (phase_ != Phase::Pause) {
        const std::int64_t remaining = halted_ ? remainingMs_ : phaseEndMs_ - nowMs;
        at.phaseElapsedMs = std::clamp<std::int64_t>(at.phaseLengthMs - remaining, 0, at.phaseLengthMs);
    }
    return at;
}

void ShowRunner::beginLine(int line, std::int64_t atMs) {
    if (line > MaxShowRecords) {
        stop();
        return;
    }
    const ShowRecord record = memory_.record(line - 1);
    if (record.isEndRecord()) {
        stop();
        return;
    }
    // What stood on the screen before: nothing after the tray ran back.
    previousLine_ = running_ && line_ > 0 && phase_ != Phase::Reverse ? line_ : 0;
    line_ = line;
    const LineTiming timing = record.timing();
    if (line != 1 && timing.autoreverse) {
        const std::int64_t backMs =
            scaled(std::int64_t{record.dissolveTenths} * 100 + std::int64_t{record.timerHundredths} * 10);
        if (backMs == 0) {
            phase_ = Phase::Reverse;  // the tray went back, however quickly
            beginLine(1, atMs);
            return;
        }
        phase_ = Phase::Reverse;
        pausesLeft_ = 0;
        reverseMs_ = backMs;
        phaseEndMs_ = atMs + backMs;
        return;
    }
    phase_ = Phase::Effect;
    pausesLeft_ = timing.pauseCount();
    effectMs_ = scaled(timing.effectTenths * 100);
    timerMs_ = scaled(std::int64_t{record.timerHundredths} * 10);
    // A line that neither pauses nor takes any time would let the show race without
    // end once sped up; every such line stands for at least one millisecond.
    if (pausesLeft_ == 0 && effectMs_ + timerMs_ == 0) timerMs_ = 1;
    phaseEndMs_ = atMs + effectMs_;
}

}  // namespace vistrel::sim
