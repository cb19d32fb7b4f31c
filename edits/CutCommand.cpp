#include "edits/CutCommand.h"

#include <utility>

#include "res/strings/HistoryStrings.h"

namespace vistrel {

CutCommand::CutCommand(ShowHistory& history, ClipboardCommands& clipboard)
    : ShowEditCommand(history), clipboard_(&clipboard) {}

void CutCommand::edit() {
    const int before = lineCount();
    std::exchange(clipboard_, nullptr)->cutToClipboard();
    counted_ = before - lineCount();
}

QString CutCommand::stepName() const {
    return countedStepText(ids::StepLineCut, ids::StepCut, counted_);
}

}  // namespace vistrel
