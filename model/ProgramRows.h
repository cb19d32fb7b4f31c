#pragma once
// What the line operations need of the program list besides the document. The list's
// rows keep cell texts of their own (an empty description shows as one blank only in
// rows filled from the whole document, and copying carries the cells as they are), and
// its selection and the row under the last right-click say what a command acts on.
// The window's list implements it over its widgets; PlainProgramRows without any.
#include <vector>

#include "model/CVistrelDoc.h"
#include "model/CellText.h"

namespace vistrel {

class ProgramRows : public ListSelection {
public:
    virtual int rowCount() const = 0;
    // Windows-1252 cell texts of `row`.
    virtual CellTexts rowCells(int row) const = 0;
    // The row under the last right-click.
    virtual int contextItem() const = 0;

    // New rows before `row` (row == rowCount() appends). Rows inserted are not selected.
    virtual void insertRows(int row, const std::vector<CellTexts>& cells) = 0;
    // Removes the rows given in ascending order.
    virtual void removeRows(const std::vector<int>& rows) = 0;
    virtual void setCell(int row, int column, const std::string& text) = 0;

    // The row loses its selected and focused state.
    virtual void clearRowState(int row) = 0;
    // The row becomes selected and focused; the other rows keep their selection.
    virtual void selectAndFocusRow(int row) = 0;
    // The row becomes selected; focus and the other rows stay as they are.
    virtual void selectRow(int row) = 0;
    virtual void selectAllRows() = 0;
    // The row with the focus, -1 for none.
    virtual int focusedRow() const = 0;
    // Exactly `rows` selected and `focused` (-1: none) focused, as they were before.
    virtual void setSelection(const std::vector<int>& rows, int focused) = 0;
};

// The rows as the list would hold them after filling itself from `doc`.
std::vector<CellTexts> rowsFilledFromDocument(const CVistrelDoc& doc);

// A list without a window: the command line pastes into one, and the tests watch the
// operations through it.
class PlainProgramRows final : public ProgramRows {
public:
    PlainProgramRows() = default;
    explicit PlainProgramRows(std::vector<CellTexts> rows);

    std::vector<int> selectedRows() const override;
    int rowCount() const override { return static_cast<int>(rows_.size()); }
    CellTexts rowCells(int row) const override;
    int contextItem() const override { return contextItem_; }

    void insertRows(int row, const std::vector<CellTexts>& cells) override;
    void removeRows(const std::vector<int>& rows) override;
    void setCell(int row, int column, const std::string& text) override;
    void clearRowState(int row) override;
    void selectAndFocusRow(int row) override;
    void selectRow(int row) override;
    void selectAllRows() override;
    int focusedRow() const override { return focused_; }
    void setSelection(const std::vector<int>& rows, int focused) override;

    void setContextItem(int row) { contextItem_ = row; }
    // Selects exactly `rows` (out-of-range rows are left out).
    void select(const std::vector<int>& rows);

private:
    struct Row {
        CellTexts cells;
        bool selected = false;
    };
    std::vector<Row> rows_;
    int contextItem_ = 0;
    int focused_ = -1;
};

}  // namespace vistrel
