#include "app/ShowLengthCommands.h"

#include "app/CSplitterFrame.h"
#include "dialogs/ScaleDialog.h"
#include "dialogs/ShowLengthDialog.h"
#include "edits/ScaleShowCommand.h"
#include "edits/ShowHistory.h"
#include "model/ShowLengthCommands.h"
#include "views/CVistrelView.h"

namespace vistrel {

void runShowLengthCommand(CSplitterFrame& frame, Prompter& prompter, const ScaleDialog::MusicSeconds& musicSeconds) {
    ShowLengthDialog lengthDialog(frame.window());
    ScaleDialog scaleDialog(frame.window());
    scaleDialog.setMusicSeconds(musicSeconds);
    // Scaling from here is a step of the show's history like any other.
    frame.history().perform(std::make_unique<ScaleShowCommand>(frame.history(), frame.listView()->selectedRows(),
                                                               prompter, scaleDialog, &lengthDialog));
}

void runScaleShowCommand(CSplitterFrame& frame, Prompter& prompter, const ScaleDialog::MusicSeconds& musicSeconds) {
    ScaleDialog scaleDialog(frame.window());
    scaleDialog.setMusicSeconds(musicSeconds);
    frame.history().perform(
        std::make_unique<ScaleShowCommand>(frame.history(), frame.listView()->selectedRows(), prompter, scaleDialog));
}

}  // namespace vistrel
