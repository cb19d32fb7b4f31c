#pragma once
// The list's own copy of the cell texts: six texts per row, mirroring the document.
// Clipboard and several line operations read the rows back from these texts.
#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <vector>

namespace vistrel {

class ProgramListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int ColumnCount = 6;
    using Row = std::array<QString, ColumnCount>;

    explicit ProgramListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void clear();
    void setRows(std::vector<Row> rows);
    void insertRowAt(int row, const QString& firstCell);
    void insertRowsAt(int row, std::vector<Row> rows);
    // Removes the rows given in ascending order, each run of neighbours at once.
    void removeRowList(const std::vector<int>& rows);
    void setRow(int row, const Row& cells);
    void setCell(int row, int column, const QString& text);
    const QString& cell(int row, int column) const;

private:
    std::vector<Row> rows_;
    std::array<QString, ColumnCount> headings_;
};

}  // namespace vistrel
