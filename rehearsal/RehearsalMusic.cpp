#include "rehearsal/RehearsalMusic.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>
#include <cstdlib>

#include "res/TableText.h"
#include "res/strings/RehearsalStrings.h"

namespace vistrel {

MusicFollower::Decision MusicFollower::follow(std::optional<std::int64_t> showMs, std::int64_t nowMs) {
    if (!showMs) {
        if (!playing_) return {};
        playing_ = false;
        return {Action::Pause, 0};
    }
    if (playing_) {
        const std::int64_t expected = fromShowMs_ + (nowMs - fromClockMs_);
        if (std::llabs(expected - *showMs) <= ToleranceMs) return {};
    }
    // Not playing yet, or the show moved on by more than the music did (a step, a
    // jump, the tray back at the start): from where the show stands.
    playing_ = true;
    fromShowMs_ = *showMs;
    fromClockMs_ = nowMs;
    return {Action::PlayFrom, *showMs};
}

RehearsalMusic::RehearsalMusic(Hooks hooks, QObject* parent) : QObject(parent), hooks_(std::move(hooks)) {}

RehearsalMusic::~RehearsalMusic() { stop(); }

bool RehearsalMusic::open(const QString& path) {
    path_ = path;
    // Checked before any player is made: a file that is no music gets its message at
    // once, and the player is never handed something it might choke on (a named pipe
    // would block it, /dev/zero would never end, a sound that does not decode would
    // play silence without a word).
    if (!QFileInfo(path).isFile() || (hooks_.readable && !hooks_.readable(path))) {
        failed();
        return false;
    }
    if (QMediaDevices::audioOutputs().isEmpty()) {
        if (hooks_.statusLine) hooks_.statusLine(tableText(ids::RehearsalNoSoundOutput));
        return false;
    }
    output_ = std::make_unique<QAudioOutput>();
    player_ = std::make_unique<QMediaPlayer>();
    player_->setAudioOutput(output_.get());
    connect(player_.get(), &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error, const QString&) {
        if (error != QMediaPlayer::NoError) failed();
    });
    // A position asked for while the file was still loading may have been dropped: once
    // it is loaded, the music goes to where the show stands by then.
    connect(player_.get(), &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::InvalidMedia) return failed();
        if (status == QMediaPlayer::LoadedMedia && playing_) {
            player_->setPosition(playFromMs_ + sincePlayFrom_.elapsed());
        }
    });
    player_->setSource(QUrl::fromLocalFile(path));
    return true;
}

void RehearsalMusic::failed() {
    // The rehearsal goes on without sound; the player goes once the event that
    // reported the error is over.
    if (player_) {
        player_->disconnect(this);
        player_.release()->deleteLater();
        output_.release()->deleteLater();
    }
    if (failedOnce_) return;
    failedOnce_ = true;
    if (hooks_.cannotPlay) {
        hooks_.cannotPlay(tableText(ids::RehearsalMusicUnplayable).arg(path_));
    }
    // The box is gone once answered; the status bar keeps saying why the rehearsal is silent.
    if (hooks_.statusLine) hooks_.statusLine(tableText(ids::RehearsalMusicStatus).arg(path_));
}

void RehearsalMusic::fadeOut(double gain) {
    if (!player_) return;
    if (gain <= 0) {
        stop();
        return;
    }
    output_->setVolume(static_cast<float>(gain));
}

void RehearsalMusic::follow(std::optional<std::int64_t> showMs, std::int64_t nowMs) {
    if (!player_) return;
    const MusicFollower::Decision decision = follower_.follow(showMs, nowMs);
    switch (decision.action) {
        case MusicFollower::Action::None: break;
        case MusicFollower::Action::Pause:
            playing_ = false;
            player_->pause();
            break;
        case MusicFollower::Action::PlayFrom:
            playing_ = true;
            playFromMs_ = decision.positionMs;
            sincePlayFrom_.start();
            player_->setPosition(decision.positionMs);
            if (player_->playbackState() != QMediaPlayer::PlayingState) player_->play();
            break;
    }
}

void RehearsalMusic::stop() {
    if (player_) player_->stop();
}

}  // namespace vistrel
