#pragma once
// "Einfügen" in the program list (and the Insert key): lines from the clipboard text.
#include "edits/ShowEditCommand.h"
#include "model/ClipboardCommands.h"

namespace vistrel {

class PasteCommand final : public ShowEditCommand {
public:
    PasteCommand(ShowHistory& history, ClipboardCommands& clipboard);

protected:
    void edit() override;
    QString stepName() const override;

private:
    // The list's clipboard commands, until the edit has run: a step keeps no reference into a window.
    ClipboardCommands* clipboard_;
};

}  // namespace vistrel
