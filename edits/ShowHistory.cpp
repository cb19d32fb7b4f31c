#include "edits/ShowHistory.h"

#include "edits/ShowEditCommand.h"

namespace vistrel {

ShowHistory::ShowHistory(CVistrelDoc& doc, QObject* parent) : QObject(parent), doc_(doc) {
    stack_.setUndoLimit(StepLimit);
    connect(&stack_, &QUndoStack::indexChanged, this, &ShowHistory::changed);
    connect(&stack_, &QUndoStack::cleanChanged, this, &ShowHistory::changed);
    doc_.addView(this);
}

ShowHistory::~ShowHistory() {
    // The stack says goodbye with a last index change; nobody is to hear it.
    stack_.disconnect(this);
    doc_.removeView(this);
}

ProgramRows& ShowHistory::rows() {
    if (rows_) return *rows_;
    if (!noRows_) noRows_ = std::make_unique<PlainProgramRows>();
    return *noRows_;
}

ShowHistory::Performed ShowHistory::perform(std::unique_ptr<ShowEditCommand> command) {
    bool changed = false;
    {
        ++working_;
        changed = command->perform();
        --working_;
    }
    const bool done = command->done();
    if (!changed) {
        // An edit that was cancelled or refused may still have marked a line.
        forgetSavedPointIfModified();
        return {false, done};
    }
    ++working_;
    stack_.push(command.release());  // its first redo has been done by perform
    --working_;
    return {true, done};
}

void ShowHistory::undo() {
    if (!stack_.canUndo()) return;
    ++working_;
    stack_.undo();
    --working_;
}

void ShowHistory::redo() {
    if (!stack_.canRedo()) return;
    ++working_;
    stack_.redo();
    --working_;
}

void ShowHistory::markSaved() {
    stack_.setClean();
    emit changed();
}

void ShowHistory::documentChanged(const DocumentChange& change) {
    if (working_ > 0) return;
    // A show read in replaces everything the steps would put back.
    if (change.showReplaced) stack_.clear();
    forgetSavedPointIfModified();
}

void ShowHistory::forgetSavedPointIfModified() {
    if (stack_.isClean() && doc_.hasUnsavedChanges()) stack_.resetClean();
}

}  // namespace vistrel
