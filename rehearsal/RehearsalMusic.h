#pragma once
// The show's music during a rehearsal. The music follows the show: it starts where
// the start line stands on the show's timeline, pauses while the show is halted or
// waits at a pause line, goes on with it, jumps with it, and stops with it.
// MusicFollower decides that from where the show stands at each frame; RehearsalMusic
// carries it out with Qt Multimedia.
//
// A file that cannot be played (no music, a pipe or a device, or music that does not
// decode) gets one message and a line in the status bar, and the rehearsal goes on
// without sound. At the end of the run the music fades out with the last picture. A computer without any sound output plays nothing and says so once in the
// status bar: the players of some systems wait for a missing sound card on every
// pause, which would stall the pictures.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QAudioOutput;
class QMediaPlayer;

namespace vistrel {

class MusicFollower {
public:
    // How far music and show may drift apart before the music is put right.
    static constexpr std::int64_t ToleranceMs = 250;

    enum class Action { None, PlayFrom, Pause };
    struct Decision {
        Action action = Action::None;
        std::int64_t positionMs = 0;  // for PlayFrom
        bool operator==(const Decision&) const = default;
    };

    // `showMs`: where the show stands on its timeline, or nothing while the music must
    // not play (the show halted, at a pause line, the tray running back, ended).
    // `nowMs`: the clock, by which the playing music is expected to move on.
    Decision follow(std::optional<std::int64_t> showMs, std::int64_t nowMs);

private:
    bool playing_ = false;
    std::int64_t fromShowMs_ = 0;
    std::int64_t fromClockMs_ = 0;
};

class RehearsalMusic : public QObject {
    Q_OBJECT

public:
    struct Hooks {
        // The file cannot be played (UTF-8 message text); said once.
        std::function<void(const QString& message)> cannotPlay;
        // A line for the status bar: no sound output at all, or no music to play.
        std::function<void(const QString& statusLine)> statusLine;
        // Whether the file holds music the program can decode; empty: the player finds out.
        std::function<bool(const QString& path)> readable;
    };

    explicit RehearsalMusic(Hooks hooks, QObject* parent = nullptr);
    ~RehearsalMusic() override;

    // Loads `path`; false (after saying why) when there is nothing to play.
    bool open(const QString& path);
    bool hasMusic() const { return player_ != nullptr; }
    // Called on every frame with where the show stands.
    void follow(std::optional<std::int64_t> showMs, std::int64_t nowMs);
    // The run is over: the music plays on at `gain` (1 .. 0) of its volume, and stops at 0.
    void fadeOut(double gain);
    void stop();

private:
    void failed();

    Hooks hooks_;
    std::unique_ptr<QMediaPlayer> player_;
    std::unique_ptr<QAudioOutput> output_;
    MusicFollower follower_;
    bool playing_ = false;
    std::int64_t playFromMs_ = 0;
    QElapsedTimer sincePlayFrom_;
    QString path_;
    bool failedOnce_ = false;
};

}  // namespace vistrel
