#include "app/ActivePane.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

namespace vistrel {

namespace {

bool within(QObject* watched, const QWidget& pane) {
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && (widget == &pane || pane.isAncestorOf(widget));
}

// The focus moved because the user moved it, not because the program did.
bool byTheUser(Qt::FocusReason reason) {
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

bool isEditKey(const QKeyEvent& key) {
    return key.matches(QKeySequence::Copy) || key.matches(QKeySequence::Cut) || key.matches(QKeySequence::Paste) ||
           key.matches(QKeySequence::SelectAll);
}

}  // namespace

ActivePane::ActivePane(QWidget& owner, QWidget& editor, QWidget& list)
    : QObject(&owner), editor_(editor), list_(list) {
    qApp->installEventFilter(this);
}

bool ActivePane::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (within(watched, editor_)) editorActive_ = true;
            if (within(watched, list_)) editorActive_ = false;
            break;
        case QEvent::FocusIn:
            if (!byTheUser(static_cast<QFocusEvent*>(event)->reason())) break;
            if (within(watched, editor_)) editorActive_ = true;
            if (within(watched, list_)) editorActive_ = false;
            break;
        case QEvent::KeyPress: {
            // Typing into a field is turning to the editor as much as clicking into it.
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool typing = !key->text().isEmpty() && key->text().front().isPrint() &&
                                !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
            if (typing && within(watched, editor_)) editorActive_ = true;
            break;
        }
        case QEvent::ShortcutOverride:
            // A field of the editor claims the edit keys for itself; while the list is
            // the pane in use they stay the menu's, which act on the list. The event
            // goes unanswered, so the shortcut (or, while disabled, nothing) follows.
            if (!editorActive_ && within(watched, editor_) && isEditKey(*static_cast<QKeyEvent*>(event)))
                return true;
            break;
        default:
            break;
    }
    return false;
}

}  // namespace vistrel
