#pragma once
// The window program's clock: while a serial sequence waits (a status poll, the
// pause after a command), the windows go on painting and their timers go on
// running, so the program never looks frozen. Keys and mouse clicks wait until the
// sequence is over; anything that talks to the projector from a timer must check
// that the line is free (CVistrelApp::whenLineFree).
#include "platform/Clock.h"

namespace vistrel {

class ResponsiveClock final : public Clock {
public:
    std::int64_t nowMs() override { return steady_.nowMs(); }
    void sleepMs(int ms) override;

private:
    SystemClock steady_;
};

}  // namespace vistrel
