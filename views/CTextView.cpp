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
#include "views/CEditZeile.h"
#include "views/EditorValues.h"
#include "views/ListGeometry.h"
#include "views/ProgramListModel.h"
#include "views/ShowSearch.h"
#include "views/ViewEvents.h"
#include "views/ViewServices.h"

namespace vistrel {

namespace {

// The list never takes over a line at or beyond this row.
constexpr int RowLimit = 1000;
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

void CTextView::setRowCells(int row, bool emptyDescriptionAsBlank) {
    model_->setRow(row, rowFromLine(doc_.lines[row], emptyDescriptionAsBlank));
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
    doc_.showLength = computeShowLength(doc_, WholeShow, services_.settings.showTotalLength);
}

void CTextView::onDocumentUpdate(DocumentView* /*sender*/) { updateFromDocument(); }

void CTextView::updateFromDocument() {
    doc_.listView = this;
    if (doc_.reloadList) {
        doc_.reloadList = false;
        fillFromDocument();
        // The new line after the last one; a full show offers its last line slot and
        // the editor refuses to add beyond it.
        doc_.currentLine = std::min(doc_.lineCount, LastEditableLine);
        doc_.appendMode = true;
        doc_.editorReload = true;
        doc_.refreshViews = true;
        recomputeShowLength();
        if (services_.appState.searchPending) runPendingSearch();
    }
    if (doc_.refreshViews) {
        notifyLineEditor(0);
        viewport()->update();
    }
    recomputeShowLength();
}

void CTextView::notifyLineEditor(int code) {
    for (DocumentView* view : doc_.views()) {
        if (auto* editor = dynamic_cast<CEditZeile*>(view)) {
            QCoreApplication::postEvent(editor, new ReloadEditorEvent(code));
            return;
        }
    }
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
    doc_.editorReload = true;
    recomputeShowLength();

    if (trigger == Trigger::EnterKey) {
        doc_.updateAllViews(this);
    } else {
        notifyLineEditor(0);
        viewport()->update();
    }
}

void CTextView::applyCurrentLine() {
    if (showRunning()) {
        const bool isNewLine = doc_.appendMode || doc_.currentLine > doc_.lineCount;
        const bool sent = services_.sendLineToRunningShow ? services_.sendLineToRunningShow(doc_) != 0 : !isNewLine;
        if (!sent && isNewLine) {
            services_.prompter.showMessage(ids::NoNewLinesWhileRunning, MessageIcon::None, MessageButtons::Ok);
            // Take back the line the editor appended; the refused line is not taken over later.
            if (doc_.appendMode && doc_.lineCount > 0) --doc_.lineCount;
            doc_.applyPending = false;
            return;
        }
    }
    doc_.applyPending = false;

    const int row = std::max(doc_.currentLine, 0);
    if (row >= RowLimit || row >= LineStorageRecords) return;

    if (doc_.appendMode) model_->insertRowAt(std::min(row, rowCount()), fromCp1252(doc_.lines[row].programNumber.str()));

    if (row < rowCount()) {
        setRowCells(row, false);
        if (row < doc_.lineCount) {
            const QModelIndex index = model_->index(row, 0);
            selectionModel()->select(index, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
            if (selectionModel()->currentIndex().row() == row)
                selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
            if (row + 1 < rowCount())
                selectionModel()->select(model_->index(row + 1, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        update(model_->index(row, 0));
        scrollTo(model_->index(row, 0), QAbstractItemView::EnsureVisible);
    }

    ++doc_.currentLine;
    if (doc_.currentLine >= doc_.lineCount) doc_.appendMode = true;
    if (doc_.currentLine >= MaxProgramLines) {
        doc_.appendMode = false;
        doc_.currentLine = LastEditableLine;
        services_.prompter.showMessage(ids::LineCapacityReached, MessageIcon::Exclamation, MessageButtons::Ok);
    }
    doc_.editorReload = true;
    doc_.refreshViews = true;
    recomputeShowLength();
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
    searchCurrentShow();
    services_.appState.searchPending = false;
    const std::vector<int> rows = selectedRows();
    if (!rows.empty()) {
        doc_.currentLine = std::min(rows.front(), LastEditableLine);
        doc_.editorReload = true;
        doc_.appendMode = false;
    }
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
    const bool running = showRunning();
    QItemSelectionModel* selection = selectionModel();
    if (running) {
        // The line being shown stays marked.
        selection->clearSelection();
        if (doc_.runningLine >= 0 && doc_.runningLine < rowCount()) {
            const QModelIndex shown = model_->index(doc_.runningLine, 0);
            selection->setCurrentIndex(shown, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    selection->setCurrentIndex(model_->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    update(model_->index(row, 0));
    contextItem_ = row;
    doc_.jumpTarget = running ? row : 0;

    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto text = [](int id) { return QString::fromUtf8(res::text(id)); };
    auto entry = [this, &text](QMenu* into, int textId, int commandId) {
        QAction* action = into->addAction(text(textId));
        action->setData(commandId);
        action->setEnabled(isCommandEnabled(commandId));
        // What the entry does, in the status bar while the mouse is on it.
        if (res::has(ids::StatusPromptOffset + commandId))
            action->setStatusTip(text(ids::StatusPromptOffset + commandId));
        connect(action, &QAction::triggered, this, [this, commandId] {
            if (!handleCommand(commandId) && services_.runCommand) services_.runCommand(commandId);
        });
    };
    // The menu has one popup "Zeile" whose entries are shown directly.
    menu->setTitle(text(ids::MenuLine));
    if (running) entry(menu, ids::MenuJumpToLine, cmd::JumpToLine);
    entry(menu, ids::MenuEditLine, cmd::EditLine);
    QMenu* insert = menu->addMenu(text(ids::MenuInsertLine));
    entry(insert, ids::MenuWithoutCorrection, cmd::InsertLine);
    entry(insert, ids::MenuWithCorrection, cmd::InsertLineCorrected);
    QMenu* remove = menu->addMenu(text(ids::MenuRemoveLines));
    entry(remove, ids::MenuWithoutCorrection, cmd::RemoveLines);
    entry(remove, ids::MenuWithCorrection, cmd::RemoveLinesCorrected);
    QMenu* timers = menu->addMenu(text(ids::MenuTimers));
    entry(timers, ids::MenuTimersZero, cmd::TimersZero);
    entry(timers, ids::MenuTimersInput, cmd::TimersInput);
    if (!running) entry(menu, ids::MenuCorrectSlideNumbers, cmd::CorrectSlideNumbers);

    // A popup menu is a window of its own, so its entries' prompts would stop there;
    // handed to the list they reach the main window's status bar.
    auto showPrompt = [this](const QString& prompt) {
        QStatusTipEvent tip(prompt);
        QCoreApplication::sendEvent(this, &tip);
    };
    for (QMenu* popup : {menu, insert, remove, timers}) {
        connect(popup, &QMenu::hovered, this, [showPrompt](QAction* action) { showPrompt(action->statusTip()); });
    }
    connect(menu, &QMenu::aboutToHide, this, [showPrompt] { showPrompt(QString()); });

    contextMenu_ = menu;
    const QPoint global = viewport()->mapToGlobal(viewportPos + QPoint(0, 12));
    menu->popup(QPoint(global.x() - menu->sizeHint().width() / 2, global.y()));
}

// ---------------------------------------------------------------------------
// Window events

bool CTextView::event(QEvent* event) {
    if (event->type() == ApplyLineEvent::Type) {
        if (doc_.applyPending) applyCurrentLine();
        event->accept();
        return true;
    }
    return QTreeView::event(event);
}

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

QRect CTextView::columnRect(int column, const QRect& rowRect) const {
    return QRect(header()->sectionViewportPosition(column), rowRect.top(), header()->sectionSize(column),
                 rowRect.height());
}

void CTextView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    namespace geo = listgeometry;
    const int row = index.row();
    const QRect rowBand(0, option.rect.top(), viewport()->width(), option.rect.height());
    const QRect label = columnRect(0, rowBand);
    const int lastColumn = ProgramListModel::ColumnCount - 1;
    const int columnsRight = header()->sectionViewportPosition(lastColumn) + header()->sectionSize(lastColumn);
    const QRect bounds(QPoint(label.left(), rowBand.top()), QPoint(columnsRight - 1, rowBand.bottom()));
    const QRect band = geo::highlightRect(bounds, label.left(), clientWidthSelect_, viewport()->width());

    const bool listHasFocus = hasFocus();
    const bool highlighted = selectionModel() && selectionModel()->isRowSelected(row, QModelIndex());
    const QPalette& pal = palette();
    const QColor normalText = pal.color(QPalette::Active, QPalette::Text);
    const QColor highlightText = pal.color(QPalette::Active, QPalette::HighlightedText);
    const QColor textColour = highlighted ? highlightText : normalText;

    const QColor rowBackground = pal.color(QPalette::Active, highlighted ? QPalette::Highlight : QPalette::Base);

    painter->save();
    painter->setFont(font());
    painter->fillRect(band, rowBackground);
    painter->setPen(textColour);
    const QFontMetrics metrics(font());
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;

    const QString first = geo::shortenText(model_->cell(row, 0), label.width(), geo::FirstColumnOffset, metrics);
    painter->drawText(geo::insetCell(label, geo::FirstColumnInset), flags, first);

    bool endOfShow = false;
    for (int column = 1; column <= lastColumn && !endOfShow; ++column) {
        const QRect cell = columnRect(column, rowBand);
        QString text = model_->cell(row, column);
        if (text.isEmpty()) continue;
        if (column == 4 && services_.settings.sfCodesAsText) {
            const QByteArray digits = text.toUtf8();
            text = QString::fromStdString(formatSpecialFunction(readInteger(text), digits.toStdString()));
        }
        text = geo::shortenText(text, cell.width(), geo::CellOffset, metrics);

        if (column == 1 && readInteger(text) == 0 && row < doc_.lineCount && doc_.lines[row].slideNumber == 0) {
            drawEndOfShow(painter, rowBand, row, highlighted);
            endOfShow = true;
            break;
        }
        const QRect textBox = geo::insetCell(cell, geo::CellInset);
        if (column == 3) {
            const int timer = row < doc_.lineCount ? doc_.lines[row].timerTime : 0;
            if (const auto tint = geo::timerColour(timer, services_.settings.use500WattTimes)) {
                // On the highlight blue and red would be lost; the timer keeps its colour,
                // and so its meaning, on a patch of the list's own background.
                if (highlighted && !geo::readableOn(*tint, rowBackground)) {
                    const int blanks = metrics.horizontalAdvance(text.left(text.size() - text.trimmed().size()));
                    const int width = metrics.horizontalAdvance(text.trimmed());
                    painter->fillRect(QRect(textBox.left() + blanks - 2, cell.top() + 1, width + 4, cell.height() - 2),
                                      pal.color(QPalette::Active, QPalette::Base));
                }
                painter->setPen(*tint);
            }
        }
        painter->drawText(textBox, flags, text);
        painter->setPen(textColour);
    }

    if (listHasFocus && selectionModel() && selectionModel()->currentIndex().row() == row &&
        selectionModel()->currentIndex().isValid()) {
        QPen dotted(highlighted ? highlightText : normalText, 1, Qt::DotLine);
        painter->setPen(dotted);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(band.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

void CTextView::drawEndOfShow(QPainter* painter, const QRect& rowBand, int row, bool highlighted) const {
    namespace geo = listgeometry;
    const QRect label = columnRect(0, rowBand);
    const int lastColumn = ProgramListModel::ColumnCount - 1;
    const QRect lastCell = columnRect(lastColumn, rowBand);
    const QRect bar = geo::endOfShowBar(label.left(), lastCell.left() + lastCell.width(), rowBand.top(),
                                        rowBand.height());
    // The bar has its own fill, so its texts keep the list's text colour on a selected
    // row too (the highlight's white would vanish on the grey).
    const QColor base = palette().color(QPalette::Active, QPalette::Base);
    const QColor fill = geo::endOfShowFill(QApplication::palette("QMenu").color(QPalette::Active, QPalette::Window), base);
    painter->setPen(QPen(Qt::black));
    painter->setBrush(fill);
    painter->drawRect(bar.adjusted(0, 0, -1, -1));
    // The bar covers nearly all of its row; a selected one says so with a frame in the
    // highlight colour.
    if (highlighted) {
        painter->setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(bar.adjusted(1, 1, -1, -1));
    }
    painter->setPen(geo::textOnFill(fill, palette().color(QPalette::Active, QPalette::Text)));
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;
    painter->drawText(bar, flags, QStringLiteral("      ") + QString::fromUtf8(res::text(ids::EndOfShow)));

    const QString dissolve = model_->cell(row, 2);
    if (dissolve.isEmpty()) return;
    const QFontMetrics metrics(font());
    const QString shortened = geo::shortenText(dissolve, label.width(), geo::CellOffset, metrics);
    const QRect dissolveCell = columnRect(2, rowBand);
    painter->drawText(QRect(dissolveCell.left() + geo::CellInset, rowBand.top(), label.width(), rowBand.height()),
                      flags, shortened);
}

}  // namespace vistrel
