#pragma once
// Test stand-in for the user in front of the waits for the projector, on virtual
// time: records every wait (what for, how long it lasted) and, when told to, ends a
// wait once it has lasted a given time, as a press on "Abbrechen" would.
#include <cstdint>
#include <vector>

#include "platform/ProgressWindows.h"
#include "platform/fake/VirtualClock.h"

namespace vistrel {

class WaitingUser {
public:
    explicit WaitingUser(VirtualClock& clock) : clock_(clock) {}

    // -1: waits as long as the program does.
    int cancelAfterMs = -1;

    struct Wait {
        ProgressWindows::WaitKind kind;
        std::int64_t beganMs;
        std::int64_t lastedMs = -1;  // -1 while it goes on
        bool cancelled = false;
    };
    std::vector<Wait> waits;

    bool waiting() const { return !waits.empty() && waits.back().lastedMs < 0; }
    // The waits that lasted at least `ms` (those the window program shows).
    std::vector<ProgressWindows::WaitKind> longerThan(int ms) const {
        std::vector<ProgressWindows::WaitKind> kinds;
        for (const Wait& w : waits)
            if (w.lastedMs >= ms) kinds.push_back(w.kind);
        return kinds;
    }

    void begin(ProgressWindows::WaitKind kind) { waits.push_back({kind, clock_.nowMs()}); }
    void end() {
        if (waiting()) waits.back().lastedMs = clock_.nowMs() - waits.back().beganMs;
    }
    bool cancelled() {
        if (!waiting() || cancelAfterMs < 0) return false;
        Wait& w = waits.back();
        if (clock_.nowMs() - w.beganMs >= cancelAfterMs) w.cancelled = true;
        return w.cancelled;
    }

private:
    VirtualClock& clock_;
};

// Progress windows for tests whose waits go to a WaitingUser, when one is set.
class ProgressWindowsWithUser : public ProgressWindows {
public:
    WaitingUser* user = nullptr;
    void beginWait(WaitKind kind) override {
        if (user) user->begin(kind);
    }
    void endWait() override {
        if (user) user->end();
    }
    bool waitCancelled() override { return user && user->cancelled(); }
};

}  // namespace vistrel
