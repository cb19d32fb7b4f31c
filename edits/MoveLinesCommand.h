#pragma once
// Lines moved to another place: Alt+Up and Alt+Down in the list, one step "Zeilen
// verschoben".
#include "edits/ShowEditCommand.h"
#include "model/LineMoving.h"

namespace vistrel {

class MoveLinesCommand final : public ShowEditCommand {
public:
    MoveLinesCommand(ShowHistory& history, LineMoving& moving, LineMove move);

protected:
    void edit() override;
    QString stepName() const override;

private:
    // The list's line mover, until the edit has run: a step keeps no reference into a window.
    LineMoving* moving_;
    LineMove move_;
};

}  // namespace vistrel
