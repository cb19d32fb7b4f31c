#include "app/CommandKeyGuard.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include "res/CommandIds.h"

namespace vistrel {

CommandKeyGuard::CommandKeyGuard(QWidget& window, const QHash<int, QAction*>& actions,
                                 std::function<void()> refreshRules)
    : QObject(&window), window_(window), actions_(actions), refreshRules_(std::move(refreshRules)) {
    qApp->installEventFilter(this);
}

QAction* CommandKeyGuard::commandFor(const QKeyEvent& key) const {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const QKeySequence pressed(QKeyCombination(modifiers, Qt::Key(key.key())));
    for (QAction* action : actions_) {
        for (const QKeySequence& shortcut : action->shortcuts()) {
            if (shortcut == pressed) return action;
        }
    }
    return nullptr;
}

bool CommandKeyGuard::fieldKeeps(const QAction& command) {
    const int id = command.data().toInt();
    if (id != cmd::EditUndo && id != cmd::EditRedo) return true;
    QWidget* focus = QApplication::focusWidget();
    const bool redo = id == cmd::EditRedo;
    if (auto* line = qobject_cast<QLineEdit*>(focus)) return redo ? line->isRedoAvailable() : line->isUndoAvailable();
    if (auto* text = qobject_cast<QPlainTextEdit*>(focus)) {
        return redo ? text->document()->isRedoAvailable() : text->document()->isUndoAvailable();
    }
    return true;
}

bool CommandKeyGuard::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    // Dialogs and other windows have keys of their own.
    if (!widget || widget->window() != &window_) return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    QAction* command = commandFor(key);

    if (type == QEvent::ShortcutOverride) {
        // Asked just before the shortcuts are matched: the rules decide with the state
        // of this moment.
        if (!command) return false;
        refreshRules_();
        if (fieldKeeps(*command)) return false;
        // Kept from the field (and the widgets around it): the command's shortcut acts.
        event->ignore();
        return true;
    }
    // A key press that got this far was not taken as a shortcut: either its command is
    // disabled, or the field claimed the combination as its own (Ctrl+C in a field).
    if (command) return !command->isEnabled();
    const bool alt = key.modifiers() & Qt::AltModifier;
    const bool ctrl = key.modifiers() & Qt::ControlModifier;
    return alt && !ctrl && !key.text().isEmpty();
}

}  // namespace vistrel
