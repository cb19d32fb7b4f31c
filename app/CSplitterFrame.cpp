#include "app/CSplitterFrame.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <algorithm>
#include <QGuiApplication>
#include <QLineEdit>
#include <QHeaderView>
#include <QScreen>
#include <QSplitter>
#include <QTimer>

#include "app/ActivePane.h"
#include "app/FrameRunView.h"
#include "app/WindowTitle.h"
#include "edits/ShowHistory.h"
#include "model/PictureFolder.h"
#include "views/CEditZeile.h"
#include "views/CVistrelView.h"
#include "views/EditorPicture.h"
#include "views/LightTable.h"
#include "views/TimelinePane.h"
#include "views/ViewServices.h"

namespace vistrel {

CSplitterFrame::CSplitterFrame(std::unique_ptr<CVistrelDoc> doc, ViewServices& services, Hooks hooks,
                               bool fullSize, QWidget* parent)
    : QMdiSubWindow(parent), doc_(std::move(doc)), hooks_(std::move(hooks)), fullSize_(fullSize), services_(services) {
    setAttribute(Qt::WA_DeleteOnClose);
    const QIcon programIcon = QGuiApplication::windowIcon();
    if (!programIcon.isNull()) setWindowIcon(programIcon);
    // The history comes first: the window hands it to every view it makes.
    history_ = std::make_unique<ShowHistory>(*doc_);
    connect(history_.get(), &ShowHistory::changed, this, [this] {
        if (hooks_.showChanged) hooks_.showChanged();
    });
    doc_->addView(&watch_);

    splitter_ = new QSplitter(Qt::Vertical);
    splitter_->setChildrenCollapsible(false);
    editor_ = new CEditZeile(*history_, services, splitter_);
    list_ = new CVistrelView(*history_, services, splitter_);
    // A click on the timeline selects the row, as a click in the list does.
    timeline_ = new TimelinePane(*history_, services, [this](int row) {
        list_->setSelection({row}, row);
        list_->makeCurrentLine(row, CTextView::Trigger::Click);
    }, splitter_);
    splitter_->addWidget(editor_);
    splitter_->addWidget(list_);
    splitter_->addWidget(timeline_);
    splitter_->setStretchFactor(2, 0);
    timeline_->hide();
    // The editor starts at its working size; the list takes the rest.
    editor_->resize(EditorWidth, EditorHeight);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({EditorHeight, 1});
    setWidget(splitter_);
    resize(EditorWidth + 40, EditorHeight + 260);

    runView_ = std::make_unique<FrameRunView>(*this, FrameRunView::Hooks{
        [this] {
            if (hooks_.pollTick) hooks_.pollTick(*this);
        },
        [this] {
            if (hooks_.pauseStateChanged) hooks_.pauseStateChanged();
        },
        [this] {
            if (hooks_.runStateChanged) hooks_.runStateChanged();
        }});

    refreshTitle();
    // The list is the view the window starts with: it fills itself and takes the keys.
    list_->initialUpdate();
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, timeline_,
            [this] { timeline_->selectionChanged(); });
    activePane_ = new ActivePane(*this, *editor_, *list_);
    setFocusProxy(list_);
    list_->setFocus();
    // The editor has its first update once the window is up, as every view does; that
    // loads its fields and puts the keyboard into the slide number, ready for the first line.
    QTimer::singleShot(0, editor_, [editor = editor_] { editor->reload(true); });
    // The picture beside the editor's fields, for a show whose folder has pictures; once
    // the window is up, since finding the folder may have something to say.
    QTimer::singleShot(0, this, [this] { addEditorPicture(); });
}

void CSplitterFrame::addEditorPicture() {
    const QString folder = services_.pictureFolder ? services_.pictureFolder(*doc_) : QString();
    if (folder.isEmpty() || !holdsNumberedPictures(folder.toStdString())) return;
    auto* grid = qobject_cast<QGridLayout*>(editor_->layout());
    auto* slideField = editor_->findChild<QLineEdit*>(QStringLiteral("slideNumberEdit"));
    if (!grid || !slideField) return;
    auto* picture = new EditorPicture(*slideField, *doc_, folder, editor_);
    grid->addWidget(picture, 0, grid->columnCount(), grid->rowCount(), 1);
    // The fields keep their room: the window grows by the picture.
    if (!isMaximized()) resize(width() + picture->width() + grid->horizontalSpacing(), height());
}

