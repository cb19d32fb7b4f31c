#include "edits/ShiftSlideNumbersCommand.h"

#include "res/strings/HistoryStrings.h"

namespace vistrel {

ShiftSlideNumbersCommand::ShiftSlideNumbersCommand(ShowHistory& history, LineOperations& lines)
    : ShowEditCommand(history), lines_(lines) {}

void ShiftSlideNumbersCommand::edit() {
    lines_.shiftSlideNumbers();
}

QString ShiftSlideNumbersCommand::stepName() const {
    return stepText(ids::StepSlidesShifted);
}

}  // namespace vistrel
