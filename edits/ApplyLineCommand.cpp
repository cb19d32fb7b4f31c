#include "edits/ApplyLineCommand.h"

#include <algorithm>

#include "res/strings/HistoryStrings.h"

namespace vistrel {

ApplyLineCommand::ApplyLineCommand(ShowHistory& history, ShowEditing editing, CheckedLine line,
                                   std::string programNumber, RunningShow show)
    : ShowEditCommand(history),
      editing_(editing),
      show_(std::move(show)),
      line_(std::move(line)),
      programNumber_(std::move(programNumber)) {}

void ApplyLineCommand::edit() {
    const CVistrelDoc& doc = editing_->doc;
    appended_ = doc.appendMode && doc.currentLine < MaxProgramLines;
    lineNumber_ = std::clamp(appended_ ? doc.lineCount : doc.currentLine, 0, MaxProgramLines - 1) + 1;
    setDone(applyEditedLine(*editing_, line_, programNumber_, show_));
    editing_.reset();
    show_ = {};
}

QString ApplyLineCommand::stepName() const {
    return appended_ ? stepText(ids::StepLineInserted) : stepText(ids::StepLineChanged, lineNumber_);
}

}  // namespace vistrel
