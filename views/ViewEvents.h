#pragma once
// The private events by which the program list and the line editor hand work to
// each other. They are posted, so the receiver acts after the sender has finished.
#include <QEvent>

namespace vistrel {

// To the line editor: reload from the document's current line (code 0).
class ReloadEditorEvent : public QEvent {
public:
    static constexpr QEvent::Type Type = static_cast<QEvent::Type>(QEvent::User + 5);
    explicit ReloadEditorEvent(int code) : QEvent(Type), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

// To the program list: take over the line the editor has stored (when `applyPending`).
class ApplyLineEvent : public QEvent {
public:
    static constexpr QEvent::Type Type = static_cast<QEvent::Type>(QEvent::User + 6);
    ApplyLineEvent() : QEvent(Type) {}
};

// To the line editor itself, once it is shown: slider ranges and default positions.
class SliderSetupEvent : public QEvent {
public:
    static constexpr QEvent::Type Type = static_cast<QEvent::Type>(QEvent::User + 9);
    SliderSetupEvent() : QEvent(Type) {}
};

}  // namespace vistrel
