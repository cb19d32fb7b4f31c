#pragma once
// "Zeile(n) entfernen", with or without slide-number correction, "Entfernen" and the
// Delete key: the selected rows go.
#include "edits/ShowEditCommand.h"
#include "model/LineOperations.h"

namespace vistrel {

class RemoveLinesCommand final : public ShowEditCommand {
public:
    RemoveLinesCommand(ShowHistory& history, LineOperations& lines, bool corrected);

protected:
    void edit() override;
    QString stepName() const override;

private:
    // The list's operations, until the edit has run: a step keeps no reference into a window.
    LineOperations* lines_;
    bool corrected_;
    int counted_ = 0;  // the lines the step acted on
};

}  // namespace vistrel
