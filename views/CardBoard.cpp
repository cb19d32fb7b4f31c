#include "views/CardBoard.h"

#include <QApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QWheelEvent>
#include <algorithm>

#include "edits/ShowHistory.h"
#include "model/CellText.h"
#include "model/Cp1252.h"
#include "model/LineTiming.h"
#include "pictures/SlidePictures.h"
#include "res/CommandIds.h"
#include "views/CVistrelView.h"
#include "views/ListCommands.h"
#include "views/ViewServices.h"

namespace vistrel {

namespace {
constexpr int TextLines = 3;
constexpr int Padding = 4;
constexpr int MarkerWidth = 4;
const QString DragFormat = QStringLiteral("application/x-vistrel-cards");

QString descriptionOf(const CVistrelDoc& doc, int index) {
    if (index < 0 || index >= doc.lineCount) return {};
    return QString::fromStdString(cp1252ToUtf8(doc.lines[static_cast<std::size_t>(index)].description.view()));
}
}  // namespace

CardBoard::CardBoard(ShowHistory& history, CVistrelView& list, const QString& pictureFolder, QWidget* parent)
    : QWidget(parent), history_(history), list_(list) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    CVistrelDoc& doc = list.document();
    // Thumbnails are small: the store keeps a whole show's worth, so that scrolling back
    // finds them, and a screenful of requests is never pushed out of the queue.
    pictures::PictureCache::Limits limits;
    limits.maxBytes = 160u * 1024u * 1024u;
    limits.minEntries = 64;
    limits.maxEntries = 1200;
    limits.maxQueued = 1200;
    pictures_ = std::make_unique<pictures::SlidePictures>(
        pictureFolder, [&doc](int index) { return descriptionOf(doc, index); }, limits);
    pictures_->whenArrived([this] { pictureArrived(); });
    // The list's selection is the table's: whatever changes it there is drawn here.
    connect(list.selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { update(); });
    refresh();
}

CardBoard::~CardBoard() = default;

int CardBoard::lineCount() const { return list_.document().lineCount; }

int CardBoard::cardHeight() const { return cardWidth_ * 2 / 3 + TextLines * fontMetrics().height() + 2 * Padding; }

QSize CardBoard::pictureArea() const { return {cardWidth_ - 2 * Padding, cardWidth_ * 2 / 3 - Padding}; }

CardLayout CardBoard::layout() const { return {lineCount(), width(), cardWidth_, cardHeight(), Gap}; }

void CardBoard::setCardWidth(int width) {
    if (width == cardWidth_) return;
    cardWidth_ = width;
    waiting_.clear();
    refresh();
}

void CardBoard::refresh() {
    setMinimumHeight(layout().contentHeight());
    update();
}

void CardBoard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    setMinimumHeight(layout().contentHeight());
}

void CardBoard::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    const std::vector<int> selectedRows = list_.selectedRows();
    const std::set<int> selected(selectedRows.begin(), selectedRows.end());
    const auto [first, end] = layout().cardsBetween(event->rect().top(), event->rect().bottom());
    for (int index = first; index < end; ++index) paintCard(painter, index, selected.contains(index));
    if (dropPlace_ >= 0) painter.fillRect(dropMarker(dropPlace_), palette().color(QPalette::Highlight));
}

void CardBoard::paintCard(QPainter& painter, int index, bool selected) {
    const CardBox box = layout().cardBox(index);
    const QRect card(box.x, box.y, box.width, box.height);
    const QPalette& colours = palette();
    painter.fillRect(card, selected ? colours.color(QPalette::Highlight) : colours.color(QPalette::Base));
    const ProgramLine& line = list_.document().lines[static_cast<std::size_t>(index)];

    const QSize area = pictureArea();
    const QRect pictureBox(card.left() + Padding, card.top() + Padding, area.width(), area.height());
    painter.fillRect(pictureBox, Qt::black);
    if (const auto picture = pictures_->ready(line.slideNumber, index, area)) {
        waiting_.erase(index);
        if (!picture->isNull()) {
            const QSize shown = picture->size().scaled(area, Qt::KeepAspectRatio);
            const QRect target(pictureBox.center().x() - shown.width() / 2 + 1,
                               pictureBox.center().y() - shown.height() / 2 + 1, shown.width(), shown.height());
            painter.drawImage(target, *picture);
        }
    } else {
        waiting_.insert(index);
    }

    painter.setPen(selected ? colours.color(QPalette::HighlightedText) : colours.color(QPalette::Text));
    const int lineHeight = fontMetrics().height();
    QRect text(card.left() + Padding, pictureBox.bottom() + Padding, card.width() - 2 * Padding, lineHeight);
    const QString number = QString::fromStdString(cellText(line, 0, false)).trimmed();
    const QString slide = QString::number(line.slideNumber);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, number);
    painter.drawText(text, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Dia ") + slide);
    text.translate(0, lineHeight);
    const QString description = fontMetrics().elidedText(descriptionOf(list_.document(), index), Qt::ElideRight,
                                                         text.width());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, description);
    text.translate(0, lineHeight);
    const LineTiming timing = lineTiming(line.specialFunction, line.dissolveTime, line.timerTime);
    QString marks = QString::fromStdString(cellText(line, 3, false)).trimmed() + QStringLiteral(" s");
    if (timing.pauseCount() > 0) marks += QStringLiteral("  ‖ Pause");
    if (timing.autoreverse) marks += QStringLiteral("  ↺ Autoreverse");
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, marks);
}

