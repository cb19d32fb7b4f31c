#pragma once
// One step of a show's history. A subclass names the step and runs the model's
// operation for it (edit()); this class keeps what the operation replaced and what it
// put in its place, and only that (ShowStateChange), so that undo gives back exactly
// the show before the step (lines, header, line count, the list's rows and selection,
// the editor's line) and redo exactly the show after it.
//
// The operation runs once, in perform(), before the step enters the history: it may
// ask the user (a dialog, a question), and an edit that was cancelled or changed
// nothing never becomes a step.
#include <QString>
#include <QUndoCommand>
#include <memory>

#include "model/ShowState.h"

namespace vistrel {

class ShowHistory;

class ShowEditCommand : public QUndoCommand {
public:
    ~ShowEditCommand() override;

    // Runs the edit. True when it changed the show; the step then carries its name.
    bool perform();

    void undo() override;
    void redo() override;

    // Whether the edit did what it was asked; most edits always do.
    bool done() const { return done_; }

    // What the step keeps in memory, roughly, in bytes.
    std::size_t memoryBytes() const;

protected:
    explicit ShowEditCommand(ShowHistory& history);

    // The model's operation.
    virtual void edit() = 0;
    // The step's name, asked once the edit has run ("Zeile 12 geändert").
    virtual QString stepName() const = 0;

    ShowHistory& history() { return history_; }
    // Lines of the show and selected rows among them, as an edit finds them.
    int lineCount() const;
    int selectedLineCount() const;
    // An edit that may be refused says so here, from edit().
    void setDone(bool done) { done_ = done; }

private:
    void restore(ShowStateChange::Direction direction);
    // Notes the document's write counts: the show is in the state of this step's side now.
    void noteWrites();

    ShowHistory& history_;
    std::unique_ptr<ShowStateChange> change_;
    // The first redo comes from the history taking the step in: perform() has done it.
    bool firstRedoDone_ = false;
    bool done_ = true;
    int projectorWrites_ = 0;
    int moduleWrites_ = 0;
};

// A step's name from the table, "%1" filled in where it has one.
QString stepText(int id, int number = 0);
// The name of a step over `count` lines: the singular's text for one ("Zeile entfernt"),
// else the plural's with the count ("3 Zeilen entfernt").
QString countedStepText(int singularId, int pluralId, int count);

}  // namespace vistrel
