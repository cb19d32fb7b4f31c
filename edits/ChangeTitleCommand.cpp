#include "edits/ChangeTitleCommand.h"

#include "edits/ShowHistory.h"
#include "res/strings/HistoryStrings.h"

namespace vistrel {

ChangeTitleCommand::ChangeTitleCommand(ShowHistory& history, const ShowHeader& texts)
    : ShowEditCommand(history), texts_(texts) {}

void ChangeTitleCommand::edit() { history().document().takeTitleTexts(texts_); }

QString ChangeTitleCommand::stepName() const { return stepText(ids::StepTitleChanged); }

}  // namespace vistrel
