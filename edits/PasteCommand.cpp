#include "edits/PasteCommand.h"

#include "res/strings/HistoryStrings.h"

namespace vistrel {

PasteCommand::PasteCommand(ShowHistory& history, ClipboardCommands& clipboard)
    : ShowEditCommand(history), clipboard_(clipboard) {}

void PasteCommand::edit() {
    clipboard_.pasteFromClipboard();
}

QString PasteCommand::stepName() const {
    return stepText(ids::StepPasted);
}

}  // namespace vistrel
