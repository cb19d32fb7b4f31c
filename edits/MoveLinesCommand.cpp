#include "edits/MoveLinesCommand.h"

#include "res/strings/HistoryStrings.h"

namespace vistrel {

MoveLinesCommand::MoveLinesCommand(ShowHistory& history, LineMoving& moving, LineMove move)
    : ShowEditCommand(history), moving_(moving), move_(move) {}

void MoveLinesCommand::edit() { moving_.moveSelected(move_); }

QString MoveLinesCommand::stepName() const { return stepText(ids::StepLinesMoved); }

}  // namespace vistrel
