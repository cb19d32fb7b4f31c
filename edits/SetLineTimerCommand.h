#pragma once
// A block's right edge dragged on the timeline: one line's timer set to a new value.
#include <optional>

#include "edits/ShowEditCommand.h"
#include "model/ShowEditing.h"

namespace vistrel {

class SetLineTimerCommand final : public ShowEditCommand {
public:
    // `line` is 0-based, `tenths` the new timer.
    SetLineTimerCommand(ShowHistory& history, ShowEditing editing, int line, int tenths);

protected:
    void edit() override;
    QString stepName() const override;

private:
    // The list and the user, until the edit has run: a step keeps no reference into a window.
    std::optional<ShowEditing> editing_;
    int line_;
    int tenths_;
};

}  // namespace vistrel
