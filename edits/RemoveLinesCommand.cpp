#include "edits/RemoveLinesCommand.h"

#include <utility>

#include "res/strings/HistoryStrings.h"

namespace vistrel {

RemoveLinesCommand::RemoveLinesCommand(ShowHistory& history, LineOperations& lines, bool corrected)
    : ShowEditCommand(history), lines_(&lines), corrected_(corrected) {}

void RemoveLinesCommand::edit() {
    LineOperations& lines = *std::exchange(lines_, nullptr);
    if (corrected_) {
        lines.removeLinesCorrected();
    } else {
        lines.removeLines();
    }
}

QString RemoveLinesCommand::stepName() const {
    return stepText(ids::StepLinesRemoved);
}

}  // namespace vistrel
