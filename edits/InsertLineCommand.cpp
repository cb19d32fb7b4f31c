#include "edits/InsertLineCommand.h"

#include "res/strings/HistoryStrings.h"

namespace vistrel {

InsertLineCommand::InsertLineCommand(ShowHistory& history, LineOperations& lines, bool corrected)
    : ShowEditCommand(history), lines_(lines), corrected_(corrected) {}

void InsertLineCommand::edit() {
    if (corrected_) {
        lines_.insertLineCorrected();
    } else {
        lines_.insertLine();
    }
}

QString InsertLineCommand::stepName() const {
    return stepText(ids::StepLineInserted);
}

}  // namespace vistrel
