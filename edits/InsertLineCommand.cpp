#include "edits/InsertLineCommand.h"

#include <utility>

#include "res/strings/HistoryStrings.h"

namespace vistrel {

InsertLineCommand::InsertLineCommand(ShowHistory& history, LineOperations& lines, bool corrected)
    : ShowEditCommand(history), lines_(&lines), corrected_(corrected) {}

void InsertLineCommand::edit() {
    LineOperations& lines = *std::exchange(lines_, nullptr);
    if (corrected_) {
        lines.insertLineCorrected();
    } else {
        lines.insertLine();
    }
}

QString InsertLineCommand::stepName() const {
    return stepText(ids::StepLineInserted);
}

}  // namespace vistrel
