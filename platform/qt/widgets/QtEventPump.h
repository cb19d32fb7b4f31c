#pragma once
// Keeps the windows alive during long serial sequences: handles whatever input and
// paint events are waiting, then returns at once.
#include "platform/EventPump.h"

namespace vistrel {

class QtEventPump final : public EventPump {
public:
    void drain() override;
};

}  // namespace vistrel
