#pragma once
// "Diaschau am Bildschirm proben": runs the show of one show window on a virtual
// projector in this process, through the program's own run control, and shows it in
// the rehearsal window with the show's pictures and music. While it runs, every run
// command, the poll of the show window, the info window and the homing wait talk to
// the rehearsal's projector (the program asks projector() while running()).
//
// The rehearsal is over when the run is over (the show's end seen by the poll, or
// the homing wait finished after a stop), or at once when its show window closes or
// the program ends; each way leaves the run state as a finished run leaves it.
#include <QObject>
#include <QPainter>
#include <QRect>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "model/Settings.h"
#include "projector/RunState.h"
#include "rehearsal/RehearsedShow.h"

namespace vistrel {

class Clock;
class EventPump;
class Prompter;
class RehearsalMusic;
class RehearsalProjector;
class RehearsalScene;
class RehearsalWindow;
class RunWindows;

class Rehearsal : public QObject {
    Q_OBJECT

public:
    // The picture folder and the music of a show (empty: none).
    struct Media {
        QString pictureFolder;
        QString music;
    };

    struct Environment {
        Settings& settings;
        RunState& runState;
        Prompter& prompter;
        Clock& clock;
        EventPump& events;
        // The info window and the homing wait of the program, and closing both at once.
        RunWindows& runWindows;
        std::function<void()> closeRunWindows;
        // A run command as the menu gives it (routed to the rehearsal while it runs).
        std::function<void(int commandId)> runCommand;
        // Space: pause or go on in every state, as Space in the program list.
        std::function<void(RehearsedShow& frame)> pauseOrContinue;
        // One line in the main window's status bar.
        std::function<void(const QString& text)> showStatus;
        // Menus, tool bar and "PAUSE !" follow the run state.
        std::function<void()> runStateChanged;
        // The picture folder and music chosen for the show of `frame`.
        std::function<Media(RehearsedShow& frame)> media;
        // Whether a file holds music the program can read (the media module's check).
        std::function<bool(const QString& path)> musicReadable;
    };

    explicit Rehearsal(Environment environment);
    ~Rehearsal() override;

    // Starts the rehearsal of `frame`'s show, from its first line or (asked as for
    // "Diaschau starten") from its marked row. The caller has made sure the line is
    // free and no show runs. True when the show runs.
    bool start(RehearsedShow& frame);
    bool running() const { return projector_ != nullptr; }
    RehearsedShow* frame() const { return frame_; }
    RehearsalProjector* projector() const { return projector_.get(); }
    RehearsalWindow* window() const;
    RehearsalScene* scene() const { return scene_.get(); }
    RehearsalMusic* music() const { return music_.get(); }

    // Ends the rehearsal once the run is over; call after anything that may end it.
    void checkEnded();
    // `frame` is closing: when it is the rehearsal's, the rehearsal ends now.
    void frameClosing(const RehearsedShow* frame);
    // Ends a running rehearsal now (the program ends).
    void abandon();

private:
    void finish(bool runStillGoing);
    void stopRequested();
    void showWindowOnceRunning();
    void paintFrame(QPainter& painter, const QRect& area);
    // The window's frame tick: true when the frame must be painted again.
    bool advanceFrame(QSize area);
    void endFadeOut();

    Environment env_;
    std::unique_ptr<RehearsalProjector> projector_;
    std::unique_ptr<RehearsalScene> scene_;
    std::unique_ptr<RehearsalMusic> music_;
    // What a finished rehearsal ran on, deleted once the call stack has left it.
    std::unique_ptr<RehearsalProjector> retired_;
    std::unique_ptr<RehearsalScene> retiredScene_;
    std::unique_ptr<RehearsalMusic> retiredMusic_;
    // A finished rehearsal whose last picture and music are still fading out.
    std::unique_ptr<RehearsalScene> fadingScene_;
    std::unique_ptr<RehearsalMusic> fadingMusic_;
    QPointer<RehearsalWindow> fadingWindow_;
    QTimer fadeWatch_;
    QPointer<RehearsalWindow> window_;
    QTimer startWatch_;
    RehearsedShow* frame_ = nullptr;
    bool starting_ = false;
    bool finishing_ = false;
};

}  // namespace vistrel
