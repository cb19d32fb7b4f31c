#pragma once
// Ctrl+C for the commands that talk to the projector. While an InterruptWatch lives,
// SIGINT no longer ends the program on the spot: it is noted, every wait for the
// projector and every transfer sees it (TerminalProgressWindows::waitCancelled) and
// fails at its next step, sleeps end early, and the command ends within a second with
// exit code 130, its port closed and its log written. The handler only notes the
// interrupt and wakes a waiting poll() through a pipe.
#include <cstdint>

#include "platform/Clock.h"

namespace vistrel::cli {

// Exit code after Ctrl+C, as the shell reports a program ended by SIGINT.
inline constexpr int InterruptedExit = 130;

class InterruptWatch {
public:
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;
};

// True once Ctrl+C was pressed while a watch lived; stays true.
bool interruptRequested();
// A descriptor that becomes readable at an interrupt (for poll()), -1 without a watch.
int interruptWakeFd();
// `code`, or InterruptedExit when the user pressed Ctrl+C.
inline int exitCodeAfterInterrupt(int code) { return interruptRequested() ? InterruptedExit : code; }

// The clock of the projector commands: a sleep ends early at Ctrl+C.
class InterruptibleClock final : public Clock {
public:
    std::int64_t nowMs() override { return steady_.nowMs(); }
    void sleepMs(int ms) override;

private:
    SystemClock steady_;
};

}  // namespace vistrel::cli
