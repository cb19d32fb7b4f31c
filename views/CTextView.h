#pragma once
// The program list of a show window: one row per program line, six columns, drawn
// by the program itself so that short timers, special-function texts and the end of
// the show stand out. It is where lines are selected and where the line editor gets
// the line it works on; the rows mirror the document and are rebuilt from it.
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

    // DocumentView: the steps of the update from the document.
    void onDocumentUpdate(DocumentView* sender) override;
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
    void selectAllRows() override;

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
    void applyCurrentLine();
    // `row` is the row hit by a click (-1: below the last row). The command takes the
    // context row and the Enter key the first selected row instead.
    void makeCurrentLine(int row, Trigger trigger);
    void notifyLineEditor(int code);
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
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // The update steps; the first update of the concrete view runs the same.
    void updateFromDocument();

    CVistrelDoc& doc_;
    ViewServices& services_;

private:
    struct CommandOperation {
        std::function<void()> run;
        std::function<bool()> enabled;
    };

    void setupColumns();
    void setRowCells(int row, bool emptyDescriptionAsBlank);
    int rowAt(const QPoint& viewportPos) const;
    void showContextMenu(const QPoint& viewportPos);
    void recomputeShowLength();
    bool showRunning() const;
    void runOperation(int commandId);

    void drawEndOfShow(QPainter* painter, const QRect& rowRect, int row, bool highlighted) const;
    QRect columnRect(int column, const QRect& rowRect) const;

    ProgramListModel* model_ = nullptr;
    // The highlight of a selected row runs on to the client edge, past the last column.
    bool clientWidthSelect_ = true;
    int contextItem_ = 0;
    QPointer<QMenu> contextMenu_;
    std::map<int, CommandOperation> operations_;
};

}  // namespace vistrel
