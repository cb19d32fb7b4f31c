#include "views/EditorKeys.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

namespace vistrel {

EditorKeys::EditorKeys(QPlainTextEdit& description, std::initializer_list<QWidget*> controls,
                       std::function<void()> apply, QObject* parent)
    : QObject(parent), description_(description), apply_(std::move(apply)) {
    description_.installEventFilter(this);
    for (QWidget* control : controls) control->installEventFilter(this);
}

bool EditorKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            apply_();
            return true;
        }
    }
    if (watched == &description_ && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) description_.selectAll();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vistrel
