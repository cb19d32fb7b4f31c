#include "edits/MoveLinesCommand.h"

#include <utility>

#include "res/strings/HistoryStrings.h"

namespace vistrel {

MoveLinesCommand::MoveLinesCommand(ShowHistory& history, LineMoving& moving, LineMove move)
    : ShowEditCommand(history), moving_(&moving), move_(move) {}

void MoveLinesCommand::edit() { std::exchange(moving_, nullptr)->moveSelected(move_); }

QString MoveLinesCommand::stepName() const { return stepText(ids::StepLinesMoved); }

}  // namespace vistrel
