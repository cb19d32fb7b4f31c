#include "media/Soundtrack.h"

#include <algorithm>

#include "media/VideoSettings.h"

namespace vistrel::media {

Soundtrack::Soundtrack(PcmSource* music, std::int64_t videoFrames)
    : music_(music), videoFrames_(std::max<std::int64_t>(videoFrames, 0)), musicEnded_(music == nullptr) {}

std::int64_t Soundtrack::soundFramesBefore(std::int64_t videoFrame, int fps) {
    return videoFrame * AudioSampleRate / fps;
}

void Soundtrack::fill(std::int64_t wantedEnd) {
    constexpr int Chunk = 4096;
    while (!musicEnded_ && position_ + static_cast<std::int64_t>(buffered_.size() / AudioChannels) < wantedEnd) {
        const std::size_t at = buffered_.size();
        buffered_.resize(at + Chunk * AudioChannels);
        const int got = std::clamp(music_->read(buffered_.data() + at, Chunk), 0, Chunk);
        buffered_.resize(at + static_cast<std::size_t>(got) * AudioChannels);
        if (got == 0) musicEnded_ = true;
    }
}

// Whether there is music beyond the video's last sample: only then is it cut and faded.
// Known once the music has been read up to the end of the video (at most two seconds
// ahead of what was handed out, as the fade starts two seconds before the end).
bool Soundtrack::musicGoesOnPastTheEnd() {
    if (fadeDecision_ < 0) {
        fill(videoFrames_ + 1);
        const auto available = position_ + static_cast<std::int64_t>(buffered_.size() / AudioChannels);
        fadeDecision_ = available > videoFrames_ ? 1 : 0;
    }
    return fadeDecision_ == 1;
}

std::vector<float> Soundtrack::next(int frames) {
    const std::int64_t count = std::clamp<std::int64_t>(frames, 0, videoFrames_ - position_);
    const std::int64_t fadeLength = std::min(FadeOutFrames, videoFrames_);
    const std::int64_t fadeStart = videoFrames_ - fadeLength;
    const bool fading = position_ + count > fadeStart && musicGoesOnPastTheEnd();

    std::vector<float> samples(static_cast<std::size_t>(count) * AudioChannels, 0.0f);
    fill(position_ + count);
    const std::size_t fromMusic = std::min(samples.size(), buffered_.size());
    std::copy_n(buffered_.begin(), fromMusic, samples.begin());
    // Only the look-ahead before the fade grows the buffer beyond one call's worth.
    buffered_.erase(buffered_.begin(), buffered_.begin() + static_cast<std::ptrdiff_t>(fromMusic));

    if (fading) {
        for (std::int64_t i = std::max(position_, fadeStart); i < position_ + count; ++i) {
            const float gain = static_cast<float>(videoFrames_ - i) / static_cast<float>(fadeLength);
            for (int channel = 0; channel < AudioChannels; ++channel)
                samples[static_cast<std::size_t>((i - position_) * AudioChannels + channel)] *= gain;
        }
    }
    position_ += count;
    return samples;
}

}  // namespace vistrel::media
