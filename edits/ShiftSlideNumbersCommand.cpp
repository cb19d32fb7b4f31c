#include "edits/ShiftSlideNumbersCommand.h"

#include <utility>

#include "res/strings/HistoryStrings.h"

namespace vistrel {

ShiftSlideNumbersCommand::ShiftSlideNumbersCommand(ShowHistory& history, LineOperations& lines)
    : ShowEditCommand(history), lines_(&lines) {}

void ShiftSlideNumbersCommand::edit() {
    counted_ = selectedLineCount();
    std::exchange(lines_, nullptr)->shiftSlideNumbers();
}

QString ShiftSlideNumbersCommand::stepName() const {
    return countedStepText(ids::StepSlideShifted, ids::StepSlidesShifted, counted_);
}

}  // namespace vistrel
