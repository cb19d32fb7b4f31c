#include "edits/CutCommand.h"

#include "res/strings/HistoryStrings.h"

namespace vistrel {

CutCommand::CutCommand(ShowHistory& history, ClipboardCommands& clipboard)
    : ShowEditCommand(history), clipboard_(clipboard) {}

void CutCommand::edit() {
    const int before = lineCount();
    clipboard_.cutToClipboard();
    counted_ = before - lineCount();
}

QString CutCommand::stepName() const {
    return countedStepText(ids::StepLineCut, ids::StepCut, counted_);
}

}  // namespace vistrel
