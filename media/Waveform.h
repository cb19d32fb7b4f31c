#pragma once
// The loudness of a piece of music over its length, as the timeline draws it under the
// slides: the loudest sample, over all channels, of each of N equal slices of the whole
// file. Decoded with FFmpeg's libraries; fit for a worker thread, which can stop it
// between two packets.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace vistrel::media {

struct Waveform {
    std::int64_t frames = 0;         // sample frames decoded
    int sampleRate = 0;
    std::vector<std::int32_t> peaks; // one per slice, millionths of full scale (0 .. 1'000'000)

    // The length in milliseconds, halves upward.
    std::int64_t durationMs() const {
        if (sampleRate <= 0) return 0;
        return (frames * 2000 + sampleRate) / (2 * static_cast<std::int64_t>(sampleRate));
    }
    bool operator==(const Waveform&) const = default;
};

struct WaveformResult {
    Waveform waveform;
    std::string error;       // a German text naming the file; empty when read
    bool cancelled = false;  // `cancel` was set: neither a waveform nor an error
    bool ok() const { return error.empty() && !cancelled; }
};

// The waveform of `path` (UTF-8 file name) in `slices` slices (at least 1). A missing
// file, one that is no regular file (a pipe, a device) or holds no sound gives the same
// messages as the music's length. `cancel`, when given, is looked at between packets.
WaveformResult readWaveform(const std::string& path, int slices, const std::atomic<bool>* cancel = nullptr);

}  // namespace vistrel::media
