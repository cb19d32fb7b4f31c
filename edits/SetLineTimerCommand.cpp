#include "edits/SetLineTimerCommand.h"

#include "model/LineOperations.h"
#include "res/strings/HistoryStrings.h"

namespace vistrel {

SetLineTimerCommand::SetLineTimerCommand(ShowHistory& history, ShowEditing editing, int line, int tenths)
    : ShowEditCommand(history), editing_(editing), line_(line), tenths_(tenths) {}

void SetLineTimerCommand::edit() {
    LineOperations(*editing_, nullptr).setTimer(line_, tenths_);
    editing_.reset();
}

QString SetLineTimerCommand::stepName() const { return stepText(ids::StepLineTimerChanged, line_ + 1); }

}  // namespace vistrel
