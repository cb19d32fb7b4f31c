#include "views/EditorFieldCommands.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "projector/RunState.h"
#include "res/CommandIds.h"

namespace vistrel {

QWidget* EditorFieldCommands::focusedField() const {
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !editor_.isAncestorOf(focus)) return nullptr;
    if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus)) return focus;
    return nullptr;
}

bool EditorFieldCommands::isEnabled(int commandId) const {
    QWidget* field = focusedField();
    auto* line = qobject_cast<QLineEdit*>(field);
    auto* text = qobject_cast<QPlainTextEdit*>(field);
    switch (commandId) {
        // The typing in the field, not yet taken over into the show.
        case cmd::EditUndo:
            return (line && line->isUndoAvailable()) || (text && text->document()->isUndoAvailable());
        case cmd::EditRedo:
            return (line && line->isRedoAvailable()) || (text && text->document()->isRedoAvailable());
        case cmd::EditCopy:
        case cmd::EditSelectAll:
            return focusedField() != nullptr;
        case cmd::EditCut:
        case cmd::EditPaste:
            return focusedField() != nullptr && !runState_.showRunning;
        default:
            return false;
    }
}

bool EditorFieldCommands::run(int commandId) {
    QWidget* field = focusedField();
    if (!field || !isEnabled(commandId)) return false;
    auto* line = qobject_cast<QLineEdit*>(field);
    auto* text = qobject_cast<QPlainTextEdit*>(field);
    switch (commandId) {
        case cmd::EditCopy:
            line ? line->copy() : text->copy();
            return true;
        case cmd::EditCut:
            line ? line->cut() : text->cut();
            return true;
        case cmd::EditPaste:
            line ? line->paste() : text->paste();
            return true;
        case cmd::EditSelectAll:
            line ? line->selectAll() : text->selectAll();
            return true;
        case cmd::EditUndo:
            line ? line->undo() : text->undo();
            return true;
        case cmd::EditRedo:
            line ? line->redo() : text->redo();
            return true;
        default:
            return false;
    }
}

}  // namespace vistrel
