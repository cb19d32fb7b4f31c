#include "edits/RemoveLinesCommand.h"

#include "res/strings/HistoryStrings.h"

namespace vistrel {

RemoveLinesCommand::RemoveLinesCommand(ShowHistory& history, LineOperations& lines, bool corrected)
    : ShowEditCommand(history), lines_(lines), corrected_(corrected) {}

void RemoveLinesCommand::edit() {
    if (corrected_) {
        lines_.removeLinesCorrected();
    } else {
        lines_.removeLines();
    }
}

QString RemoveLinesCommand::stepName() const {
    return stepText(ids::StepLinesRemoved);
}

}  // namespace vistrel
