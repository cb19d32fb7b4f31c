#include "edits/RemoveLinesCommand.h"

#include "res/strings/HistoryStrings.h"

namespace vistrel {

RemoveLinesCommand::RemoveLinesCommand(ShowHistory& history, LineOperations& lines, bool corrected)
    : ShowEditCommand(history), lines_(lines), corrected_(corrected) {}

void RemoveLinesCommand::edit() {
    const int before = lineCount();
    if (corrected_) {
        lines_.removeLinesCorrected();
    } else {
        lines_.removeLines();
    }
    counted_ = before - lineCount();
}

QString RemoveLinesCommand::stepName() const {
    return countedStepText(ids::StepLineRemoved, ids::StepLinesRemoved, counted_);
}

}  // namespace vistrel
