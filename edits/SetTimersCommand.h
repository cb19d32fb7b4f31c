#pragma once
// "Timerzeit(en) = ...": the timers of the selected rows set to 0 or to an entered time.
#include "edits/ShowEditCommand.h"
#include "model/LineOperations.h"

namespace vistrel {

class SetTimersCommand final : public ShowEditCommand {
public:
    SetTimersCommand(ShowHistory& history, LineOperations& lines, bool toZero);

protected:
    void edit() override;
    QString stepName() const override;

private:
    // The list's operations, until the edit has run: a step keeps no reference into a window.
    LineOperations* lines_;
    bool toZero_;
    int counted_ = 0;  // the lines the step acted on
};

}  // namespace vistrel
