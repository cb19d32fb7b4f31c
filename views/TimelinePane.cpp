#include "views/TimelinePane.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <span>

#include "edits/SetLineTimerCommand.h"
#include "edits/ShowHistory.h"
#include "model/ShowEditing.h"
#include "res/TableText.h"
#include "res/strings/MediaStrings.h"
#include "views/TimelinePainter.h"
#include "views/TimelineWaveform.h"
#include "views/ViewServices.h"

namespace vistrel {

namespace geo = timelinegeometry;

namespace {

// Room right of the last block, so that its edge can be dragged further.
constexpr int EndMargin = 120;

std::span<const ProgramLine> showLines(const CVistrelDoc& doc) {
    return {doc.lines.data(), static_cast<std::size_t>(std::clamp(doc.lineCount, 0, MaxProgramLines))};
}

// "1:02,5" for tenths of a second.
QString timeText(std::int64_t tenths) {
    return QStringLiteral("%1,%2").arg(geo::minutesSeconds(tenths / 10)).arg(tenths % 10);
}

}  // namespace

TimelinePane::TimelinePane(ShowHistory& history, ViewServices& services, std::function<void(int)> selectLine,
                           QWidget* parent)
    : QAbstractScrollArea(parent), history_(history), services_(services), selectLine_(std::move(selectLine)) {
    waveform_ = std::make_unique<TimelineWaveform>(services_.waveformCacheFolder, services_.waveformReader, [this] {
        viewport()->update(QRect(0, timelinelook::BlockTop, viewport()->width(),
                                 timelinelook::PaneHeight - timelinelook::BlockTop));
    });
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::ClickFocus);
    viewport()->setMouseTracking(true);
    history_.document().addView(this);
    relayout();
    followMusic();
}

TimelinePane::~TimelinePane() { history_.document().removeView(this); }

QSize TimelinePane::sizeHint() const {
    return {400, timelinelook::PaneHeight + horizontalScrollBar()->sizeHint().height() + 2 * frameWidth()};
}

int TimelinePane::viewportX(int contentX) const { return contentX - horizontalScrollBar()->value(); }

bool TimelinePane::showRunning() const { return services_.runState.showRunning; }

void TimelinePane::documentChanged(const DocumentChange& change) {
    if (dragBlock_ >= 0) finishDrag(false);
    const bool whole = change.firstLine < 0 || change.rowsRebuilt || change.showReplaced;
    if (change.showReplaced) fitted_ = false;
    // Lines after a changed one move: from its block on everything is drawn again.
    int fromX = 0;
    if (!whole) {
        for (const geo::Block& block : layout_.blocks) {
            if (block.lineIndex == change.firstLine) fromX = std::max(0, viewportX(block.x) - 1);
        }
    }
    // A show read in may have music of its own; the music chosen later is told directly.
    if (change.showReplaced) followMusic();
    relayout();
    viewport()->update(whole ? viewport()->rect() : QRect(fromX, 0, viewport()->width() - fromX, viewport()->height()));
}

void TimelinePane::selectionChanged() {
    viewport()->update(QRect(0, timelinelook::BlockTop, viewport()->width(), timelinelook::BlockHeight));
}

void TimelinePane::followMusic() {
    CVistrelDoc& doc = history_.document();
    waveform_->follow(services_.musicFile ? services_.musicFile(doc) : QString());
}

void TimelinePane::relayout() {
    layout_ = dragBlock_ >= 0 ? geo::layoutBlocks(dragLines_, pixelsPerSecond_)
                              : geo::layoutBlocks(showLines(history_.document()), pixelsPerSecond_);
    const int musicEnd = geo::xAtTenths(layout_, waveform_->durationMs() / 100, pixelsPerSecond_);
    const int content = std::max(layout_.width, musicEnd) + EndMargin;
    QScrollBar* bar = horizontalScrollBar();
    bar->setPageStep(viewport()->width());
    bar->setSingleStep(40);
    bar->setRange(0, std::max(0, content - viewport()->width()));
}

void TimelinePane::fitWholeShow() {
    const double fit = geo::fitScale(showLines(history_.document()), std::max(40, viewport()->width() - EndMargin / 4));
    setScale(fit, 0);
    horizontalScrollBar()->setValue(0);
}

void TimelinePane::zoomBy(int steps, int anchor) { setScale(geo::zoomed(pixelsPerSecond_, steps), anchor); }

void TimelinePane::setScale(double pixelsPerSecond, int anchor) {
    const double contentX = anchor + horizontalScrollBar()->value();
    const double factor = pixelsPerSecond / pixelsPerSecond_;
    pixelsPerSecond_ = pixelsPerSecond;
    relayout();
    horizontalScrollBar()->setValue(static_cast<int>(contentX * factor) - anchor);
    viewport()->update();
}

