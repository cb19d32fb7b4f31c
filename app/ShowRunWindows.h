#pragma once
// The two windows of a running show there is at most one of in the program: the
// info window and the wait for the home position. The run control opens and closes
// them through this; the application hands it what they need.
#include <QPointer>
#include <functional>

#include "projector/RunControl.h"

class QWidget;

namespace vistrel {

class HomingWaitDialog;
class InfoWindow;

class ShowRunWindows final : public RunWindows {
public:
    struct Environment {
        // The projector the windows talk to: the one on the serial port, or the
        // rehearsal's while a rehearsal runs.
        std::function<ProjectorProtocol&()> protocol;
        RunState& runState;
        Settings& settings;
        Prompter& prompter;
        Clock& clock;
        // The windows' owner (the main window).
        std::function<QWidget*()> parent;
        // Runs `work` when no other sequence is on the line; false when it was skipped.
        std::function<bool(const std::function<void()>& work)> whenLineFree;
        std::function<CVistrelDoc*()> activeDocument;
        // The run has ended (the homing wait finished): "PAUSE !", views, menus.
        std::function<void()> runEnded;
    };

    explicit ShowRunWindows(Environment environment);
    ~ShowRunWindows() override;

    bool infoWindowOpen() const override;
    void openInfoWindow() override;
    void closeInfoWindow() override;
    void openHomingWait() override;

    InfoWindow* infoWindow() const;
    HomingWaitDialog* homingWait() const;

    // The end of the program: both windows go now (the wait without PA).
    void closeAll();

private:
    Environment env_;
    QPointer<InfoWindow> info_;
    QPointer<HomingWaitDialog> homing_;
};

}  // namespace vistrel
