#include "rehearsal/Rehearsal.h"

#include <QScreen>
#include <QTimer>

#include "model/CVistrelDoc.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "rehearsal/RehearsalMusic.h"
#include "rehearsal/RehearsalProjector.h"
#include "rehearsal/RehearsalScene.h"
#include "rehearsal/RehearsalWindow.h"
#include "rehearsal/WindowPlacement.h"
#include "res/CommandIds.h"
#include "res/TableText.h"
#include "res/strings/RehearsalStrings.h"

namespace vistrel {

namespace {

// How often a stop that found the line busy is tried again.
constexpr int StopRetryMs = 250;
// How often the start looks whether the projector shows its first line yet.
constexpr int StartWatchMs = 10;
// How much longer than its fade a finished rehearsal's window waits for its last frame.
constexpr int FadeWatchSlackMs = 500;

}  // namespace

Rehearsal::Rehearsal(Environment environment) : env_(std::move(environment)) {
    startWatch_.setInterval(StartWatchMs);
    connect(&startWatch_, &QTimer::timeout, this, &Rehearsal::showWindowOnceRunning);
    // The fade ends with its last frame; should no frame come (a hidden window), by the clock.
    fadeWatch_.setSingleShot(true);
    connect(&fadeWatch_, &QTimer::timeout, this, &Rehearsal::endFadeOut);
}

Rehearsal::~Rehearsal() {
    abandon();
    endFadeOut();
    delete window_.data();
    delete fadingWindow_.data();
}

RehearsalWindow* Rehearsal::window() const { return window_.data(); }

bool Rehearsal::start(RehearsedShow& frame) {
    if (running()) return false;
    endFadeOut();
    // An info window left open talks to the projector on the serial port; the
    // rehearsal opens its own when the settings ask for one.
    if (env_.runWindows.infoWindowOpen()) env_.runWindows.closeInfoWindow();

    retiredMusic_.reset();
    retiredScene_.reset();
    retired_.reset();
    projector_ = std::make_unique<RehearsalProjector>(env_.settings, env_.runState, env_.prompter, env_.clock,
                                                      env_.events);
    frame_ = &frame;
    const Media media = env_.media ? env_.media(frame) : Media{};
    scene_ = std::make_unique<RehearsalScene>(frame.document(), *projector_, media.pictureFolder,
                                              [this](const QString& line) {
                                                  if (env_.showStatus) env_.showStatus(line);
                                              });
    music_ = std::make_unique<RehearsalMusic>(RehearsalMusic::Hooks{
        [this](const QString& message) {
            env_.prompter.showMessage(message.toStdString(), MessageIcon::Exclamation, MessageButtons::Ok);
        },
        [this](const QString& line) {
            if (env_.showStatus) env_.showStatus(line);
        },
        env_.musicReadable});
    if (!media.music.isEmpty()) music_->open(media.music);
    window_ = new RehearsalWindow(RehearsalWindow::Hooks{
        [this](QPainter& painter, const QRect& area) { paintFrame(painter, area); },
        [this] { return scene_ ? scene_->overlayLines() : QStringList(); },
        env_.runCommand,
        [this] {
            if (frame_ && env_.pauseOrContinue) env_.pauseOrContinue(*frame_);
        },
        [this] { stopRequested(); },
        [this](QSize area) { return advanceFrame(area); }});
    window_->setWindowTitle(tableText(ids::RehearsalWindowTitle).arg(QString::fromStdString(frame.document().windowTitle)));

    // The window comes up as soon as the projector shows the first line: the write
    // and the question about the marked row come first, and the run control waits a
    // while after the start, during which the window already plays.
    starting_ = true;
    startWatch_.start();
    const bool started = projector_->runControl().start(frame.document(), frame.runView(), env_.runWindows);
    startWatch_.stop();
    starting_ = false;
    if (!started) {
        finish(false);
        return false;
    }
    showWindowOnceRunning();
    return true;
}

void Rehearsal::paintFrame(QPainter& painter, const QRect& area) {
    RehearsalScene* scene = scene_ ? scene_.get() : fadingScene_.get();
    if (!scene) {
        painter.fillRect(area, Qt::black);
        return;
    }
    scene->paint(painter, area, env_.clock.nowMs());
}

bool Rehearsal::advanceFrame(QSize area) {
    RehearsalScene* scene = scene_ ? scene_.get() : fadingScene_.get();
    RehearsalMusic* music = scene_ ? music_.get() : fadingMusic_.get();
    if (!scene) return false;
    const std::int64_t now = env_.clock.nowMs();
    const bool changed = scene->advance(area, now);
    if (!scene->fadingOut()) {
        // The music follows the show on every frame, painted or not (a pause line
        // stops it while the picture stands).
        if (music) music->follow(scene->musicPositionMs(), now);
        return changed;
    }
    // The run is over: the music goes quiet with the picture.
    if (music) music->fadeOut(scene->fadeGain(now));
    if (!scene_ && scene->fadeGain(now) <= 0) QTimer::singleShot(0, this, &Rehearsal::endFadeOut);
    return changed;
}

void Rehearsal::endFadeOut() {
    fadeWatch_.stop();
    if (fadingWindow_) fadingWindow_->closeQuietly();
    fadingWindow_.clear();
    if (fadingMusic_) fadingMusic_->stop();
    fadingMusic_.reset();
    fadingScene_.reset();
}

void Rehearsal::showWindowOnceRunning() {
    if (!window_ || window_->isVisible() || !projector_) return;
    if (!projector_->projector().isRunning()) return;
    startWatch_.stop();
    // Over the show window's screen, whether or not a window manager places it.
    if (QScreen* screen = frame_ ? frame_->shownOn() : nullptr) {
        window_->setGeometry(centredIn(screen->availableGeometry(), window_->size()));
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void Rehearsal::stopRequested() {
    if (!running() || finishing_) return;
    const RunState& run = env_.runState;
    if (!run.homingDialogOpen && run.showRunning) env_.runCommand(cmd::StopShow);
    // The line was busy (the start still waiting, say): try again shortly.
    if (running() && !run.homingDialogOpen && run.showRunning) {
        QTimer::singleShot(StopRetryMs, this, &Rehearsal::stopRequested);
    }
}

void Rehearsal::checkEnded() {
    if (!running() || starting_ || finishing_) return;
    if (env_.runState.showRunning || env_.runState.homingDialogOpen) return;
    finish(false);
}

void Rehearsal::frameClosing(const RehearsedShow* frame) {
    // A fading picture may still draw a card with the text of a line of that show.
    endFadeOut();
    if (running() && frame == frame_) abandon();
}

void Rehearsal::abandon() {
    endFadeOut();
    if (running()) finish(true);
}

void Rehearsal::finish(bool runStillGoing) {
    if (finishing_) return;
    finishing_ = true;
    startWatch_.stop();
    // A show that ran to its end (or was stopped) leaves its last picture and music to
    // fade out, as a video ends; a rehearsal cut off (its show window closing, the
    // program ending) goes at once.
    const std::int64_t now = env_.clock.nowMs();
    const bool fadeOut = !runStillGoing && window_ && window_->isVisible() && scene_ && scene_->fadingOut() &&
                         scene_->fadeGain(now) > 0;
    if (fadeOut) {
        fadingScene_ = std::move(scene_);
        fadingMusic_ = std::move(music_);
        fadingWindow_ = window_;
        window_.clear();
        const double left = fadingScene_->fadeGain(now) * RehearsalScene::FadeOutMs;
        fadeWatch_.start(static_cast<int>(left) + FadeWatchSlackMs);
    } else {
        if (music_) music_->stop();
        if (window_) window_->closeQuietly();
    }
    if (runStillGoing) {
        // The info window and the homing wait talk to the rehearsal's projector,
        // which goes now: they go first. Closing the wait ends the run as a lost
        // projector does, without PA.
        if (env_.closeRunWindows) env_.closeRunWindows();
        RunState& run = env_.runState;
        run.showRunning = false;
        run.pauseState = 0;
        run.lastShownLine = -1;
        run.justStarted = true;
        run.replyPending = false;
        if (frame_) frame_->document().commandBusy = false;
    } else if (env_.runWindows.infoWindowOpen()) {
        env_.runWindows.closeInfoWindow();
    }
    if (frame_) frame_->runView().stopPolling();
    frame_ = nullptr;

    // The run control may still be on the call stack (the poll that saw the end):
    // what the rehearsal ran on goes once the stack has left it.
    retired_ = std::move(projector_);
    retiredScene_ = std::move(scene_);
    retiredMusic_ = std::move(music_);
    QTimer::singleShot(0, this, [this] {
        retiredMusic_.reset();
        retiredScene_.reset();
        retired_.reset();
    });
    finishing_ = false;
    if (env_.runStateChanged) env_.runStateChanged();
}

}  // namespace vistrel
