#include "edits/ShiftSlideNumbersCommand.h"

#include <utility>

#include "res/strings/HistoryStrings.h"

namespace vistrel {

ShiftSlideNumbersCommand::ShiftSlideNumbersCommand(ShowHistory& history, LineOperations& lines)
    : ShowEditCommand(history), lines_(&lines) {}

void ShiftSlideNumbersCommand::edit() {
    std::exchange(lines_, nullptr)->shiftSlideNumbers();
}

QString ShiftSlideNumbersCommand::stepName() const {
    return stepText(ids::StepSlidesShifted);
}

}  // namespace vistrel
