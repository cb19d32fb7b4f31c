#include "edits/SetTimersCommand.h"

#include <utility>

#include "res/strings/HistoryStrings.h"

namespace vistrel {

SetTimersCommand::SetTimersCommand(ShowHistory& history, LineOperations& lines, bool toZero)
    : ShowEditCommand(history), lines_(&lines), toZero_(toZero) {}

void SetTimersCommand::edit() {
    counted_ = selectedLineCount();
    LineOperations& lines = *std::exchange(lines_, nullptr);
    if (toZero_) {
        lines.clearTimers();
    } else {
        lines.setTimers();
    }
}

QString SetTimersCommand::stepName() const {
    return countedStepText(ids::StepTimerSet, ids::StepTimersSet, counted_);
}

}  // namespace vistrel
