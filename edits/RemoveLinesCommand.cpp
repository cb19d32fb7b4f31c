#include "edits/RemoveLinesCommand.h"

#include <utility>

#include "res/strings/HistoryStrings.h"

namespace vistrel {

RemoveLinesCommand::RemoveLinesCommand(ShowHistory& history, LineOperations& lines, bool corrected)
    : ShowEditCommand(history), lines_(&lines), corrected_(corrected) {}

void RemoveLinesCommand::edit() {
    const int before = lineCount();
    LineOperations& lines = *std::exchange(lines_, nullptr);
    if (corrected_) {
        lines.removeLinesCorrected();
    } else {
        lines.removeLines();
    }
    counted_ = before - lineCount();
}

QString RemoveLinesCommand::stepName() const {
    return countedStepText(ids::StepLineRemoved, ids::StepLinesRemoved, counted_);
}

}  // namespace vistrel
