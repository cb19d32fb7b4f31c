#include "app/ShowLengthCommands.h"

#include "app/CSplitterFrame.h"
#include "dialogs/ScaleDialog.h"
#include "dialogs/ShowLengthDialog.h"
#include "model/ShowLengthCommands.h"
#include "views/CVistrelView.h"

namespace vistrel {

void runShowLengthCommand(CSplitterFrame& frame, Prompter& prompter, const ScaleDialog::MusicSeconds& musicSeconds) {
    ShowLengthDialog lengthDialog(frame.window());
    ScaleDialog scaleDialog(frame.window());
    scaleDialog.setMusicSeconds(musicSeconds);
    showLength(frame.document(), frame.listView()->selectedRows(), prompter, lengthDialog, scaleDialog);
}

void runScaleShowCommand(CSplitterFrame& frame, Prompter& prompter, const ScaleDialog::MusicSeconds& musicSeconds) {
    ScaleDialog scaleDialog(frame.window());
    scaleDialog.setMusicSeconds(musicSeconds);
    scaleShow(frame.document(), frame.listView()->selectedRows(), prompter, scaleDialog);
}

}  // namespace vistrel
