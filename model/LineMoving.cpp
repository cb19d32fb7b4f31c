#include "model/LineMoving.h"

#include <algorithm>
#include <numeric>

namespace vistrel {

namespace {

LineOrder unchanged(int lineCount) {
    LineOrder order(static_cast<std::size_t>(std::max(lineCount, 0)));
    std::iota(order.begin(), order.end(), 0);
    return order;
}

bool validRows(int lineCount, const std::vector<int>& rows) {
    if (rows.empty()) return false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] < 0 || rows[i] >= lineCount) return false;
        if (i > 0 && rows[i] <= rows[i - 1]) return false;
    }
    return true;
}

}  // namespace

LineOrder orderMovingTo(int lineCount, const std::vector<int>& rows, int target) {
    LineOrder order = unchanged(lineCount);
    if (!validRows(lineCount, rows)) return order;
    const int moved = static_cast<int>(rows.size());
    if (target < 0 || target > lineCount - moved) return order;
    LineOrder others;
    others.reserve(order.size() - rows.size());
    std::size_t next = 0;
    for (int i = 0; i < lineCount; ++i) {
        if (next < rows.size() && rows[next] == i) {
            ++next;
            continue;
        }
        others.push_back(i);
    }
    order.assign(others.begin(), others.begin() + target);
    order.insert(order.end(), rows.begin(), rows.end());
    order.insert(order.end(), others.begin() + target, others.end());
    return order;
}

LineOrder orderMovingOnePlace(int lineCount, const std::vector<int>& rows, int step) {
    LineOrder order = unchanged(lineCount);
    if (!validRows(lineCount, rows) || (step != -1 && step != 1)) return order;
    if ((step < 0 && rows.front() == 0) || (step > 0 && rows.back() == lineCount - 1)) return order;
    // Runs of neighbouring rows; the line just outside a run is never selected, so each
    // run trades places with that one line and the runs never meet.
    std::size_t runStart = 0;
    while (runStart < rows.size()) {
        std::size_t runEnd = runStart;
        while (runEnd + 1 < rows.size() && rows[runEnd + 1] == rows[runEnd] + 1) ++runEnd;
        const auto first = order.begin() + rows[runStart];
        const auto last = order.begin() + rows[runEnd] + 1;
        if (step < 0) {
            std::rotate(first - 1, first, last);
        } else {
            std::rotate(first, last, last + 1);
        }
        runStart = runEnd + 1;
    }
    return order;
}

bool LineMoving::moveSelected(const LineMove& move) {
    const std::vector<int> selected = e_.selectedLines();
    const int count = e_.doc.lineCount;
    switch (move.kind) {
        case LineMove::Kind::ToLine:
            return reorder(orderMovingTo(count, selected, move.target));
        case LineMove::Kind::OnePlaceUp:
            return reorder(orderMovingOnePlace(count, selected, -1));
        case LineMove::Kind::OnePlaceDown:
            return reorder(orderMovingOnePlace(count, selected, 1));
    }
    return false;
}

bool LineMoving::reorder(const LineOrder& order) {
    CVistrelDoc& doc = e_.doc;
    if (static_cast<int>(order.size()) != doc.lineCount) return false;
    int first = -1;
    int last = -1;
    for (int i = 0; i < doc.lineCount; ++i) {
        if (order[static_cast<std::size_t>(i)] == i) continue;
        if (first < 0) first = i;
        last = i;
    }
    if (first < 0) return false;

    // Where each old line goes, for the selection and the editor's line.
    std::vector<int> newIndexOf(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) newIndexOf[static_cast<std::size_t>(order[i])] = static_cast<int>(i);

    const std::vector<int> selected = e_.rows.selectedRows();
    const int focused = e_.rows.focusedRow();
    std::vector<ProgramLine> oldLines(doc.lines.begin() + first, doc.lines.begin() + last + 1);
    std::vector<CellTexts> oldCells;
    for (int i = first; i <= last; ++i) oldCells.push_back(e_.rows.rowCells(i));

    for (int i = first; i <= last; ++i) {
        const int from = order[static_cast<std::size_t>(i)];
        if (from == i) continue;
        ProgramLine& line = e_.line(i);
        line = oldLines[static_cast<std::size_t>(from - first)];
        // The projector and the module hold their lines by place: this place differs now.
        line.changeMarks = AllChangeMarks;
        const CellTexts& cells = oldCells[static_cast<std::size_t>(from - first)];
        for (int column = 1; column < static_cast<int>(cells.size()); ++column)
            e_.rows.setCell(i, column, cells[static_cast<std::size_t>(column)]);
    }
    e_.renumberFrom(first);

    auto followed = [&](int row) {
        return row >= 0 && row < doc.lineCount ? newIndexOf[static_cast<std::size_t>(row)] : row;
    };
    std::vector<int> newSelection;
    for (int row : selected) newSelection.push_back(followed(row));
    std::sort(newSelection.begin(), newSelection.end());
    e_.rows.setSelection(newSelection, followed(focused));

    DocumentChange change;
    change.addLines(first, last);
    if (!doc.appendMode && doc.currentLine >= first && doc.currentLine <= last) {
        const int moved = followed(doc.currentLine);
        if (moved != doc.currentLine) {
            doc.currentLine = moved;
            change.currentLineChanged = true;
        }
    }
    change.lineToShow = newSelection.empty() ? first : newSelection.front();
    e_.recomputeShowLength();
    e_.announce(change);
    return true;
}

}  // namespace vistrel
