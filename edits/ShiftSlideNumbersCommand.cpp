#include "edits/ShiftSlideNumbersCommand.h"

#include "res/strings/HistoryStrings.h"

namespace vistrel {

ShiftSlideNumbersCommand::ShiftSlideNumbersCommand(ShowHistory& history, LineOperations& lines)
    : ShowEditCommand(history), lines_(lines) {}

void ShiftSlideNumbersCommand::edit() {
    counted_ = selectedLineCount();
    lines_.shiftSlideNumbers();
}

QString ShiftSlideNumbersCommand::stepName() const {
    return countedStepText(ids::StepSlideShifted, ids::StepSlidesShifted, counted_);
}

}  // namespace vistrel
