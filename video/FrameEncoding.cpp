#include "video/FrameEncoding.h"

#include <chrono>
#include <memory>

#include "media/VideoEncoder.h"

namespace vistrel::video {

namespace {

using Clock = std::chrono::steady_clock;

// Tells the progress when the line changes and otherwise a few times a second.
class ProgressTeller {
public:
    ProgressTeller(const ProgressReport& report, const FrameSource& frames) : report_(report), frames_(frames) {
        state_.lines = frames.lineCount();
        state_.frames = frames.frameCount();
    }

    void frameDone(std::int64_t frame) {
        if (!report_) return;
        const auto now = Clock::now();
        const int line = frames_.lineOf(frame);
        if (line == state_.line && now - lastReport_ < std::chrono::milliseconds(100)) return;
        state_.line = line;
        state_.frame = frame + 1;
        const double elapsed = std::chrono::duration<double>(now - started_).count();
        // The first half second says too little about the speed to promise a time.
        if (elapsed >= 0.5)
            state_.secondsLeft = static_cast<int>(elapsed * static_cast<double>(state_.frames - state_.frame) /
                                                  static_cast<double>(state_.frame) + 0.5);
        lastReport_ = now;
        report_(state_);
    }

private:
    const ProgressReport& report_;
    const FrameSource& frames_;
    ExportProgress state_;
    Clock::time_point started_ = Clock::now();
    Clock::time_point lastReport_{};
};

// The sound of frame `k` in sample frames.
std::int64_t soundOf(std::int64_t k, int fps) {
    return media::Soundtrack::soundFramesBefore(k + 1, fps) - media::Soundtrack::soundFramesBefore(k, fps);
}

// How much music the video plays: its length without the frames in which the music stands.
std::int64_t musicPlayed(const FrameSource& frames, int fps) {
    std::int64_t played = 0;
    for (std::int64_t k = 0; k < frames.frameCount(); ++k)
        if (!frames.musicStands(k)) played += soundOf(k, fps);
    return played;
}

media::RgbFrame frameOf(const QImage& image) {
    auto owner = std::make_shared<QImage>(image);  // shares the pixels, no copy
    return {owner->constBits(), static_cast<int>(owner->bytesPerLine()), owner};
}

}  // namespace

ExportResult encodeFrames(FrameSource& frames, const media::VideoSettings& settings, media::PcmSource* music,
                          const ProgressReport& progress, const std::atomic<bool>& cancel) {
    media::VideoEncoder encoder(4);
    if (!encoder.open(settings)) return {ExportOutcome::Failed, encoder.failure()};
    const std::int64_t count = frames.frameCount();
    media::Soundtrack soundtrack(music, settings.withAudio ? musicPlayed(frames, settings.fps) : 0);
    ProgressTeller teller(progress, frames);
    for (std::int64_t k = 0; k < count; ++k) {
        if (cancel.load()) {
            encoder.cancel();
            return {ExportOutcome::Cancelled, {}};
        }
        bool added = false;
        if (k > 0 && frames.sameAsBefore(k)) {
            added = encoder.repeatFrame();
        } else {
            QImage image = frames.draw(k);
            // An opaque premultiplied frame has the same bytes as RGB32: no conversion.
            if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32_Premultiplied)
                image = image.convertToFormat(QImage::Format_RGB32);
            added = image.width() == settings.width && image.height() == settings.height &&
                    encoder.addFrame(frameOf(image));
        }
        if (added && settings.withAudio) {
            const auto sound = static_cast<int>(soundOf(k, settings.fps));
            added = encoder.addAudio(frames.musicStands(k) ? std::vector<float>(static_cast<std::size_t>(sound) * media::AudioChannels)
                                                           : soundtrack.next(sound));
        }
        if (!added) {
            media::MediaFailure failure = encoder.failure();
            encoder.cancel();
            if (!failure.failed()) failure = {media::MediaFailure::Problem::EncodingFailed, settings.outputPath};
            return {ExportOutcome::Failed, failure};
        }
        teller.frameDone(k);
    }
    if (cancel.load()) {
        encoder.cancel();
        return {ExportOutcome::Cancelled, {}};
    }
    if (!encoder.finish()) return {ExportOutcome::Failed, encoder.failure()};
    return {ExportOutcome::Written, {}};
}

}  // namespace vistrel::video
