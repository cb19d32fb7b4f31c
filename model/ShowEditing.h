#pragma once
// What every operation on whole lines works with: the show, the program list's rows,
// the user, the settings; and the steps those operations share (renumbering, the new
// line at the end for the editor, show length, announcing what changed).
#include "model/ApplicationState.h"
#include "model/CVistrelDoc.h"
#include "model/ProgramRows.h"
#include "model/Settings.h"

namespace vistrel {

class Prompter;

struct ShowEditing {
    CVistrelDoc& doc;
    ProgramRows& rows;
    Prompter& prompter;
    ApplicationState& appState;
    const Settings& settings;
    // The list, which announces the change and is not told about it again. May be null.
    DocumentView* sender = nullptr;

    ProgramLine& line(int index) { return doc.lines[static_cast<std::size_t>(index)]; }
    // Rows of the selection that are lines of the show, ascending.
    std::vector<int> selectedLines() const;

    // Program numbers of lines and rows `first` .. end: the position counted from 1.
    void renumberFrom(int first);
    // Gives `line` all change marks and rewrites its row's `column` cell.
    void markChanged(int index, int column);
    // The line editor offers a new line after the last one (and so reloads).
    void offerNewLineAtEnd(DocumentChange& change);
    void recomputeShowLength();
    void announce(const DocumentChange& change) { doc.announce(change, sender); }
};

}  // namespace vistrel
