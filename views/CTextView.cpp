#include "views/CTextView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusTipEvent>
#include <algorithm>

#include "model/CellText.h"
#include "model/Cp1252.h"
#include "model/ShowLength.h"
#include "model/SpecialFunction.h"
#include "platform/Prompter.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "res/strings/ListStrings.h"
#include "res/strings/ShellStrings.h"
#include "res/strings/ModelStrings.h"
#include "views/ListContextMenu.h"
#include "views/ProgramListModel.h"
#include "views/ProgramRowPainter.h"
#include "views/ShowSearch.h"
#include "views/ViewServices.h"

namespace vistrel {

namespace {

constexpr int LastEditableLine = MaxProgramLines - 1;

QString fromCp1252(const std::string& bytes) { return QString::fromStdString(cp1252ToUtf8(bytes)); }

ProgramListModel::Row rowFromLine(const ProgramLine& line, bool emptyDescriptionAsBlank) {
    const CellTexts texts = cellTexts(line, emptyDescriptionAsBlank);
    ProgramListModel::Row row;
    for (int c = 0; c < ProgramListModel::ColumnCount; ++c) row[c] = fromCp1252(texts[c]);
    return row;
}

QFont makeListFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    // Without that font the decimal points of the time columns only line up in
    // another fixed-pitch one.
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

}  // namespace

CTextView::CTextView(CVistrelDoc& doc, ViewServices& services, QWidget* parent)
    : QTreeView(parent), doc_(doc), services_(services), model_(new ProgramListModel(this)) {
    setModel(model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setFont(makeListFont());
    setupColumns();
    doc_.addView(this);
}

CTextView::~CTextView() {
    storeColumnWidths();
    if (doc_.listView == this) doc_.listView = nullptr;
    doc_.removeView(this);
}

void CTextView::setupColumns() {
    QHeaderView* head = header();
    head->setStretchLastSection(false);
    head->setSectionsClickable(false);  // no sorting: the order is the show's order
    head->setSectionsMovable(false);
    head->setSectionResizeMode(QHeaderView::Interactive);
    head->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < ProgramListModel::ColumnCount; ++c)
        head->resizeSection(c, std::max(0, services_.settings.columnWidths[c]));
}

void CTextView::storeColumnWidths() {
    // An empty list keeps the widths the user had before.
    if (rowCount() == 0) return;
    for (int c = 0; c < ProgramListModel::ColumnCount; ++c)
        services_.settings.columnWidths[c] = header()->sectionSize(c);
}

bool CTextView::showRunning() const { return services_.runState.showRunning; }

// ---------------------------------------------------------------------------
// Rows from the document

void CTextView::fillFromDocument() {
    std::vector<ProgramListModel::Row> rows;
    const int count = std::clamp(doc_.lineCount, 0, MaxProgramLines);
    rows.reserve(count);
    for (int i = 0; i < count; ++i) rows.push_back(rowFromLine(doc_.lines[i], true));
    model_->setRows(std::move(rows));
}

QString CTextView::cellText(int row, int column) const { return model_->cell(row, column); }

int CTextView::rowCount() const { return model_->rowCount(); }

CellTexts CTextView::rowCells(int row) const {
    CellTexts cells;
    for (int c = 0; c < ProgramListModel::ColumnCount; ++c)
        cells[static_cast<std::size_t>(c)] = utf8ToCp1252(model_->cell(row, c).toStdString());
    return cells;
}

void CTextView::insertRows(int row, const std::vector<CellTexts>& cells) {
    std::vector<ProgramListModel::Row> rows;
    rows.reserve(cells.size());
    for (const CellTexts& texts : cells) {
        ProgramListModel::Row converted;
        for (int c = 0; c < ProgramListModel::ColumnCount; ++c)
            converted[c] = fromCp1252(texts[static_cast<std::size_t>(c)]);
        rows.push_back(std::move(converted));
    }
    model_->insertRowsAt(row, std::move(rows));
}

void CTextView::removeRows(const std::vector<int>& rows) { model_->removeRowList(rows); }

void CTextView::setCell(int row, int column, const std::string& text) { model_->setCell(row, column, fromCp1252(text)); }

void CTextView::clearRowState(int row) {
    if (row < 0 || row >= rowCount()) return;
    selectionModel()->select(model_->index(row, 0), QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    if (selectionModel()->currentIndex().row() == row)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

void CTextView::selectAndFocusRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    const QModelIndex index = model_->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    scrollTo(index, QAbstractItemView::EnsureVisible);
}

void CTextView::selectRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    selectionModel()->select(model_->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

int CTextView::focusedRow() const {
    const QModelIndex current = selectionModel() ? selectionModel()->currentIndex() : QModelIndex();
    return current.isValid() ? current.row() : -1;
}

void CTextView::setSelection(const std::vector<int>& rows, int focused) {
    QItemSelectionModel* selection = selectionModel();
    QItemSelection wanted;
    for (int row : rows) {
        if (row >= 0 && row < rowCount()) wanted.select(model_->index(row, 0), model_->index(row, 0));
    }
    const QModelIndex current = focused >= 0 && focused < rowCount() ? model_->index(focused, 0) : QModelIndex();
    selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    selection->select(wanted, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    viewport()->update();
}

void CTextView::selectAllRows() {
    if (rowCount() == 0) return;
    const QItemSelection all(model_->index(0, 0), model_->index(rowCount() - 1, ProgramListModel::ColumnCount - 1));
    selectionModel()->select(all, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

std::vector<int> CTextView::selectedRows() const {
    std::vector<int> rows;
    if (!selectionModel()) return rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CTextView::recomputeShowLength() {
    keepShowLength(doc_, services_.settings);
}

void CTextView::documentChanged(const DocumentChange& change) {
    doc_.listView = this;
    if (change.rowsRebuilt) {
        fillFromDocument();
        recomputeShowLength();
        if (services_.appState.searchPending) runPendingSearch();
    }
    if (change.lineToShow >= 0 && change.lineToShow < rowCount())
        scrollTo(model_->index(change.lineToShow, 0), QAbstractItemView::EnsureVisible);
    viewport()->update();
    recomputeShowLength();
}

void CTextView::updateFromDocument() {
    doc_.listView = this;
    fillFromDocument();
    recomputeShowLength();
    if (services_.appState.searchPending) runPendingSearch();
}

void CTextView::announceCurrentLine() {
    DocumentChange change;
    change.currentLineChanged = true;
    doc_.announce(change, this);
}

void CTextView::refreshAllItems() {
    dataChanged(model_->index(0, 0), model_->index(std::max(0, rowCount() - 1), ProgramListModel::ColumnCount - 1));
    viewport()->update();
}

void CTextView::followRunningLine(int row) {
    QItemSelectionModel* selection = selectionModel();
    if (row < 0 || row >= rowCount()) {
        selection->clearSelection();
        return;
    }
    const QModelIndex index = model_->index(row, 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index, QAbstractItemView::EnsureVisible);
    viewport()->update();
}

void CTextView::clearRunSelection() {
    selectionModel()->clearSelection();
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    viewport()->update();
}

// ---------------------------------------------------------------------------
// The current line

void CTextView::makeCurrentLine(int row, Trigger trigger) {
    if (trigger != Trigger::EnterKey) services_.appState.searchPending = false;

    switch (trigger) {
        case Trigger::Click:
        case Trigger::DoubleClick:
            if (row < 0 || row >= doc_.lineCount) {
                if (doc_.lineCount <= 0) return;
                // Below the last row: the editor shows the last line's successor.
                doc_.appendMode = true;
                doc_.clickBelowLastLine = true;
                row = doc_.lineCount - 1;
            } else {
                doc_.appendMode = false;
            }
            break;
        case Trigger::EditCommand:
            // Only a row of the show can be edited; a stale context row would make the
            // editor overwrite a record that is not part of the show.
            row = contextItem_;
            if (row < 0 || row >= doc_.lineCount) return;
            doc_.appendMode = false;
            break;
        case Trigger::EnterKey: {
            const std::vector<int> rows = selectedRows();
            if (rows.empty()) return;
            row = rows.front();
            doc_.appendMode = false;
            break;
        }
    }

    doc_.currentLine = std::clamp(row, 0, LastEditableLine);
    recomputeShowLength();
    announceCurrentLine();
    viewport()->update();
}

// ---------------------------------------------------------------------------
// Commands

void CTextView::setCommandOperation(int commandId, std::function<void()> run, std::function<bool()> enabled) {
    if (!run) {
        operations_.erase(commandId);
        return;
    }
    operations_[commandId] = {std::move(run), std::move(enabled)};
}

void CTextView::searchCurrentShow() { vistrel::searchCurrentShow(*this); }

void CTextView::runPendingSearch() {
    // A hit becomes the editor's line, as after every search.
    searchCurrentShow();
    services_.appState.searchPending = false;
}

bool CTextView::isCommandEnabled(int commandId) const {
    if (commandId == cmd::EditLine) return true;
    // The jump is the run control's; the list offers it while a show runs.
    if (commandId == cmd::JumpToLine) return showRunning();
    const auto found = operations_.find(commandId);
    if (found == operations_.end()) return false;
    bool allowed = true;
    switch (commandId) {
        case cmd::EditCut:
        case cmd::EditPaste:
            allowed = !showRunning();
            break;
        case cmd::CorrectSlideNumbers:
            allowed = !showRunning() && !selectedRows().empty();
            break;
        default:
            break;
    }
    return allowed && (!found->second.enabled || found->second.enabled());
}

void CTextView::runOperation(int commandId) {
    const auto found = operations_.find(commandId);
    if (found != operations_.end()) found->second.run();
}

bool CTextView::handleCommand(int commandId) {
    if (commandId == cmd::EditLine) {
        makeCurrentLine(contextItem_, Trigger::EditCommand);
        return true;
    }
    if (operations_.find(commandId) == operations_.end()) return false;
    if (isCommandEnabled(commandId)) runOperation(commandId);
    return true;
}

// ---------------------------------------------------------------------------
// Mouse and keys

int CTextView::rowAt(const QPoint& viewportPos) const {
    // The whole width of a row counts as the row, as its highlight does.
    const QModelIndex index = indexAt(QPoint(header()->sectionViewportPosition(0) + 1, viewportPos.y()));
    return index.isValid() ? index.row() : -1;
}

void CTextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        if (event->modifiers() & Qt::ShiftModifier) return;
        showContextMenu(event->position().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) {
        QTreeView::mousePressEvent(event);
        return;
    }
    // While a show runs the selection follows the projector, not the mouse.
    if (showRunning()) {
        event->accept();
        return;
    }
    const QPoint pos = event->position().toPoint();
    const int row = rowAt(pos);
    if (!(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) makeCurrentLine(row, Trigger::Click);

    // Let the view select the row even when the click lies right of the last column.
    if (row >= 0 && !indexAt(pos).isValid()) {
        const QPointF inside(header()->sectionViewportPosition(0) + 1, event->position().y());
        QMouseEvent moved(event->type(), inside, viewport()->mapToGlobal(inside), event->button(), event->buttons(),
                          event->modifiers());
        QTreeView::mousePressEvent(&moved);
        return;
    }
    QTreeView::mousePressEvent(event);
}

void CTextView::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) return;
    makeCurrentLine(rowAt(event->position().toPoint()), Trigger::DoubleClick);
}

void CTextView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && rowAt(event->position().toPoint()) < 0) {
        event->accept();
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}

namespace {

// Keys the view would otherwise handle itself (copying one cell, selecting every row)
// beside the program's own commands of the same name.
int programCommandOfKey(const QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) return cmd::EditCopy;
    if (event->matches(QKeySequence::SelectAll)) return cmd::EditSelectAll;
    if (event->matches(QKeySequence::Cut)) return cmd::EditCut;
    if (event->matches(QKeySequence::Paste)) return cmd::EditPaste;
    return 0;
}

}  // namespace

void CTextView::keyPressEvent(QKeyEvent* event) {
    // These keys belong to the program's commands, which follow their enabling rules:
    // while a command is disabled its key does nothing here either.
    if (const int command = programCommandOfKey(event)) {
        event->accept();
        if (services_.runCommand) {
            services_.runCommand(command);
        } else {
            handleCommand(command);
        }
        return;
    }
    const bool plain = (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    switch (event->key()) {
        case Qt::Key_Delete:
            // Asked only once the removal exists; the answer would otherwise lead nowhere.
            if (plain && operations_.count(cmd::EditRemove) && !selectedRows().empty()) {
                const int question = selectedRows().size() == 1 ? ids::ConfirmDeleteOne : ids::ConfirmDeleteMany;
                if (services_.prompter.showMessage(question, MessageIcon::Question, MessageButtons::YesNo) ==
                    MessageAnswer::Yes)
                    runOperation(cmd::EditRemove);
            }
            break;
        case Qt::Key_Insert:
            // Unlike "Einfügen" the key pastes while a show runs too, as insertion does.
            if (plain && operations_.count(cmd::EditPaste)) {
                if (services_.prompter.showMessage(ids::ConfirmPaste, MessageIcon::Question, MessageButtons::YesNo) ==
                    MessageAnswer::Yes)
                    runOperation(cmd::EditPaste);
            }
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            makeCurrentLine(-1, Trigger::EnterKey);
            break;
        case Qt::Key_Space:
            if (showRunning() && services_.pauseContinue) {
                services_.pauseContinue(doc_);
                event->accept();
                return;  // the space must not also toggle the selection the projector keeps
            }
            break;
        default:
            break;
    }
    QTreeView::keyPressEvent(event);
}

void CTextView::showContextMenu(const QPoint& viewportPos) {
    const int row = rowAt(viewportPos);
    if (row < 0) return;
    contextMenu_ =
        ListContextMenu::openOnRow(*this, row, showRunning(), viewport()->mapToGlobal(viewportPos + QPoint(0, 12)));
}

// ---------------------------------------------------------------------------
// Window events

void CTextView::closeEvent(QCloseEvent* event) {
    storeColumnWidths();
    QTreeView::closeEvent(event);
}

void CTextView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    viewport()->update();  // the focus rectangle and highlight depend on the focus
}

void CTextView::focusOutEvent(QFocusEvent* event) {
    QTreeView::focusOutEvent(event);
    viewport()->update();
}

// ---------------------------------------------------------------------------
// Drawing

void CTextView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    ProgramRowPainter::Columns columns;
    for (int c = 0; c < ProgramListModel::ColumnCount; ++c) {
        columns.left[static_cast<std::size_t>(c)] = header()->sectionViewportPosition(c);
        columns.width[static_cast<std::size_t>(c)] = header()->sectionSize(c);
    }
    columns.viewportWidth = viewport()->width();
    const int row = index.row();
    const QModelIndex current = selectionModel() ? selectionModel()->currentIndex() : QModelIndex();
    ProgramRowPainter::RowState state;
    state.highlighted = selectionModel() && selectionModel()->isRowSelected(row, QModelIndex());
    state.focusFrame = hasFocus() && current.isValid() && current.row() == row;
    const QRect rowBand(0, option.rect.top(), viewport()->width(), option.rect.height());
    ProgramRowPainter(*model_, doc_, services_.settings)
        .paint(*painter, row, rowBand, columns, state, font(), palette(), clientWidthSelect_);
}

}  // namespace vistrel
