#include "app/EditCommandRouting.h"

#include <QApplication>

#include "app/CSplitterFrame.h"
#include "edits/ShowHistory.h"
#include "res/CommandIds.h"
#include "views/CEditZeile.h"
#include "views/CVistrelView.h"

namespace vistrel {

namespace {

// The edit commands that act on the field with the focus when the user works in the line editor.
bool isEditCommand(int commandId) {
    return commandId == cmd::EditCut || commandId == cmd::EditCopy || commandId == cmd::EditPaste ||
           commandId == cmd::EditRemove || commandId == cmd::EditSelectAll || commandId == cmd::EditUndo ||
           commandId == cmd::EditRedo;
}

bool editorFieldHasFocus(CSplitterFrame& frame) {
    QWidget* focus = QApplication::focusWidget();
    return frame.editorIsActivePane() && focus && frame.editor()->isAncestorOf(focus);
}

}  // namespace

bool viewEnables(CSplitterFrame& frame, int commandId) {
    if (isEditCommand(commandId) && editorFieldHasFocus(frame)) return frame.editor()->isCommandEnabled(commandId);
    return frame.listView()->isCommandEnabled(commandId);
}

bool routeToView(CSplitterFrame& frame, int commandId) {
    if (isEditCommand(commandId) && editorFieldHasFocus(frame)) return frame.editor()->handleCommand(commandId);
    return frame.listView()->handleCommand(commandId);
}

void undoOrRedo(CSplitterFrame& frame, int commandId) {
    // As in any text field, typing not yet taken over is taken back first.
    if (editorFieldHasFocus(frame) && frame.editor()->isCommandEnabled(commandId)) {
        frame.editor()->handleCommand(commandId);
        return;
    }
    if (commandId == cmd::EditUndo) {
        frame.history().undo();
    } else {
        frame.history().redo();
    }
}

}  // namespace vistrel