void TimelinePane::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (!fitted_ && viewport()->width() > 40) {
        fitted_ = true;
        fitWholeShow();
    } else {
        relayout();
    }
}

void TimelinePane::scrollContentsBy(int, int) { viewport()->update(); }

void TimelinePane::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect visible = event->rect();
    painter.fillRect(visible, palette().base());
    const TimelineFrame frame{layout_, pixelsPerSecond_, horizontalScrollBar()->value(), visible};
    const std::int64_t rulerEnd = std::max<std::int64_t>(layout_.reachedTenths, waveform_->durationMs() / 100);
    paintRuler(painter, frame, rulerEnd);
    std::vector<int> selected;
    if (const ListSelection* list = history_.document().listView) selected = list->selectedRows();
    for (const geo::Block& block : layout_.blocks) {
        const bool isSelected = std::binary_search(selected.begin(), selected.end(), block.lineIndex);
        paintBlock(painter, frame, block, isSelected);
    }
    paintWaveform(painter, frame, *waveform_);
    if (dragBlock_ >= 0) {
        paintDragLabel(painter, frame, layout_.blocks[static_cast<std::size_t>(dragBlock_)].right(), dragText());
    }
}

QString TimelinePane::dragText() const {
    const geo::Block& block = layout_.blocks[static_cast<std::size_t>(dragBlock_)];
    const std::int64_t nextStart = block.startTenths + block.effectTenths + dragTimer_;
    return tableText(ids::TimelineDragging)
        .arg(QStringLiteral("%1,%2").arg(dragTimer_ / 10).arg(dragTimer_ % 10))
        .arg(block.lineIndex + 2)
        .arg(timeText(nextStart));
}

void TimelinePane::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || showRunning()) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const int x = event->position().toPoint().x() + horizontalScrollBar()->value();
    const geo::Hit hit = geo::hitAt(layout_, x);
    if (hit.block < 0) return;
    // A copy: selecting the line is announced, and the pane lays itself out anew.
    const geo::Block block = layout_.blocks[static_cast<std::size_t>(hit.block)];
    if (selectLine_) selectLine_(block.lineIndex);
    if (!hit.rightEdge) return;
    const std::span<const ProgramLine> lines = showLines(history_.document());
    dragLines_.assign(lines.begin(), lines.end());
    dragOrigin_ = block;
    dragTimer_ = dragLines_[static_cast<std::size_t>(block.lineIndex)].timerTime;
    dragBlock_ = hit.block;
    viewport()->update();
}

void TimelinePane::mouseMoveEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x() + horizontalScrollBar()->value();
    if (dragBlock_ < 0) {
        const geo::Hit hit = geo::hitAt(layout_, x);
        viewport()->setCursor(hit.rightEdge && !showRunning() ? Qt::SizeHorCursor : Qt::ArrowCursor);
        return;
    }
    const int timer = geo::draggedTimer(dragOrigin_, x, pixelsPerSecond_);
    if (timer == dragTimer_) return;
    dragTimer_ = timer;
    dragLines_[static_cast<std::size_t>(dragOrigin_.lineIndex)].timerTime = timer;
    const int fromX = std::max(0, viewportX(dragOrigin_.x) - 1);
    relayout();
    viewport()->update(QRect(fromX, 0, viewport()->width() - fromX, viewport()->height()));
}

void TimelinePane::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && dragBlock_ >= 0) finishDrag(true);
}

void TimelinePane::finishDrag(bool keep) {
    const int line = dragOrigin_.lineIndex;
    const int timer = dragTimer_;
    const bool changed = keep && timer != history_.document().lines[static_cast<std::size_t>(line)].timerTime;
    dragBlock_ = -1;
    dragLines_.clear();
    if (changed) {
        // One step of the history; the list, the editor and this pane follow its notice.
        ShowEditing editing{history_.document(), history_.rows(), services_.prompter, services_.appState,
                            services_.settings, nullptr};
        history_.perform(std::make_unique<SetLineTimerCommand>(history_, editing, line, timer));
    }
    relayout();
    viewport()->update();
}

void TimelinePane::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        // A plain wheel scrolls along the time.
        const int delta = event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - delta);
        event->accept();
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) zoomBy(steps, static_cast<int>(event->position().x()));
    event->accept();
}

void TimelinePane::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && dragBlock_ >= 0) {
        finishDrag(false);
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        const int middle = viewport()->width() / 2;
        switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal: zoomBy(1, middle); return;
        case Qt::Key_Minus: zoomBy(-1, middle); return;
        case Qt::Key_0: fitWholeShow(); return;
        default: break;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void TimelinePane::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(tableText(ids::TimelineWholeShow), this, [this] { fitWholeShow(); });
    menu.exec(event->globalPos());
}

}  // namespace vistrel
