#include "views/ProgramListModel.h"

#include <algorithm>
#include <iterator>

#include "res/TableText.h"
#include "res/strings/ListStrings.h"

namespace vistrel {

ProgramListModel::ProgramListModel(QObject* parent) : QAbstractTableModel(parent) {
    const int headingIds[ColumnCount] = {ids::HeadingProgramNumber, ids::HeadingSlideNumber, ids::HeadingDissolve,
                                         ids::HeadingTimer,         ids::HeadingSpecialFunction, ids::HeadingDescription};
    for (int c = 0; c < ColumnCount; ++c) headings_[c] = tableText(headingIds[c]);
}

int ProgramListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ProgramListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ProgramListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount) return {};
    if (role == Qt::DisplayRole) return cell(index.row(), index.column());
    return {};
}

QVariant ProgramListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return headings_[section];
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

void ProgramListModel::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void ProgramListModel::setRows(std::vector<Row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void ProgramListModel::insertRowAt(int row, const QString& firstCell) {
    row = std::clamp(row, 0, rowCount());
    beginInsertRows(QModelIndex(), row, row);
    Row cells;
    cells[0] = firstCell;
    rows_.insert(rows_.begin() + row, cells);
    endInsertRows();
}

void ProgramListModel::insertRowsAt(int row, std::vector<Row> rows) {
    if (rows.empty()) return;
    row = std::clamp(row, 0, rowCount());
    beginInsertRows(QModelIndex(), row, row + static_cast<int>(rows.size()) - 1);
    rows_.insert(rows_.begin() + row, std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    endInsertRows();
}

void ProgramListModel::removeRowList(const std::vector<int>& rows) {
    // From the bottom up, so that the rows still to go keep their numbers.
    auto last = rows.rbegin();
    while (last != rows.rend()) {
        auto first = last;
        while (std::next(first) != rows.rend() && *std::next(first) == *first - 1) ++first;
        const int from = *first;
        const int to = *last;
        last = std::next(first);
        if (from < 0 || to >= rowCount()) continue;
        beginRemoveRows(QModelIndex(), from, to);
        rows_.erase(rows_.begin() + from, rows_.begin() + to + 1);
        endRemoveRows();
    }
}

void ProgramListModel::setCell(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount) return;
    rows_[row][column] = text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed);
}

void ProgramListModel::setRow(int row, const Row& cells) {
    if (row < 0 || row >= rowCount()) return;
    rows_[row] = cells;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

const QString& ProgramListModel::cell(int row, int column) const {
    static const QString empty;
    if (row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount) return empty;
    return rows_[row][column];
}

}  // namespace vistrel
