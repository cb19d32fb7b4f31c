#include "edits/ApplyLineCommand.h"

#include <algorithm>

#include "res/strings/HistoryStrings.h"

namespace vistrel {

ApplyLineCommand::ApplyLineCommand(ShowHistory& history, ShowEditing editing, CheckedLine line,
                                   std::string programNumber, RunningShow show, bool& stored)
    : ShowEditCommand(history),
      editing_(editing),
      line_(std::move(line)),
      programNumber_(std::move(programNumber)),
      show_(std::move(show)),
      stored_(stored) {}

void ApplyLineCommand::edit() {
    const CVistrelDoc& doc = editing_.doc;
    appended_ = doc.appendMode && doc.currentLine < MaxProgramLines;
    lineNumber_ = std::clamp(appended_ ? doc.lineCount : doc.currentLine, 0, MaxProgramLines - 1) + 1;
    stored_ = applyEditedLine(editing_, line_, programNumber_, show_);
}

QString ApplyLineCommand::stepName() const {
    return appended_ ? stepText(ids::StepLineInserted) : stepText(ids::StepLineChanged, lineNumber_);
}

}  // namespace vistrel
