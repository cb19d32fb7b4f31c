#include "views/ListCommands.h"

#include "edits/CutCommand.h"
#include "edits/InsertLineCommand.h"
#include "edits/MoveLinesCommand.h"
#include "edits/PasteCommand.h"
#include "edits/RemoveLinesCommand.h"
#include "edits/SetTimersCommand.h"
#include "edits/ShiftSlideNumbersCommand.h"
#include "edits/ShowHistory.h"
#include "model/PictureCheck.h"
#include "platform/Prompter.h"
#include "res/CommandIds.h"
#include "views/CTextView.h"
#include "views/ListPrinting.h"
#include "views/ViewServices.h"

namespace vistrel {

ListCommands::ListCommands(CTextView& list, ShowHistory& history)
    : QObject(&list),
      history_(history),
      dialogs_(&list),
      editing_{list.document(), list, list.services().prompter, list.services().appState, list.services().settings,
               &list},
      lines_(editing_, &dialogs_),
      clipboard_(editing_, lines_, &desktopClipboard_),
      moving_(editing_),
      list_(list) {
    ApplicationState& appState = list.services().appState;
    // Each change of the show is one step of its history; copying and selecting are not.
    const std::pair<int, std::function<void()>> commands[] = {
        {cmd::InsertLine, [this] { step(std::make_unique<InsertLineCommand>(history_, lines_, false)); }},
        {cmd::InsertLineCorrected, [this] { step(std::make_unique<InsertLineCommand>(history_, lines_, true)); }},
        {cmd::RemoveLines,
         [this, &appState] {
             appState.searchPending = false;
             step(std::make_unique<RemoveLinesCommand>(history_, lines_, false));
         }},
        {cmd::EditRemove, [this] { step(std::make_unique<RemoveLinesCommand>(history_, lines_, false)); }},
        {cmd::RemoveLinesCorrected,
         [this] { step(std::make_unique<RemoveLinesCommand>(history_, lines_, true)); }},
        {cmd::TimersZero, [this] { step(std::make_unique<SetTimersCommand>(history_, lines_, true)); }},
        {cmd::TimersInput, [this] { step(std::make_unique<SetTimersCommand>(history_, lines_, false)); }},
        {cmd::CorrectSlideNumbers,
         [this] { step(std::make_unique<ShiftSlideNumbersCommand>(history_, lines_)); }},
        {cmd::EditSelectAll, [this] { lines_.selectAll(); }},
        {cmd::EditCopy, [this] { clipboard_.copyToClipboard(); }},
        {cmd::EditCut, [this] { step(std::make_unique<CutCommand>(history_, clipboard_)); }},
        {cmd::EditPaste, [this] { step(std::make_unique<PasteCommand>(history_, clipboard_)); }},
        {cmd::CheckPictures, [this] { reportPictures(); }},
    };
    for (const auto& [id, run] : commands) list.setCommandOperation(id, run);
    // Refused while a show runs, as every edit of lines is: the projector holds them by place.
    auto canMove = [&list] { return !list.services().runState.showRunning && !list.selectedRows().empty(); };
    list.setCommandOperation(cmd::MoveLinesUp, [this] { moveOnePlace(LineMove::Kind::OnePlaceUp); }, canMove);
    list.setCommandOperation(cmd::MoveLinesDown, [this] { moveOnePlace(LineMove::Kind::OnePlaceDown); }, canMove);
}

void ListCommands::moveOnePlace(LineMove::Kind kind) {
    step(std::make_unique<MoveLinesCommand>(history_, moving_, LineMove{kind}));
}

void ListCommands::moveSelectedTo(int target) {
    if (list_.services().runState.showRunning || list_.selectedRows().empty()) return;
    step(std::make_unique<MoveLinesCommand>(history_, moving_, LineMove::toLine(target)));
}

void ListCommands::reportPictures() {
    const auto folder = listPictureFolder(list_);
    const PictureCheck check = vistrel::checkPictures(history_.document(), folder.value_or(std::filesystem::path()));
    Prompter& prompter = list_.services().prompter;
    if (const std::string problem = pictureFolderProblem(check); !problem.empty()) {
        prompter.showMessage(problem, MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    prompter.showMessage(pictureCheckMessage(check), MessageIcon::Information, MessageButtons::Ok);
}

void ListCommands::step(std::unique_ptr<ShowEditCommand> command) { history_.perform(std::move(command)); }

}  // namespace vistrel
