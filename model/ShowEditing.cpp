#include "model/ShowEditing.h"

#include <algorithm>

#include "model/DecimalText.h"
#include "model/ShowLength.h"

namespace vistrel {

std::vector<int> ShowEditing::selectedLines() const {
    std::vector<int> selected = rows.selectedRows();
    std::erase_if(selected, [this](int row) { return row < 0 || row >= doc.lineCount; });
    return selected;
}

void ShowEditing::renumberFrom(int first) {
    for (int i = std::max(first, 0); i < doc.lineCount; ++i) {
        const std::string number = zeroPadded(i + 1, 3);
        line(i).programNumber = number;
        rows.setCell(i, 0, number);
    }
}

void ShowEditing::markChanged(int index, int column) {
    ProgramLine& changed = line(index);
    changed.changeMarks = AllChangeMarks;
    rows.setCell(index, column, cellText(changed, column, false));
}

void ShowEditing::offerNewLineAtEnd(DocumentChange& change) {
    // A full show offers its last slot; the editor refuses to add beyond it.
    doc.currentLine = std::min(doc.lineCount, MaxProgramLines - 1);
    doc.appendMode = true;
    change.currentLineChanged = true;
}

void ShowEditing::recomputeShowLength() {
    keepShowLength(doc, settings);
}

}  // namespace vistrel
