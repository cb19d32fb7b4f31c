#include "app/WindowActivationKeeper.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>

#include "rehearsal/RehearsalWindow.h"

namespace vistrel {

WindowActivationKeeper::WindowActivationKeeper(QWidget* mainWindow) : QObject(mainWindow), mainWindow_(mainWindow) {
    qApp->installEventFilter(this);
}

bool WindowActivationKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide) {
        auto* window = qobject_cast<QWidget*>(watched);
        // Only our own dialogs and the rehearsal's window closing: the user was working
        // with us, so taking the keyboard back cannot steal it from another program.
        const bool ours = qobject_cast<QDialog*>(watched) || qobject_cast<RehearsalWindow*>(watched);
        if (ours && window->isWindow()) {
            QTimer::singleShot(0, this, [this] { reactivateIfNoneActive(); });
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowActivationKeeper::reactivateIfNoneActive() {
    if (QApplication::activeWindow()) return;
    // A dialog still open beneath the one that closed (an entry refused with a message
    // box) takes the keyboard back; otherwise the main window.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->activateWindow();
        return;
    }
    if (mainWindow_ && mainWindow_->isVisible()) mainWindow_->activateWindow();
}

}  // namespace vistrel
