#pragma once
// Virtual time for tests: sleeping only moves the clock on, and anything that
// wants to follow time (the virtual projector) is told about it.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/Clock.h"

namespace vistrel {

class VirtualClock final : public Clock {
public:
    std::int64_t nowMs() override { return now_; }
    void sleepMs(int ms) override { advance(ms); }

    void advance(std::int64_t ms) {
        if (ms <= 0) return;
        now_ += ms;
        for (auto& listener : listeners_) listener(now_);
    }
    // Called with the new time after every advance.
    void onAdvance(std::function<void(std::int64_t)> listener) { listeners_.push_back(std::move(listener)); }

private:
    std::int64_t now_ = 0;
    std::vector<std::function<void(std::int64_t)>> listeners_;
};

}  // namespace vistrel
