#include "app/ShowLengthCommands.h"

#include "app/CSplitterFrame.h"
#include "dialogs/ScaleDialog.h"
#include "dialogs/ShowLengthDialog.h"
#include "model/ShowLengthCommands.h"
#include "views/CVistrelView.h"

namespace vistrel {

void runShowLengthCommand(CSplitterFrame& frame, Prompter& prompter) {
    ShowLengthDialog lengthDialog(frame.window());
    ScaleDialog scaleDialog(frame.window());
    showLength(frame.document(), frame.listView()->selectedRows(), prompter, lengthDialog, scaleDialog);
}

void runScaleShowCommand(CSplitterFrame& frame, Prompter& prompter) {
    ScaleDialog scaleDialog(frame.window());
    scaleShow(frame.document(), frame.listView()->selectedRows(), prompter, scaleDialog);
}

}  // namespace vistrel
