#pragma once
// Gives the keyboard back to the main window (or to a dialog still open beneath) when
// a dialog of ours or the rehearsal's window closes and no window is active any more.
// A window manager does that by itself; on a bare X server (a virtual screen, a
// kiosk) nobody would, and the menu shortcuts, which act only in the active window,
// would be dead after the first message box.
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace vistrel {

class WindowActivationKeeper final : public QObject {
public:
    // Watches the whole application; `mainWindow` is the window to reactivate.
    explicit WindowActivationKeeper(QWidget* mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reactivateIfNoneActive();

    QPointer<QWidget> mainWindow_;
};

}  // namespace vistrel
