#pragma once
// The show window as the run control sees it: the program list to follow, the
// window's 700 ms poll timer, and the program around it for "PAUSE !" and the
// enabling of menus and tool bar.
#include <QTimer>
#include <functional>

#include "projector/RunControl.h"

namespace vistrel {

class CSplitterFrame;

class FrameRunView final : public QObject, public RunView {
    Q_OBJECT

public:
    struct Hooks {
        // A tick of the poll timer.
        std::function<void()> poll;
        // pauseState changed: "PAUSE !".
        std::function<void()> pauseStateChanged;
        // Whether a show runs has changed: menus and tool bar follow.
        std::function<void()> runStateChanged;
    };

    FrameRunView(CSplitterFrame& frame, Hooks hooks);

    std::vector<int> selectedRows() override;
    void clearSelection() override;
    void followLine(int row) override;
    void pauseStateChanged() override;
    void updateViews() override;
    void startPolling() override;
    void stopPolling() override;
    void focusList() override;

    bool polling() const { return timer_.isActive(); }
    // One tick, as the timer gives it (tests tick it on virtual time).
    void pollNow() {
        if (hooks_.poll) hooks_.poll();
    }

private:
    CSplitterFrame& frame_;
    Hooks hooks_;
    QTimer timer_;
};

}  // namespace vistrel
