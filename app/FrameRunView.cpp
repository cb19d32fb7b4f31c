#include "app/FrameRunView.h"

#include <QApplication>
#include <QMdiArea>

#include "app/CSplitterFrame.h"
#include "dialogs/InfoWindow.h"
#include "views/CEditZeile.h"
#include "views/CVistrelView.h"

namespace vistrel {

FrameRunView::FrameRunView(CSplitterFrame& frame, Hooks hooks) : frame_(frame), hooks_(std::move(hooks)) {
    timer_.setInterval(RunControl::PollIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &FrameRunView::pollNow);
}

std::vector<int> FrameRunView::selectedRows() { return frame_.listView()->selectedRows(); }

void FrameRunView::clearSelection() { frame_.listView()->clearRunSelection(); }

void FrameRunView::followLine(int row) { frame_.listView()->followRunningLine(row); }

void FrameRunView::pauseStateChanged() {
    if (hooks_.pauseStateChanged) hooks_.pauseStateChanged();
}

void FrameRunView::updateViews() {
    frame_.document().announce({});
    if (hooks_.runStateChanged) hooks_.runStateChanged();
}

void FrameRunView::startPolling() { timer_.start(); }

void FrameRunView::stopPolling() { timer_.stop(); }

void FrameRunView::focusList() {
    // The keyboard goes back to the list, so that Space pauses the show at once. Not
    // out of the line editor, though: a line being typed during the show would lose
    // its keys to the list, and a blank in a description would pause the show. Nor
    // into a show window behind another one.
    if (frame_.mdiArea() && frame_.mdiArea()->currentSubWindow() != &frame_) return;
    QWidget* focus = QApplication::focusWidget();
    if (focus && frame_.editor()->isAncestorOf(focus)) return;
    // The info window is there to be read, not typed into: the keys come back to the
    // show (Pause, Space), as they do after every poll. Any other window of the program
    // that is in front (a question, a dialog) keeps them, and so does another program.
    QWidget* active = QApplication::activeWindow();
    if (active && active != frame_.window()) {
        if (!qobject_cast<InfoWindow*>(active)) return;
        frame_.window()->activateWindow();
    }
    frame_.listView()->setFocus();
}

}  // namespace vistrel
