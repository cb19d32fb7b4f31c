#pragma once
// "Titel bearbeiten / anzeigen" confirmed: the show's header takes the dialog's texts.
#include "edits/ShowEditCommand.h"
#include "model/ProgramLine.h"

namespace vistrel {

class ChangeTitleCommand final : public ShowEditCommand {
public:
    ChangeTitleCommand(ShowHistory& history, const ShowHeader& texts);

protected:
    void edit() override;
    QString stepName() const override;

private:
    ShowHeader texts_;
};

}  // namespace vistrel
