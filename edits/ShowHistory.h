#pragma once
// The history of one open show: the steps that undo takes back and redo does again, at
// most StepLimit of them, on a QUndoStack. Every change of the show's lines or header
// comes here as a command (ShowEditCommand); opening, saving and transfers do not.
// It also keeps the show's modified state and its saved point in one: undoing or
// redoing to the state last saved leaves no line marked as changed since saving, and a
// change made outside the steps (a read show, marks set by hand) moves the saved point
// out of reach.
#include <QObject>
#include <QString>
#include <QUndoStack>
#include <memory>

#include "model/CVistrelDoc.h"
#include "model/ProgramRows.h"

namespace vistrel {

class ShowEditCommand;

class ShowHistory : public QObject, public DocumentView {
    Q_OBJECT

public:
    static constexpr int StepLimit = 1000;

    explicit ShowHistory(CVistrelDoc& doc, QObject* parent = nullptr);
    ~ShowHistory() override;

    CVistrelDoc& document() { return doc_; }
    // The program list whose rows and selection the steps keep (none: no rows).
    ProgramRows& rows();
    void setRows(ProgramRows* rows) { rows_ = rows; }

    // What perform() came to: whether the edit became a step, and whether the edit
    // did what it was asked (a refused "Übernehmen" is not done, whatever it touched).
    struct Performed {
        bool kept = false;
        bool done = false;
    };
    // Runs the command's edit; keeps it as the newest step when it changed the show.
    Performed perform(std::unique_ptr<ShowEditCommand> command);

    bool canUndo() const { return stack_.canUndo(); }
    bool canRedo() const { return stack_.canRedo(); }
    // The names of the steps undo and redo would take, empty for none.
    QString undoName() const { return stack_.undoText(); }
    QString redoName() const { return stack_.redoText(); }
    void undo();
    void redo();
    int stepCount() const { return stack_.count(); }
    const QUndoStack& stack() const { return stack_; }

    // The show was written to its file: its state now is the saved one.
    void markSaved();
    // Whether the step index `index` is the state last saved.
    bool isSavedIndex(int index) const { return stack_.cleanIndex() == index; }
    int index() const { return stack_.index(); }

    void documentChanged(const DocumentChange& change) override;

signals:
    // Steps, their names or the saved point changed.
    void changed();

private:
    friend class ShowEditCommand;
    // A change outside the steps may leave the show modified at the saved point: the
    // saved point is then gone.
    void forgetSavedPointIfModified();

    CVistrelDoc& doc_;
    ProgramRows* rows_ = nullptr;
    std::unique_ptr<PlainProgramRows> noRows_;
    QUndoStack stack_;
    // Set while a step is done, undone or redone: the changes it announces are its own.
    int working_ = 0;
};

}  // namespace vistrel
