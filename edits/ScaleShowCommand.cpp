#include "edits/ScaleShowCommand.h"

#include "edits/ShowHistory.h"
#include "res/strings/HistoryStrings.h"

namespace vistrel {

ScaleShowCommand::ScaleShowCommand(ShowHistory& history, std::vector<int> selectedRows, Prompter& prompter,
                                   ScaleLengthPrompt& scaleDialog, ShowLengthPrompt* lengthDialog)
    : ShowEditCommand(history),
      selectedRows_(std::move(selectedRows)),
      prompter_(&prompter),
      scaleDialog_(&scaleDialog),
      lengthDialog_(lengthDialog) {}

void ScaleShowCommand::edit() {
    CVistrelDoc& doc = history().document();
    if (lengthDialog_) {
        result_ = showLength(doc, selectedRows_, *prompter_, *lengthDialog_, *scaleDialog_);
    } else {
        result_ = scaleShow(doc, selectedRows_, *prompter_, *scaleDialog_);
    }
    // The dialogs go when the command has run; the step keeps only what they gave.
    prompter_ = nullptr;
    scaleDialog_ = nullptr;
    lengthDialog_ = nullptr;
}

QString ScaleShowCommand::stepName() const { return stepText(ids::StepScaled); }

}  // namespace vistrel
