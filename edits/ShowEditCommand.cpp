#include "edits/ShowEditCommand.h"

#include "edits/ShowHistory.h"
#include "res/TableText.h"

namespace vistrel {

QString stepText(int id, int number) {
    QString text = tableText(id);
    if (text.contains(QLatin1String("%1"))) text = text.arg(number);
    return text;
}

QString countedStepText(int singularId, int pluralId, int count) {
    return count == 1 ? stepText(singularId) : stepText(pluralId, count);
}

ShowEditCommand::ShowEditCommand(ShowHistory& history) : history_(history) {}

int ShowEditCommand::lineCount() const { return history_.document().lineCount; }

int ShowEditCommand::selectedLineCount() const {
    int count = 0;
    for (int row : history_.rows().selectedRows()) count += row >= 0 && row < lineCount() ? 1 : 0;
    return count;
}

ShowEditCommand::~ShowEditCommand() = default;

bool ShowEditCommand::perform() {
    CVistrelDoc& doc = history_.document();
    const ShowState before = captureShowState(doc, history_.rows());
    edit();
    const ShowState after = captureShowState(doc, history_.rows());
    change_ = std::make_unique<ShowStateChange>(before, after);
    if (!change_->changesShow()) return false;
    setText(stepName());
    firstRedoDone_ = true;
    noteWrites();
    return true;
}

void ShowEditCommand::noteWrites() {
    projectorWrites_ = history_.document().projectorWrites;
    moduleWrites_ = history_.document().moduleWrites;
}

void ShowEditCommand::undo() { restore(ShowStateChange::Direction::Back); }

void ShowEditCommand::redo() {
    if (firstRedoDone_) {
        firstRedoDone_ = false;
        return;
    }
    restore(ShowStateChange::Direction::Forward);
}

void ShowEditCommand::restore(ShowStateChange::Direction direction) {
    if (!change_) return;
    // The stack moves its index after this call: the state we come to is one below
    // (undo) or one above (redo) the index of now.
    const int arriving = history_.index() + (direction == ShowStateChange::Direction::Back ? -1 : 1);
    CVistrelDoc& doc = history_.document();
    const ShowStateChange::WrittenSince written{doc.projectorWrites != projectorWrites_,
                                                doc.moduleWrites != moduleWrites_};
    const DocumentChange change =
        change_->apply(direction, doc, history_.rows(), history_.isSavedIndex(arriving), written);
    noteWrites();
    doc.announce(change);
}

std::size_t ShowEditCommand::memoryBytes() const {
    return sizeof(*this) + (change_ ? change_->memoryBytes() : 0);
}

}  // namespace vistrel
