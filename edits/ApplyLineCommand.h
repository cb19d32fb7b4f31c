#pragma once
// "Übernehmen" in the line editor: the edited line stored in the show.
#include <string>

#include "edits/ShowEditCommand.h"
#include "model/LineApplying.h"

namespace vistrel {

class ApplyLineCommand final : public ShowEditCommand {
public:
    // `stored` is told whether the line went into the show.
    ApplyLineCommand(ShowHistory& history, ShowEditing editing, CheckedLine line, std::string programNumber,
                     RunningShow show, bool& stored);

protected:
    void edit() override;
    QString stepName() const override;

private:
    ShowEditing editing_;
    CheckedLine line_;
    std::string programNumber_;
    RunningShow show_;
    bool& stored_;
    bool appended_ = false;
    int lineNumber_ = 0;  // counted from 1
};

}  // namespace vistrel
