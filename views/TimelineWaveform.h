#pragma once
// The music under the timeline: its waveform read off the window thread (from the cache
// when it was read before) and told to the pane when it arrives; and the loudest peak
// between two music times, which is what a column of pixels draws.
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "background/BackgroundJob.h"
#include "media/WaveformCache.h"

namespace vistrel {

class TimelineWaveform {
public:
    // Slices read of a whole piece: fine enough for a column per 50 ms of a 10-minute piece.
    static constexpr int Slices = 12000;

    using Reader = decltype(&media::readWaveformKept);
    // `arrived` runs on the window thread once a waveform (or nothing) has been read;
    // `reader` gives the function that reads one (null: none can be read).
    TimelineWaveform(QString cacheFolder, std::function<Reader()> reader, std::function<void()> arrived);
    ~TimelineWaveform();

    // Reads `musicFile` unless it is the one read or being read; empty forgets the music.
    void follow(const QString& musicFile);

    bool ready() const { return waveform_.has_value(); }
    std::int64_t durationMs() const { return waveform_ ? waveform_->durationMs() : 0; }
    // The loudest peak from `fromMs` to `toMs`, 0 .. 1; 0 outside the music.
    double peakBetween(double fromMs, double toMs) const;

private:
    QString cacheFolder_;
    std::function<Reader()> reader_;
    std::function<void()> arrived_;
    QString musicFile_;
    std::optional<media::Waveform> waveform_;
    std::unique_ptr<background::BackgroundJob<int, media::WaveformResult>> job_;
};

}  // namespace vistrel
