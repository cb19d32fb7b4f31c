#pragma once
// The "Bearbeiten" menu in the line editor: cut, copy, paste, select all, and undo and
// redo of the typing not yet taken over, on the editor's field that has the keyboard.
// Cut and paste are off while a show runs, as they are in the list.
class QWidget;

namespace vistrel {

struct RunState;

class EditorFieldCommands {
public:
    EditorFieldCommands(const QWidget& editor, const RunState& runState) : editor_(editor), runState_(runState) {}

    bool isEnabled(int commandId) const;
    // Runs the command on the field; false when no field of the editor has the keyboard
    // or the command is off.
    bool run(int commandId);

private:
    // The editor's text field with the keyboard, or null.
    QWidget* focusedField() const;

    const QWidget& editor_;
    const RunState& runState_;
};

}  // namespace vistrel
