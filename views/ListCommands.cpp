#include "views/ListCommands.h"

#include "res/CommandIds.h"
#include "views/CTextView.h"
#include "views/ViewServices.h"

namespace vistrel {

ListCommands::ListCommands(CTextView& list)
    : QObject(&list),
      dialogs_(&list),
      editing_{list.document(), list, list.services().prompter, list.services().appState, list.services().settings,
               &list},
      lines_(editing_, &dialogs_),
      clipboard_(editing_, lines_, &desktopClipboard_) {
    ApplicationState& appState = list.services().appState;
    const std::pair<int, std::function<void()>> commands[] = {
        {cmd::InsertLine, [this] { lines_.insertLine(); }},
        {cmd::InsertLineCorrected, [this] { lines_.insertLineCorrected(); }},
        {cmd::RemoveLines,
         [this, &appState] {
             appState.searchPending = false;
             lines_.removeLines();
         }},
        {cmd::EditRemove, [this] { lines_.removeLines(); }},
        {cmd::RemoveLinesCorrected, [this] { lines_.removeLinesCorrected(); }},
        {cmd::TimersZero, [this] { lines_.clearTimers(); }},
        {cmd::TimersInput, [this] { lines_.setTimers(); }},
        {cmd::CorrectSlideNumbers, [this] { lines_.shiftSlideNumbers(); }},
        {cmd::EditSelectAll, [this] { lines_.selectAll(); }},
        {cmd::EditCopy, [this] { clipboard_.copyToClipboard(); }},
        {cmd::EditCut, [this] { clipboard_.cutToClipboard(); }},
        {cmd::EditPaste, [this] { clipboard_.pasteFromClipboard(); }},
    };
    for (const auto& [id, run] : commands) list.setCommandOperation(id, run);
}

}  // namespace vistrel
