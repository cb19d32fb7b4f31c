#include "app/ShowRunWindows.h"

#include "dialogs/HomingWaitDialog.h"
#include "dialogs/InfoWindow.h"

namespace vistrel {

ShowRunWindows::ShowRunWindows(Environment environment) : env_(std::move(environment)) {}

ShowRunWindows::~ShowRunWindows() { closeAll(); }

bool ShowRunWindows::infoWindowOpen() const { return !info_.isNull(); }

InfoWindow* ShowRunWindows::infoWindow() const { return info_.data(); }

HomingWaitDialog* ShowRunWindows::homingWait() const { return homing_.data(); }

void ShowRunWindows::openInfoWindow() {
    if (info_) return;
    InfoWindow::Hooks hooks;
    hooks.whenLineFree = env_.whenLineFree;
    hooks.activeDocument = env_.activeDocument;
    // The window's own stop leaves the wait for the home position behind it.
    hooks.stopped = [this] {
        if (!env_.runState.homingDialogOpen) openHomingWait();
    };
    info_ = new InfoWindow(env_.protocol(), env_.runState, env_.settings, env_.prompter, std::move(hooks),
                           env_.parent ? env_.parent() : nullptr);
    info_->show();
}

void ShowRunWindows::closeInfoWindow() {
    if (info_) info_->done(0);
}

void ShowRunWindows::openHomingWait() {
    if (homing_) return;
    HomingWaitDialog::Hooks hooks;
    hooks.whenLineFree = env_.whenLineFree;
    hooks.finished = env_.runEnded;
    homing_ = new HomingWaitDialog(env_.protocol(), env_.runState, env_.clock, std::move(hooks),
                                   env_.parent ? env_.parent() : nullptr);
    homing_->show();
}

void ShowRunWindows::closeAll() {
    delete homing_.data();
    if (info_) {
        info_->done(0);
        delete info_.data();
    }
}

}  // namespace vistrel
