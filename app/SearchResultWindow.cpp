#include "app/SearchResultWindow.h"

#include <QCloseEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <algorithm>

#include "app/FolderSearchRunner.h"
#include "model/Cp1252.h"
#include "res/TableText.h"
#include "res/strings/DialogStrings.h"
#include "res/strings/SearchStrings.h"
#include "search/FolderSearch.h"
#include "views/ListGeometry.h"

namespace vistrel {

namespace {

// Rows drawn as the program list draws its own, in the plain window colours: the
// path shortened with "..." at its end when the column is too narrow.
class ResultList final : public QTreeView {
public:
    using QTreeView::QTreeView;

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        namespace geo = listgeometry;
        const int row = index.row();
        const QRect band(0, option.rect.top(), viewport()->width(), option.rect.height());
        const bool selected = selectionModel() && selectionModel()->isRowSelected(row, QModelIndex());
        const QPalette& pal = palette();
        painter->save();
        painter->fillRect(band, selected ? pal.color(QPalette::Active, QPalette::Highlight)
                                         : pal.color(QPalette::Active, QPalette::Base));
        painter->setPen(selected ? pal.color(QPalette::Active, QPalette::HighlightedText)
                                 : pal.color(QPalette::Active, QPalette::Text));
        const QFontMetrics metrics(font());
        const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;
        for (int column = 0; column < model()->columnCount(); ++column) {
            const QRect cell(header()->sectionViewportPosition(column), band.top(), header()->sectionSize(column),
                             band.height());
            const QString text = model()->index(row, column).data().toString();
            if (text.isEmpty()) continue;
            // The first column keeps closer to its edges than the others.
            const int offset = column == 0 ? 4 : geo::CellOffset;
            const int inset = column == 0 ? 2 : geo::CellInset;
            painter->drawText(geo::insetCell(cell, inset), flags, geo::shortenText(text, cell.width(), offset, metrics));
        }
        if (hasFocus() && selectionModel() && selectionModel()->currentIndex().row() == row &&
            selectionModel()->currentIndex().isValid()) {
            painter->setPen(QPen(painter->pen().color(), 1, Qt::DotLine));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(band.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }
};

}  // namespace

SearchResultWindow::Layout SearchResultWindow::layoutFor(QSize size, QSize buttonSize) {
    const int w = size.width();
    const int h = size.height();
    return {QRect(16, 68, w - 48, h - 160), QRect(QPoint(w - 305, h - 63), buttonSize),
            QRect(QPoint(w - 105, h - 63), buttonSize)};
}

SearchResultWindow::SearchResultWindow(std::function<void(const QString& path)> openShow, QWidget* parent)
    : QWidget(parent, Qt::Window), openShow_(std::move(openShow)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tableText(ids::ResultCaption));

    auto label = [this](int textId, int x, int y) {
        auto* text = new QLabel(tableText(textId), this);
        text->move(x, y);
        text->adjustSize();
        return text;
    };
    auto value = [this](const QString& name, int x, int y, int width) {
        auto* text = new QLabel(this);
        text->setObjectName(name);
        text->setGeometry(x, y, width, fontMetrics().height() + 2);
        return text;
    };
    QLabel* termLabel = label(ids::ResultTermLabel, 16, 12);
    termValue_ = value(QStringLiteral("term"), termLabel->geometry().right() + 10, 12, 600);
    QLabel* filesLabel = label(ids::ResultFilesLabel, 16, 40);
    filesValue_ = value(QStringLiteral("files"), filesLabel->geometry().right() + 10, 40, 90);
    QLabel* kilobytesLabel = label(ids::ResultKilobytesLabel, filesValue_->geometry().right() + 20, 40);
    kilobytesValue_ = value(QStringLiteral("kilobytes"), kilobytesLabel->geometry().right() + 10, 40, 120);

    unreadable_ = new QLabel(this);
    unreadable_->setObjectName(QStringLiteral("unreadable"));

    model_ = new QStandardItemModel(0, 3, this);
    model_->setHorizontalHeaderLabels({tableText(ids::ResultColumnFile), tableText(ids::ResultColumnDescription),
                                       tableText(ids::ResultColumnTitle)});
    list_ = new ResultList(this);
    list_->setModel(model_);
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionsClickable(false);
    for (int column = 0; column < 3; ++column) list_->header()->resizeSection(column, ColumnWidths[column]);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SearchResultWindow::selectionChanged);
    connect(list_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) { openRow(index.row(), true); });
    connect(list_, &QTreeView::activated, this, [this](const QModelIndex& index) {
        // Enter on a row is "Datei laden"; a double-click is handled above.
        if (!list_->underMouse()) onOk();
        (void)index;
    });

    ok_ = new QPushButton(tableText(ids::ButtonOk), this);
    ok_->setDefault(true);
    cancel_ = new QPushButton(tableText(ids::ButtonCancel), this);
    connect(ok_, &QPushButton::clicked, this, &SearchResultWindow::onOk);
    connect(cancel_, &QPushButton::clicked, this, &SearchResultWindow::onCancel);

    setMinimumSize(420, 260);
    resize(1000, 420);
}

