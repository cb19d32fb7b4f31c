#pragma once
// The window of a wait for the projector: what the program waits for, a bar that
// shows it is alive, and the button that ends the wait ("Abbrechen", or "Nicht
// warten" at the end of the program). It takes neither the mouse nor the keyboard
// from the other windows, so that they go on working while the program waits; only
// when a transfer window holds the mouse does it come up modal, which makes that
// window let go for as long as this one is up.
#include <QDialog>

class QLabel;
class QPushButton;

namespace vistrel {

class ProjectorWaitDialog final : public QDialog {
public:
    ProjectorWaitDialog(QWidget* parent, const QString& title, const QString& text, const QString& buttonText);

    // True once the button (or Escape, or the close box) has been pressed.
    bool cancelled() const { return cancelled_; }
    QPushButton* button() const { return button_; }
    QString text() const;

protected:
    // Escape and the close box end the wait like the button; the window itself goes
    // when the wait is over.
    void reject() override { cancel(); }

private:
    void cancel();

    QLabel* text_ = nullptr;
    QPushButton* button_ = nullptr;
    bool cancelled_ = false;
};

}  // namespace vistrel
