#pragma once
// "warten ...": the small window that waits after "Diaschau stoppen" until the
// projector reports its home position, with a bar that shows it is alive and
// "Abbruch" to stop waiting. The waiting itself is HomingWait's; this window ticks
// it every 250 ms and closes itself once it has finished.
#include <QDialog>
#include <QTimer>
#include <functional>

#include "projector/HomingWait.h"

class QProgressBar;
class QPushButton;

namespace vistrel {

class HomingWaitDialog : public QDialog {
    Q_OBJECT

public:
    struct Hooks {
        // Runs `work` when no other sequence is on the line; false when it was skipped.
        std::function<bool(const std::function<void()>& work)> whenLineFree;
        // The wait has finished (home, "Abbruch" or a lost projector): the run is over.
        std::function<void()> finished;
    };

    HomingWaitDialog(ProjectorProtocol& protocol, RunState& runState, Clock& clock, Hooks hooks,
                     QWidget* parent = nullptr);

    // One tick of the 250 ms timer.
    void tick();
    // "Abbruch".
    void cancelWait();

    QProgressBar* progressBar() const { return bar_; }
    QPushButton* cancelButton() const { return cancel_; }
    const HomingWait& wait() const { return wait_; }
    bool timerActive() const { return timer_.isActive(); }

protected:
    // Esc and the close box are "Abbruch" as well.
    void reject() override;

private:
    void finishWindow();

    HomingWait wait_;
    Hooks hooks_;
    QTimer timer_;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace vistrel
