#pragma once
// "Dianummern korrigieren...": the slide numbers of the selected rows moved by an
// entered increment.
#include "edits/ShowEditCommand.h"
#include "model/LineOperations.h"

namespace vistrel {

class ShiftSlideNumbersCommand final : public ShowEditCommand {
public:
    ShiftSlideNumbersCommand(ShowHistory& history, LineOperations& lines);

protected:
    void edit() override;
    QString stepName() const override;

private:
    // The list's operations, until the edit has run: a step keeps no reference into a window.
    LineOperations* lines_;
    int counted_ = 0;  // the lines the step acted on
};

}  // namespace vistrel
