#pragma once
// The private event the line editor posts to itself once it is shown: slider ranges
// and default positions, after the first layout.
#include <QEvent>

namespace vistrel {

class SliderSetupEvent : public QEvent {
public:
    static constexpr QEvent::Type Type = static_cast<QEvent::Type>(QEvent::User + 9);
    SliderSetupEvent() : QEvent(Type) {}
};

}  // namespace vistrel
