#include "edits/CutCommand.h"

#include "res/strings/HistoryStrings.h"

namespace vistrel {

CutCommand::CutCommand(ShowHistory& history, ClipboardCommands& clipboard)
    : ShowEditCommand(history), clipboard_(clipboard) {}

void CutCommand::edit() {
    clipboard_.cutToClipboard();
}

QString CutCommand::stepName() const {
    return stepText(ids::StepCut);
}

}  // namespace vistrel
