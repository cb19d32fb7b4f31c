#include "model/DocumentChange.h"

#include <algorithm>

namespace vistrel {

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
