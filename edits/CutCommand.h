#pragma once
// "Ausschneiden" in the program list: the selected rows copied, then removed.
#include "edits/ShowEditCommand.h"
#include "model/ClipboardCommands.h"

namespace vistrel {

class CutCommand final : public ShowEditCommand {
public:
    CutCommand(ShowHistory& history, ClipboardCommands& clipboard);

protected:
    void edit() override;
    QString stepName() const override;

private:
    // The list's clipboard commands, until the edit has run: a step keeps no reference into a window.
    ClipboardCommands* clipboard_;
    int counted_ = 0;  // the lines the step acted on
};

}  // namespace vistrel
