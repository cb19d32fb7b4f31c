#pragma once
// The program list of a show window: one row per program line, six columns, each row
// drawn by ProgramRowPainter. It is where lines are selected and where the line editor
// gets the line it works on (makeCurrentLine); the rows mirror the document, are
// written by the line operations and rebuilt from the document when it says so. Its
// context menu is ListContextMenu's; its commands are hooked in by ListCommands.
#include <QMenu>
#include <QPointer>
#include <QTreeView>
#include <functional>
#include <map>
#include <vector>

#include "model/CVistrelDoc.h"
#include "model/ProgramRows.h"

namespace vistrel {

struct ViewServices;
class ProgramListModel;

class CTextView : public QTreeView, public DocumentView, public ProgramRows {
    Q_OBJECT

public:
    // How a row became the current one: each way has its own small differences.
    enum class Trigger { Click, DoubleClick, EditCommand, EnterKey };

    CTextView(CVistrelDoc& doc, ViewServices& services, QWidget* parent = nullptr);
    ~CTextView() override;

    // DocumentView: rows rebuilt, scrolled and repainted as the change says.
    void documentChanged(const DocumentChange& change) override;
    // ProgramRows: the rows as the line operations see and change them.
    std::vector<int> selectedRows() const override;
    int rowCount() const override;
    CellTexts rowCells(int row) const override;
    int contextItem() const override { return contextItem_; }
    void insertRows(int row, const std::vector<CellTexts>& cells) override;
    void removeRows(const std::vector<int>& rows) override;
    void setCell(int row, int column, const std::string& text) override;
    void clearRowState(int row) override;
    void selectAndFocusRow(int row) override;
    void selectRow(int row) override;
    void selectAllRows() override;
    int focusedRow() const override;
    void setSelection(const std::vector<int>& rows, int focused) override;

    // Commands of the "Bearbeiten" menu and the context menus; false when not handled
    // here (the caller then routes the command on).
    bool handleCommand(int commandId);
    bool isCommandEnabled(int commandId) const;

    // The line operations, clipboard and search live in their own classes; they hook
    // themselves in here. A command without an operation stays disabled. `enabled`
    // may add a rule of its own to the list's rule for that id.
    void setCommandOperation(int commandId, std::function<void()> run, std::function<bool()> enabled = {});
    // The search in the open show ("in aktueller Datei", "Suche wiederholen").
    void searchCurrentShow();
    // When a show is opened from the folder search's results: the search runs once,
    // and its hit becomes the line editor's current line. Also for a show that was
    // open already and is only brought to the front.
    void runPendingSearch();

    void fillFromDocument();
    // `row` is the row hit by a click (-1: below the last row). The command takes the
    // context row and the Enter key the first selected row instead.
    void makeCurrentLine(int row, Trigger trigger);
    void refreshAllItems();

    // While a show runs the selection follows the projector: `row` becomes the only
    // selected (and the current) row and is scrolled into view. A row the list does
    // not have only clears the selection.
    void followRunningLine(int row);
    // Before a show starts: no row stays selected or current.
    void clearRunSelection();

    // The list's own cell texts (UTF-8 for display; the clipboard reads them back).
    QString cellText(int row, int column) const;
    void setContextItem(int row) { contextItem_ = row; }
    // The context menu last shown (null once closed); lets the window's tests see it.
    QMenu* contextMenu() const { return contextMenu_; }

    // Writes the current column widths into the settings when the list has rows.
    void storeColumnWidths();

    CVistrelDoc& document() { return doc_; }
    ViewServices& services() { return services_; }

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // The first update: the rows from the document, and a search waiting for them.
    void updateFromDocument();

    CVistrelDoc& doc_;
    ViewServices& services_;

private:
    struct CommandOperation {
        std::function<void()> run;
        std::function<bool()> enabled;
    };

    void setupColumns();
    int rowAt(const QPoint& viewportPos) const;
    void showContextMenu(const QPoint& viewportPos);
    void recomputeShowLength();
    bool showRunning() const;
    void runOperation(int commandId);
    // Tells the others (the line editor) that the current line moved.
    void announceCurrentLine();

    ProgramListModel* model_ = nullptr;
    // The highlight of a selected row runs on to the client edge, past the last column.
    bool clientWidthSelect_ = true;
    int contextItem_ = 0;
    QPointer<QMenu> contextMenu_;
    std::map<int, CommandOperation> operations_;
};

}  // namespace vistrel
