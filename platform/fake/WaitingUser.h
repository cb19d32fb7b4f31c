#pragma once
// Progress windows for tests with a user in front of the waits for the projector, on
// virtual time: every wait is recorded (once a clock is set), and one that has lasted
// cancelAfterMs is ended as "Abbrechen" would end it.
#include <cstdint>
#include <vector>

#include "platform/ProgressWindows.h"
#include "platform/fake/VirtualClock.h"

namespace vistrel {

class WaitingProgressWindows : public ProgressWindows {
public:
    VirtualClock* clock = nullptr;
    int cancelAfterMs = -1;  // -1: the user waits as long as the program does
    struct Wait {
        WaitKind kind;
        std::int64_t beganMs;
        std::int64_t lastedMs = -1;  // -1 while it goes on
    };
    std::vector<Wait> waits;

    bool waiting() const { return !waits.empty() && waits.back().lastedMs < 0; }
    void beginWait(WaitKind kind) override {
        if (clock) waits.push_back({kind, clock->nowMs()});
    }
    void endWait() override {
        if (waiting()) waits.back().lastedMs = clock->nowMs() - waits.back().beganMs;
    }
    bool waitCancelled() override {
        return waiting() && cancelAfterMs >= 0 && clock->nowMs() - waits.back().beganMs >= cancelAfterMs;
    }
};

}  // namespace vistrel
