#include "model/ProgramRows.h"

#include <algorithm>

namespace vistrel {

std::vector<CellTexts> rowsFilledFromDocument(const CVistrelDoc& doc) {
    std::vector<CellTexts> rows;
    const int count = std::clamp(doc.lineCount, 0, MaxProgramLines);
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) rows.push_back(cellTexts(doc.lines[static_cast<std::size_t>(i)], true));
    return rows;
}

PlainProgramRows::PlainProgramRows(std::vector<CellTexts> rows) {
    rows_.reserve(rows.size());
    for (auto& cells : rows) rows_.push_back({std::move(cells), false});
}

std::vector<int> PlainProgramRows::selectedRows() const {
    std::vector<int> rows;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].selected) rows.push_back(static_cast<int>(i));
    }
    return rows;
}

CellTexts PlainProgramRows::rowCells(int row) const {
    if (row < 0 || row >= rowCount()) return {};
    return rows_[static_cast<std::size_t>(row)].cells;
}

void PlainProgramRows::insertRows(int row, const std::vector<CellTexts>& cells) {
    row = std::clamp(row, 0, rowCount());
    std::vector<Row> added;
    added.reserve(cells.size());
    for (const auto& c : cells) added.push_back({c, false});
    rows_.insert(rows_.begin() + row, added.begin(), added.end());
    if (focused_ >= row) focused_ += static_cast<int>(cells.size());
}

void PlainProgramRows::removeRows(const std::vector<int>& rows) {
    // From the last to the first, so that the earlier indices stay valid.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const int row = *it;
        if (row < 0 || row >= rowCount()) continue;
        rows_.erase(rows_.begin() + row);
        if (focused_ == row) {
            focused_ = -1;
        } else if (focused_ > row) {
            --focused_;
        }
    }
}

void PlainProgramRows::setCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= CellColumnCount) return;
    rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)] = text;
}

void PlainProgramRows::clearRowState(int row) {
    if (row < 0 || row >= rowCount()) return;
    rows_[static_cast<std::size_t>(row)].selected = false;
    if (focused_ == row) focused_ = -1;
}

void PlainProgramRows::selectAndFocusRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    rows_[static_cast<std::size_t>(row)].selected = true;
    focused_ = row;
}

void PlainProgramRows::selectRow(int row) {
    if (row >= 0 && row < rowCount()) rows_[static_cast<std::size_t>(row)].selected = true;
}

void PlainProgramRows::setSelection(const std::vector<int>& rows, int focused) {
    select(rows);
    focused_ = focused >= 0 && focused < rowCount() ? focused : -1;
}

void PlainProgramRows::selectAllRows() {
    for (Row& row : rows_) row.selected = true;
}

void PlainProgramRows::select(const std::vector<int>& rows) {
    for (Row& row : rows_) row.selected = false;
    for (int row : rows) {
        if (row >= 0 && row < rowCount()) rows_[static_cast<std::size_t>(row)].selected = true;
    }
}

}  // namespace vistrel
