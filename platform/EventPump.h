#pragma once
// Long serial sequences keep the windows alive by draining the message queue
// between steps. Core code asks for that through this interface only.
namespace vistrel {

class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void drain() = 0;
};

// For headless use (command line, tests): nothing to drain.
class NoEventPump final : public EventPump {
public:
    void drain() override {}
};

}  // namespace vistrel
