#include "views/TimelineWaveform.h"

#include <algorithm>
#include <cmath>

namespace vistrel {

TimelineWaveform::TimelineWaveform(QString cacheFolder, std::function<Reader()> reader, std::function<void()> arrived)
    : cacheFolder_(std::move(cacheFolder)), reader_(std::move(reader)), arrived_(std::move(arrived)) {
    job_ = std::make_unique<background::BackgroundJob<int, media::WaveformResult>>(
        background::BackgroundJob<int, media::WaveformResult>::Receivers{
            {},
            [this](media::WaveformResult result) {
                // A music that cannot be read draws no waveform; the rehearsal says why.
                if (result.ok()) waveform_ = std::move(result.waveform);
                if (arrived_) arrived_();
            },
            {}});
}

TimelineWaveform::~TimelineWaveform() = default;

void TimelineWaveform::follow(const QString& musicFile) {
    if (musicFile == musicFile_) return;
    musicFile_ = musicFile;
    waveform_.reset();
    const Reader read = musicFile.isEmpty() || !reader_ ? nullptr : reader_();
    if (!read) {
        job_->cancel();
        if (arrived_) arrived_();
        return;
    }
    job_->start([read, path = musicFile.toStdString(), folder = cacheFolder_.toStdString()](const auto& control) {
        return read(folder, path, Slices, &control.cancelFlag());
    });
}

double TimelineWaveform::peakBetween(double fromMs, double toMs) const {
    if (!waveform_ || waveform_->peaks.empty()) return 0.0;
    const double duration = static_cast<double>(waveform_->durationMs());
    if (duration <= 0.0 || toMs <= 0.0 || fromMs >= duration) return 0.0;
    const auto count = static_cast<double>(waveform_->peaks.size());
    const auto first = static_cast<std::size_t>(std::clamp(std::floor(fromMs / duration * count), 0.0, count - 1));
    const auto last = static_cast<std::size_t>(std::clamp(std::ceil(toMs / duration * count), 1.0, count));
    std::int32_t peak = 0;
    for (std::size_t i = first; i < std::max(last, first + 1); ++i) peak = std::max(peak, waveform_->peaks[i]);
    return peak / 1'000'000.0;
}

}  // namespace vistrel
