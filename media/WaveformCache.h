#pragma once
// Waveforms already read, kept in a folder of small files so that a long piece of music
// is decoded once, not at every start ($XDG_CACHE_HOME/vistrel/ for the programs). An
// entry is found by the music's path, size and modification time and the number of
// slices; an entry that is damaged or belongs to another file is ignored, never
// trusted, and is replaced by the next store.
#include <filesystem>
#include <optional>
#include <string>

#include "media/Waveform.h"

namespace vistrel::media {

class WaveformCache {
public:
    explicit WaveformCache(std::filesystem::path folder);

    // The kept waveform of `musicPath` in `slices` slices, or nothing.
    std::optional<Waveform> find(const std::string& musicPath, int slices) const;
    // Keeps it (through the program's safe write); false when it cannot be written,
    // which costs only the time of the next read.
    bool store(const std::string& musicPath, int slices, const Waveform& waveform) const;

    // The waveform from the cache, else read (and kept when read in full).
    WaveformResult read(const std::string& musicPath, int slices, const std::atomic<bool>* cancel = nullptr) const;

private:
    // What identifies the music as it is now; nothing when it cannot be looked at.
    static std::optional<std::string> keyOf(const std::string& musicPath, int slices);
    std::filesystem::path entryPath(const std::string& key) const;

    std::filesystem::path folder_;
};

// The waveform as the windows read it: from the cache in `cacheFolder` (read and kept
// when it is not there yet), or simply read when no cache folder is given.
WaveformResult readWaveformKept(const std::string& cacheFolder, const std::string& musicPath, int slices,
                                const std::atomic<bool>* cancel);

}  // namespace vistrel::media