SearchResultWindow::~SearchResultWindow() = default;

void SearchResultWindow::startSearch(const QString& startFolder, const QString& term, bool matchCase,
                                     std::function<void()> done) {
    term_ = term;
    termShown_ = false;
    model_->removeRows(0, model_->rowCount());
    unreadable_->clear();
    FolderSearchRunner::Callbacks callbacks;
    callbacks.progress = [this](const std::vector<FolderHit>& hits, const FolderSearchCounters& counters) {
        for (const FolderHit& hit : hits) {
            addResult(QFile::decodeName(QByteArray::fromStdString(hit.path)),
                      QString::fromStdString(cp1252ToUtf8(hit.description)),
                      QString::fromStdString(cp1252ToUtf8(hit.title)));
        }
        setCounters(counters.filesExamined, counters.kilobytes());
    };
    callbacks.finished = [this, done = std::move(done)](const FolderSearchCounters& counters, bool) {
        addResult({}, {}, {});  // the final counters
        setCounters(counters.filesExamined, counters.kilobytes());
        unreadable_->setText(QString::fromStdString(unreadableNote(counters)));
        unsetCursor();
        if (done) done();
    };
    runner_ = std::make_unique<FolderSearchRunner>(std::move(callbacks));
    setCursor(Qt::BusyCursor);
    runner_->start(QFile::encodeName(startFolder).toStdString(), term.toStdString(), matchCase);
}

bool SearchResultWindow::searching() const { return runner_ && runner_->running(); }

void SearchResultWindow::stopSearch() {
    if (runner_) runner_->stop();
}

void SearchResultWindow::addResult(const QString& path, const QString& description, const QString& title) {
    if (!termShown_) {
        termValue_->setText(term_);
        termShown_ = true;
    }
    if (path.isEmpty() && description.isEmpty()) return;
    QList<QStandardItem*> row;
    for (const QString& text : {path, description, title}) {
        auto* item = new QStandardItem(text);
        item->setToolTip(text);
        row.append(item);
    }
    model_->appendRow(row);
}

void SearchResultWindow::setCounters(long long filesExamined, long long kilobytes) {
    filesValue_->setText(QString::number(filesExamined));
    kilobytesValue_->setText(QString::number(kilobytes));
}

QString SearchResultWindow::termText() const { return termValue_->text(); }
QString SearchResultWindow::filesText() const { return filesValue_->text(); }
QString SearchResultWindow::kilobytesText() const { return kilobytesValue_->text(); }
QString SearchResultWindow::unreadableText() const { return unreadable_->text(); }
int SearchResultWindow::rowCount() const { return model_->rowCount(); }
QString SearchResultWindow::cell(int row, int column) const { return model_->index(row, column).data().toString(); }

int SearchResultWindow::selectedRow() const {
    const QModelIndexList rows = list_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void SearchResultWindow::selectionChanged() {
    ok_->setText(selectedRow() >= 0 ? tableText(ids::LoadFileButton) : tableText(ids::ButtonOk));
    list_->viewport()->update();
}

void SearchResultWindow::openRow(int row, bool minimize) {
    if (row < 0 || row >= model_->rowCount()) return;
    const QString path = cell(row, 0);
    if (minimize) {
        showMinimized();
        lower();  // where no window manager minimizes, at least the show comes to the front
    }
    if (openShow_) openShow_(path);
}

void SearchResultWindow::onOk() {
    const int row = selectedRow();
    // Closed before the show opens, so that the show's window is the one in front.
    const QString path = row >= 0 ? cell(row, 0) : QString();
    close();
    if (!path.isEmpty() && openShow_) openShow_(path);
}

void SearchResultWindow::onCancel() {
    // A walk still running stops and leaves what it found; otherwise the window goes.
    if (searching()) {
        stopSearch();
        return;
    }
    close();
}

void SearchResultWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const Layout layout = layoutFor(size(), QSize(75, 23).expandedTo(ok_->sizeHint()));
    list_->setGeometry(layout.list);
    ok_->setGeometry(layout.ok);
    cancel_->setGeometry(layout.cancel);
    // Between the list and the buttons, as far as the first button.
    const int noteTop = layout.list.bottom() + 4;
    unreadable_->setGeometry(layout.list.left(), noteTop, std::max(0, layout.ok.left() - 10 - layout.list.left()),
                             std::max(fontMetrics().height() + 2, layout.ok.top() - noteTop));
    update();
}

void SearchResultWindow::closeEvent(QCloseEvent* event) {
    stopSearch();
    QWidget::closeEvent(event);
}

}  // namespace vistrel
