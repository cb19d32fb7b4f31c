#include "model/DocumentChange.h"

#include <algorithm>

#include "model/ProgramLine.h"

namespace vistrel {

unsigned differingHeaderFields(const ShowHeader& a, const ShowHeader& b) {
    unsigned fields = 0;
    if (!(a.title == b.title)) fields |= TitleField;
    if (!(a.description == b.description)) fields |= DescriptionField;
    if (!(a.descriptionContinued == b.descriptionContinued)) fields |= DescriptionContinuedField;
    if (!(a.storageLocation == b.storageLocation)) fields |= StorageLocationField;
    if (!(a.moduleNumber == b.moduleNumber)) fields |= ModuleNumberField;
    return fields;
}

DocumentChange& DocumentChange::addLines(int first, int last) {
    if (first < 0 || last < first) return *this;
    if (firstLine < 0) {
        firstLine = first;
        lastLine = last;
    } else {
        firstLine = std::min(firstLine, first);
        lastLine = std::max(lastLine, last);
    }
    return *this;
}

DocumentChange& DocumentChange::merge(const DocumentChange& other) {
    addLines(other.firstLine, other.lastLine);
    linesMoved = linesMoved || other.linesMoved;
    rowsRebuilt = rowsRebuilt || other.rowsRebuilt;
    showReplaced = showReplaced || other.showReplaced;
    currentLineChanged = currentLineChanged || other.currentLineChanged;
    headerFields |= other.headerFields;
    if (other.lineToShow >= 0) lineToShow = other.lineToShow;
    return *this;
}

}  // namespace vistrel
