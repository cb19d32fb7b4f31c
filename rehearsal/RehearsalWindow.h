#pragma once
// "Probe": the window that shows a rehearsed show as the projector would put it on
// the screen. It redraws at the display's frame rate; what it draws comes from the
// rehearsal (RehearsalScene), and its keys become the run commands, so that the
// window only binds. It can go full screen on the screen it is on (F11 or a
// double-click) for an audience; Esc leaves full screen, and a second Esc stops.
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace vistrel {

class RehearsalWindow : public QWidget {
    Q_OBJECT

public:
    struct Hooks {
        // Draws what the projector shows now into `area` (the whole window).
        std::function<void(QPainter& painter, const QRect& area)> paintFrame;
        // The lines of the overlay (key I): line, slide, description, time left.
        std::function<QStringList()> overlayLines;
        // A run command by its id, as the menu would give it.
        std::function<void(int commandId)> runCommand;
        // Space: pause or go on, also at a pause line, as Space in the program list.
        std::function<void()> pauseOrContinue;
        // The user closed the window: the rehearsal stops.
        std::function<void()> closeRequested;
    };

    explicit RehearsalWindow(Hooks hooks, QWidget* parent = nullptr);
    ~RehearsalWindow() override;

    void toggleFullScreen();
    void setOverlayShown(bool shown);
    bool overlayShown() const { return overlayShown_; }
    // Ends the window without asking the rehearsal to stop (it has ended).
    void closeQuietly();

    // One frame as the timer gives it (tests draw frames on virtual time).
    void frameTick() { update(); }
    int frameIntervalMs() const { return frameTimer_.interval(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void paintOverlay(QPainter& painter);
    void followScreenRate();

    Hooks hooks_;
    QTimer frameTimer_;
    QRect normalGeometry_;  // where the window was before it went full screen
    bool overlayShown_ = false;
    bool closingQuietly_ = false;
};

}  // namespace vistrel
