#pragma once
// Where an edit command of the "Bearbeiten" menu goes in a show window: to the line
// editor's field while the user works in the editor (cut, copy, paste, select all and
// the field's own typing undone), else to the program list; undo and redo that no field
// takes go to the show's history.
namespace vistrel {

class CSplitterFrame;

// Whether `frame`'s pane for `commandId` enables it.
bool viewEnables(CSplitterFrame& frame, int commandId);
// Runs `commandId` in `frame`'s pane for it; false when that pane has no such command.
bool routeToView(CSplitterFrame& frame, int commandId);
// Undo or redo: the typing in the line editor's field first, then the show's steps.
void undoOrRedo(CSplitterFrame& frame, int commandId);

}  // namespace vistrel
