#include "rehearsal/RehearsalWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "res/CommandIds.h"

namespace vistrel {

namespace {

constexpr int FallbackRateHz = 60;

}  // namespace

RehearsalWindow::RehearsalWindow(Hooks hooks, QWidget* parent) : QWidget(parent, Qt::Window), hooks_(std::move(hooks)) {
    setAttribute(Qt::WA_DeleteOnClose);
    // The whole window is painted on every frame: no background fill first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(160, 120);
    resize(960, 640);
    frameTimer_.setTimerType(Qt::PreciseTimer);
    frameTimer_.setInterval(1000 / FallbackRateHz);
    connect(&frameTimer_, &QTimer::timeout, this, &RehearsalWindow::frameTick);
    frameTimer_.start();
}

RehearsalWindow::~RehearsalWindow() { frameTimer_.stop(); }

void RehearsalWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    followScreenRate();
    if (windowHandle()) {
        connect(windowHandle(), &QWindow::screenChanged, this, &RehearsalWindow::followScreenRate,
                Qt::UniqueConnection);
    }
}

void RehearsalWindow::followScreenRate() {
    // One frame per refresh of the screen the window is on.
    const QScreen* shownOn = screen();
    const double rate = shownOn && shownOn->refreshRate() > 1.0 ? shownOn->refreshRate() : FallbackRateHz;
    frameTimer_.setInterval(std::max(4, static_cast<int>(std::floor(1000.0 / rate))));
}

void RehearsalWindow::toggleFullScreen() {
    if (isFullScreen()) {
        showNormal();
        if (normalGeometry_.isValid()) setGeometry(normalGeometry_);
        return;
    }
    // Full screen where the window is now, so that it can be put on a second screen
    // for an audience first. Without a window manager nobody would size it: it takes
    // that screen itself.
    normalGeometry_ = geometry();
    if (QScreen* shownOn = screen()) setGeometry(shownOn->geometry());
    showFullScreen();
}

void RehearsalWindow::setOverlayShown(bool shown) {
    overlayShown_ = shown;
    update();
}

void RehearsalWindow::closeQuietly() {
    closingQuietly_ = true;
    frameTimer_.stop();
    // A window never shown (the start was cancelled) has nothing to close.
    if (isVisible()) {
        close();
    } else {
        deleteLater();
    }
}

void RehearsalWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    if (hooks_.paintFrame) {
        hooks_.paintFrame(painter, area);
    } else {
        painter.fillRect(area, Qt::black);
    }
    if (overlayShown_) paintOverlay(painter);
}

void RehearsalWindow::paintOverlay(QPainter& painter) {
    const QStringList lines = hooks_.overlayLines ? hooks_.overlayLines() : QStringList();
    if (lines.isEmpty()) return;
    QFont font = painter.font();
    font.setPixelSize(std::clamp(height() / 32, 12, 28));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int margin = metrics.height() / 2;
    // A dark band across the whole width: the text stays readable on a white picture too.
    const int boxHeight = static_cast<int>(lines.size()) * metrics.lineSpacing() + 2 * margin;
    const QRect box(0, height() - boxHeight, width(), boxHeight);
    painter.fillRect(box, QColor(0, 0, 0, 200));
    painter.setPen(QColor(240, 240, 240));
    int y = box.top() + margin + metrics.ascent();
    for (const QString& line : lines) {
        painter.drawText(box.left() + margin, y, metrics.elidedText(line, Qt::ElideRight, box.width() - 2 * margin));
        y += metrics.lineSpacing();
    }
}

void RehearsalWindow::keyPressEvent(QKeyEvent* event) {
    auto run = [this](int commandId) {
        if (hooks_.runCommand) hooks_.runCommand(commandId);
    };
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (modifiers == Qt::AltModifier) {
        if (key == Qt::Key_B) return run(cmd::StopShow);
        if (key == Qt::Key_I) return run(cmd::InfoDisplay);
    }
    if (modifiers == Qt::ControlModifier && key == Qt::Key_Space) return run(cmd::PauseContinue);
    if (modifiers != Qt::NoModifier) return QWidget::keyPressEvent(event);
    switch (key) {
        case Qt::Key_Space:
            if (hooks_.pauseOrContinue) hooks_.pauseOrContinue();
            return;
        case Qt::Key_Pause: return run(cmd::PauseContinue);
        case Qt::Key_Right:
        case Qt::Key_PageDown: return run(cmd::NextPicture);
        case Qt::Key_F11: return toggleFullScreen();
        case Qt::Key_I: return setOverlayShown(!overlayShown_);
        case Qt::Key_Escape:
            // The first Esc only leaves full screen: the audience must not see the
            // show end by mistake.
            if (isFullScreen()) return toggleFullScreen();
            return run(cmd::StopShow);
        default: break;
    }
    QWidget::keyPressEvent(event);
}

void RehearsalWindow::mouseDoubleClickEvent(QMouseEvent*) { toggleFullScreen(); }

void RehearsalWindow::closeEvent(QCloseEvent* event) {
    frameTimer_.stop();
    if (!closingQuietly_ && hooks_.closeRequested) {
        // The hook may end the rehearsal, which closes this window quietly.
        auto requested = std::move(hooks_.closeRequested);
        hooks_.closeRequested = nullptr;
        requested();
    }
    event->accept();
}

}  // namespace vistrel