void CardBoard::pictureArrived() {
    // Only the cards whose picture is now there are drawn again.
    const QSize area = pictureArea();
    for (auto it = waiting_.begin(); it != waiting_.end();) {
        const int index = *it;
        if (index >= lineCount()) {
            it = waiting_.erase(it);
            continue;
        }
        const int slide = list_.document().lines[static_cast<std::size_t>(index)].slideNumber;
        if (pictures_->ready(slide, index, area)) {
            const CardBox box = layout().cardBox(index);
            update(box.x, box.y, box.width, box.height);
            it = waiting_.erase(it);
        } else {
            ++it;
        }
    }
}

void CardBoard::selectByClick(int card, Qt::KeyboardModifiers modifiers) {
    std::vector<int> rows;
    if (modifiers & Qt::ShiftModifier && anchor_ >= 0) {
        for (int row = std::min(anchor_, card); row <= std::max(anchor_, card); ++row) rows.push_back(row);
    } else if (modifiers & Qt::ControlModifier) {
        rows = list_.selectedRows();
        const auto found = std::find(rows.begin(), rows.end(), card);
        if (found != rows.end()) {
            rows.erase(found);
        } else {
            rows.insert(std::upper_bound(rows.begin(), rows.end(), card), card);
        }
        anchor_ = card;
    } else {
        rows = {card};
        anchor_ = card;
    }
    list_.setSelection(rows, card);
    list_.scrollTo(list_.model()->index(card, 0));
}

void CardBoard::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const int card = layout().cardAt(point.x(), point.y());
    pressedCard_ = -1;
    if (card < 0 || event->button() != Qt::LeftButton) return;
    pressPoint_ = point;
    pressedCard_ = card;
    // A plain press on a selected card may start a drag of them all: the selection
    // narrows to it only when the button comes up without a drag.
    const std::vector<int> selected = list_.selectedRows();
    const bool onSelection = std::find(selected.begin(), selected.end(), card) != selected.end();
    if (!(onSelection && event->modifiers() == Qt::NoModifier)) selectByClick(card, event->modifiers());
}

void CardBoard::mouseReleaseEvent(QMouseEvent* event) {
    if (pressedCard_ >= 0 && event->modifiers() == Qt::NoModifier) selectByClick(pressedCard_, Qt::NoModifier);
    pressedCard_ = -1;
}

void CardBoard::mouseMoveEvent(QMouseEvent* event) {
    if (pressedCard_ < 0 || !(event->buttons() & Qt::LeftButton)) return;
    if ((event->position().toPoint() - pressPoint_).manhattanLength() < QApplication::startDragDistance()) return;
    pressedCard_ = -1;
    if (list_.services().runState.showRunning) return;  // the projector holds the lines by place
    auto* drag = new QDrag(this);
    drag->setMimeData(dragData().release());
    drag->exec(Qt::MoveAction);
}

std::unique_ptr<QMimeData> CardBoard::dragData() const {
    auto mime = std::make_unique<QMimeData>();
    mime->setData(DragFormat, QByteArray::number(reinterpret_cast<quintptr>(this)));
    return mime;
}

bool CardBoard::isOurDrag(const QMimeData* mime) const {
    return mime && mime->data(DragFormat) == QByteArray::number(reinterpret_cast<quintptr>(this));
}

QRect CardBoard::dropMarker(int place) const {
    const CardLayout cards = layout();
    if (lineCount() == 0) return {0, 0, MarkerWidth, Gap};
    // Before card `place`, or right of the last card.
    const bool afterLast = place >= lineCount();
    const CardBox box = cards.cardBox(afterLast ? lineCount() - 1 : place);
    const int x = afterLast ? box.x + box.width + Gap / 2 : box.x - Gap / 2;
    return {x - MarkerWidth / 2, box.y, MarkerWidth, box.height};
}

void CardBoard::showDropPlace(int place) {
    if (place == dropPlace_) return;
    if (dropPlace_ >= 0) update(dropMarker(dropPlace_));
    dropPlace_ = place;
    if (dropPlace_ >= 0) update(dropMarker(dropPlace_));
}

void CardBoard::dragEnterEvent(QDragEnterEvent* event) {
    if (!isOurDrag(event->mimeData())) return;
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void CardBoard::dragMoveEvent(QDragMoveEvent* event) {
    if (!isOurDrag(event->mimeData())) return;
    const QPoint point = event->position().toPoint();
    showDropPlace(layout().insertionAt(point.x(), point.y()));
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void CardBoard::dragLeaveEvent(QDragLeaveEvent* /*event*/) { showDropPlace(-1); }

void CardBoard::dropEvent(QDropEvent* event) {
    showDropPlace(-1);
    if (!isOurDrag(event->mimeData())) return;
    const QPoint point = event->position().toPoint();
    const int place = layout().insertionAt(point.x(), point.y());
    // One step "Zeilen verschoben", by the list's rule for a block of lines.
    list_.commands().moveSelectedTo(moveTargetFor(place, list_.selectedRows()));
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void CardBoard::mouseDoubleClickEvent(QMouseEvent* event) {
    const int card = layout().cardAt(event->position().toPoint().x(), event->position().toPoint().y());
    if (card < 0) return;
    list_.makeCurrentLine(card, CTextView::Trigger::DoubleClick);
}

void CardBoard::keyPressEvent(QKeyEvent* event) {
    const bool idle = !list_.services().runState.showRunning;
    if (event->modifiers() == Qt::AltModifier && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        // The list's own commands, with its rule: one step "Zeilen verschoben".
        const int id = event->key() == Qt::Key_Up ? cmd::MoveLinesUp : cmd::MoveLinesDown;
        if (list_.isCommandEnabled(id)) list_.handleCommand(id);
        return;
    }
    if (event->matches(QKeySequence::Undo)) {
        if (idle) history_.undo();
        return;
    }
    if (event->matches(QKeySequence::Redo)) {
        if (idle) history_.redo();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CardBoard::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) emit sizeStepAsked(steps);
    event->accept();
}

}  // namespace vistrel
