#pragma once
// "Übernehmen" in the line editor: the edited line stored in the show.
#include <optional>
#include <string>

#include "edits/ShowEditCommand.h"
#include "model/LineApplying.h"

namespace vistrel {

class ApplyLineCommand final : public ShowEditCommand {
public:
    // done() says whether the line went into the show.
    ApplyLineCommand(ShowHistory& history, ShowEditing editing, CheckedLine line, std::string programNumber,
                     RunningShow show);

protected:
    void edit() override;
    QString stepName() const override;

private:
    // The list, the user and the running show, until the edit has run: a step keeps
    // no reference into a window.
    std::optional<ShowEditing> editing_;
    RunningShow show_;
    CheckedLine line_;
    std::string programNumber_;
    bool appended_ = false;
    int lineNumber_ = 0;  // counted from 1
};

}  // namespace vistrel
