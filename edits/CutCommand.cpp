#include "edits/CutCommand.h"

#include <utility>

#include "res/strings/HistoryStrings.h"

namespace vistrel {

CutCommand::CutCommand(ShowHistory& history, ClipboardCommands& clipboard)
    : ShowEditCommand(history), clipboard_(&clipboard) {}

void CutCommand::edit() {
    std::exchange(clipboard_, nullptr)->cutToClipboard();
}

QString CutCommand::stepName() const {
    return stepText(ids::StepCut);
}

}  // namespace vistrel
