#include "edits/PasteCommand.h"

#include <utility>

#include "res/strings/HistoryStrings.h"

namespace vistrel {

PasteCommand::PasteCommand(ShowHistory& history, ClipboardCommands& clipboard)
    : ShowEditCommand(history), clipboard_(&clipboard) {}

void PasteCommand::edit() {
    std::exchange(clipboard_, nullptr)->pasteFromClipboard();
}

QString PasteCommand::stepName() const {
    return stepText(ids::StepPasted);
}

}  // namespace vistrel
