#include "edits/SetTimersCommand.h"

#include "res/strings/HistoryStrings.h"

namespace vistrel {

SetTimersCommand::SetTimersCommand(ShowHistory& history, LineOperations& lines, bool toZero)
    : ShowEditCommand(history), lines_(lines), toZero_(toZero) {}

void SetTimersCommand::edit() {
    counted_ = selectedLineCount();
    if (toZero_) {
        lines_.clearTimers();
    } else {
        lines_.setTimers();
    }
}

QString SetTimersCommand::stepName() const {
    return countedStepText(ids::StepTimerSet, ids::StepTimersSet, counted_);
}

}  // namespace vistrel
