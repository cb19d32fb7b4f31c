#include "views/CVistrelView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "edits/ShowHistory.h"
#include "views/ListCommands.h"
#include "views/ViewServices.h"

namespace vistrel {

CVistrelView::CVistrelView(ShowHistory& history, ViewServices& services, QWidget* parent)
    : CTextView(history.document(), services, parent),
      history_(history),
      commands_(new ListCommands(*this, history)) {
    // The steps keep the rows of this list and their selection.
    history_.setRows(this);
}

CVistrelView::~CVistrelView() { history_.setRows(nullptr); }

void CVistrelView::initialUpdate() {
    initialUpdateDone_ = true;
    updateFromDocument();
    // From now on files dropped on the list open as shows.
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

void CVistrelView::showEvent(QShowEvent* event) {
    CTextView::showEvent(event);
    if (!initialUpdateDone_) initialUpdate();
}

QStringList CVistrelView::droppedFiles(const QList<QUrl>& urls) {
    QStringList files;
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) files << url.toLocalFile();
    }
    return files;
}

void CVistrelView::dragEnterEvent(QDragEnterEvent* event) {
    // Files from a file manager only; the list's rows are never dragged about.
    if (event->mimeData()->hasUrls() && !droppedFiles(event->mimeData()->urls()).isEmpty()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void CVistrelView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls() && !droppedFiles(event->mimeData()->urls()).isEmpty()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void CVistrelView::dropEvent(QDropEvent* event) {
    const QStringList files = droppedFiles(event->mimeData()->urls());
    if (files.isEmpty() || !services_.openShow) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Opened once the drop is over: the file manager is not kept waiting behind a
    // message box, and a new window does not open in the middle of the drop.
    QTimer::singleShot(0, this, [open = services_.openShow, files] {
        for (const QString& file : files) open(file);
    });
}

}  // namespace vistrel
