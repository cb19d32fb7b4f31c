#pragma once
// What changed in a show, as its document announces it to everything that shows it:
// which lines have new content, whether rows came or went, which header fields, and
// whether the line editor's line moved. The program list, the line editor, the info
// window, the window title and the show's history follow this one notice instead of
// flags left in the document for each other.
namespace vistrel {

// The header fields, as bits of DocumentChange::headerFields.
enum HeaderField : unsigned {
    TitleField = 0x01,
    DescriptionField = 0x02,
    DescriptionContinuedField = 0x04,
    StorageLocationField = 0x08,
    ModuleNumberField = 0x10,
    AllHeaderFields = 0x1F,
};

struct DocumentChange {
    // Lines firstLine .. lastLine (inclusive) have new content or new marks; none
    // while firstLine is -1. With linesMoved every line from firstLine on may have
    // moved (lines were inserted or removed).
    int firstLine = -1;
    int lastLine = -1;
    bool linesMoved = false;
    // The list's rows no longer mirror the lines: it builds every row anew.
    bool rowsRebuilt = false;
    // A show was read in (a file, the projector, the module): nothing done before
    // can be taken back any more.
    bool showReplaced = false;
    // The line editor's line (currentLine, appendMode) moved, or its content changed:
    // the editor loads it again.
    bool currentLineChanged = false;
    // Header fields that changed (HeaderField bits).
    unsigned headerFields = 0;
    // The row to bring into view afterwards, -1 for none.
    int lineToShow = -1;

    // Adds `first .. last` to the changed lines.
    DocumentChange& addLines(int first, int last);
    // Everything `other` says changed changes here too.
    DocumentChange& merge(const DocumentChange& other);
    bool touchesLine(int line) const { return firstLine >= 0 && line >= firstLine && (linesMoved || line <= lastLine); }
};

}  // namespace vistrel
