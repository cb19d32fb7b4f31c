#pragma once
// Every wait of the program goes through a Clock, so that tests can run serial
// sequences with their 50 ms polls on virtual time.
#include <cstdint>

namespace vistrel {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() = 0;
    virtual void sleepMs(int ms) = 0;
};

// The real clock: steady time and a real sleep.
class SystemClock final : public Clock {
public:
    std::int64_t nowMs() override;
    void sleepMs(int ms) override;
};

}  // namespace vistrel