CSplitterFrame::~CSplitterFrame() {
    // The poll stops with the window; the projector's show goes on without it.
    runView_->stopPolling();
    // The light table works on the list and the document: it goes before them.
    delete lightTable_;
    // The views tell the document when they go; they must go while it still exists.
    delete splitter_;
    splitter_ = nullptr;
    doc_->removeView(&watch_);
    history_->disconnect(this);
    history_.reset();
}

void CSplitterFrame::DocumentWatch::documentChanged(const DocumentChange& /*change*/) {
    frame_.refreshTitle();
    if (frame_.hooks_.showChanged) frame_.hooks_.showChanged();
}

bool CSplitterFrame::editorIsActivePane() const { return activePane_ && activePane_->editorActive(); }

void CSplitterFrame::refreshTitle() {
    setWindowTitle(titleWithChangeMark(QString::fromUtf8(doc_->windowTitle)));
    setWindowModified(doc_->hasUnsavedChanges());
}

void CSplitterFrame::showLightTable() {
    if (!lightTable_) {
        const QString folder = services_.pictureFolder ? services_.pictureFolder(*doc_) : QString();
        lightTable_ = new LightTable(*history_, *list_, folder, this);
    }
    lightTable_->show();
    lightTable_->raise();
    lightTable_->activateWindow();
}

LightTable* CSplitterFrame::lightTable() const { return lightTable_.data(); }

void CSplitterFrame::showTimeline(bool shown) {
    if (shown == timelineShown()) return;
    timeline_->setVisible(shown);
    if (shown) {
        // The timeline takes its own height; the list gives it up.
        QList<int> sizes = splitter_->sizes();
        const int wanted = timeline_->sizeHint().height();
        // The window grows by the timeline where it can, so that the list keeps its rows.
        if (!isMaximized()) {
            // A window not yet placed (shown with the timeline from the start) grows in full.
            const int room = parentWidget() ? parentWidget()->height() - geometry().bottom() - 1 : wanted;
            const int grow = std::clamp(room, 0, wanted);
            resize(width(), height() + grow);
            sizes[1] += grow;
        }
        sizes[1] = std::max(60, sizes[1] - wanted);
        sizes[2] = wanted;
        splitter_->setSizes(sizes);
        timeline_->followMusic();
    }
}

bool CSplitterFrame::timelineShown() const { return timeline_ && !timeline_->isHidden(); }

void CSplitterFrame::closeWithoutAsking() {
    askBeforeClosing_ = false;
    close();
}

void CSplitterFrame::applyColumnWidths(const std::array<int, 6>& widths) {
    for (int column = 0; column < 6; ++column) {
        list_->header()->resizeSection(column, widths[static_cast<std::size_t>(column)]);
    }
    list_->viewport()->update();
}

void CSplitterFrame::closeEvent(QCloseEvent* event) {
    if (askBeforeClosing_ && hooks_.confirmClose && !hooks_.confirmClose(*this)) {
        event->ignore();
        return;
    }
    // The list hands its column widths back before it goes (only when it has rows).
    list_->storeColumnWidths();
    QMdiSubWindow::closeEvent(event);
    // The program forgets the window now, not when it is finally deleted.
    if (event->isAccepted() && lightTable_) lightTable_->close();
    if (event->isAccepted() && hooks_.closed) {
        auto closed = std::move(hooks_.closed);
        hooks_.closed = nullptr;
        closed(this);
    }
}

void CSplitterFrame::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    if (!firstSize_) return;
    const QSize screen = hooks_.screenSize ? hooks_.screenSize() : QSize();
    // Checked after the resize has settled, so that a size changed here is not
    // fought by the layout that is still in progress.
    QTimer::singleShot(0, this, [this, screen] {
        if (firstSize_) checkFirstSize(screen);
    });
}

void CSplitterFrame::checkFirstSize(QSize screen) {
    const bool smallScreen = screen.width() < SmallScreenWidth || screen.height() < SmallScreenHeight;
    if (smallScreen && hooks_.warnSmallScreen) hooks_.warnSmallScreen();
    if (isMaximized()) return;  // checked again on the next size
    if (!fullSize_) {
        if (smallScreen) {
            showMaximized();
        } else {
            const QSize client = widget() ? widget()->size() : size();
            if (client.width() < MinClientWidth || client.height() < MinClientHeight) {
                resize(ResizedWidth, ResizedHeight);
            }
        }
    }
    firstSize_ = false;
}

}  // namespace vistrel
