#include "model/LineApplying.h"

#include <algorithm>

#include "platform/Prompter.h"
#include "res/strings/ListStrings.h"
#include "res/strings/ModelStrings.h"

namespace vistrel {

namespace {

constexpr int LastEditableLine = MaxProgramLines - 1;
// The list never takes over a line at or beyond this row.
constexpr int RowLimit = 1000;

}  // namespace

bool applyEditedLine(ShowEditing& e, const CheckedLine& checked, const std::string& programNumber,
                     const RunningShow& show) {
    CVistrelDoc& doc = e.doc;
    if (doc.currentLine >= MaxProgramLines) doc.appendMode = false;
    if (doc.appendMode && doc.lineCount >= MaxProgramLines) {
        // A full show has no room for a new line; storing it would overwrite the last one.
        e.prompter.showMessage(ids::LineCapacityReached, MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    // A new line always goes right after the last one; anything else would leave a
    // gap of records that are not lines.
    if (doc.appendMode) doc.currentLine = doc.lineCount;

    const int index = std::clamp(doc.currentLine, 0, LastEditableLine);
    ProgramLine& target = e.line(index);
    const ProgramLine previous = target;
    if (doc.appendMode) target.programNumber = programNumber;
    target.slideNumber = checked.slideNumber;
    target.dissolveTime = checked.dissolveTime;
    target.timerTime = checked.timerTime;
    target.specialFunction = checked.specialFunction;
    target.description = checked.description;
    target.changeMarks = AllChangeMarks;
    if (doc.appendMode) ++doc.lineCount;

    if (show.running) {
        const bool isNewLine = doc.appendMode || doc.currentLine > doc.lineCount;
        const bool sent = show.sendLine ? show.sendLine(doc) != 0 : !isNewLine;
        if (!sent && isNewLine) {
            e.prompter.showMessage(ids::NoNewLinesWhileRunning, MessageIcon::None, MessageButtons::Ok);
            // Take back the line just appended: the show is as it was.
            if (doc.appendMode && doc.lineCount > 0) --doc.lineCount;
            target = previous;
            return false;
        }
    }

    DocumentChange change;
    const int row = std::max(doc.currentLine, 0);
    if (row < RowLimit && row < LineStorageRecords) {
        if (doc.appendMode) {
            e.rows.insertRows(std::min(row, e.rows.rowCount()), {cellTexts(e.line(row), false)});
            change.linesMoved = true;
        } else if (row < e.rows.rowCount()) {
            const CellTexts cells = cellTexts(e.line(row), false);
            for (int column = 0; column < CellColumnCount; ++column)
                e.rows.setCell(row, column, cells[static_cast<std::size_t>(column)]);
        }
        if (row < doc.lineCount) {
            // The typing goes on at the next line: it is the one marked now.
            e.rows.clearRowState(row);
            if (row + 1 < e.rows.rowCount()) e.rows.selectRow(row + 1);
        }
        change.addLines(row, row);
        change.lineToShow = row;
    }

    ++doc.currentLine;
    if (doc.currentLine >= doc.lineCount) doc.appendMode = true;
    if (doc.currentLine >= MaxProgramLines) {
        doc.appendMode = false;
        doc.currentLine = LastEditableLine;
        e.prompter.showMessage(ids::LineCapacityReached, MessageIcon::Exclamation, MessageButtons::Ok);
    }
    change.currentLineChanged = true;
    e.recomputeShowLength();
    e.announce(change);
    return true;
}

}  // namespace vistrel
