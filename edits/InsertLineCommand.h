#pragma once
// "Zeile einfügen", with or without slide-number correction: a copy of the clicked
// line after it.
#include "edits/ShowEditCommand.h"
#include "model/LineOperations.h"

namespace vistrel {

class InsertLineCommand final : public ShowEditCommand {
public:
    InsertLineCommand(ShowHistory& history, LineOperations& lines, bool corrected);

protected:
    void edit() override;
    QString stepName() const override;

private:
    // The list's operations, until the edit has run: a step keeps no reference into a window.
    LineOperations* lines_;
    bool corrected_;
};

}  // namespace vistrel
