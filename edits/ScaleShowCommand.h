#pragma once
// "Diaschau skalieren", also when "Schaulänge" hands over to it: the timers of the show
// or of the selected rows stretched to a length the user enters.
#include <optional>
#include <vector>

#include "edits/ShowEditCommand.h"
#include "model/ShowLengthCommands.h"

namespace vistrel {

class Prompter;

class ScaleShowCommand final : public ShowEditCommand {
public:
    // With `lengthDialog` the show length is shown first, and scaling runs only when
    // the user asks for it there.
    ScaleShowCommand(ShowHistory& history, std::vector<int> selectedRows, Prompter& prompter,
                     ScaleLengthPrompt& scaleDialog, ShowLengthPrompt* lengthDialog = nullptr);

    // What the scaling came to; nothing when it did not run.
    std::optional<ScaleResult> result() const { return result_; }

protected:
    void edit() override;
    QString stepName() const override;

private:
    std::vector<int> selectedRows_;
    // Until the edit has run: a step keeps no reference into a window.
    Prompter* prompter_;
    ScaleLengthPrompt* scaleDialog_;
    ShowLengthPrompt* lengthDialog_;
    std::optional<ScaleResult> result_;
};

}  // namespace vistrel
