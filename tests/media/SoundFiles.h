#pragma once
// Files for the media tests: a scratch folder, a PCM WAV of a known length and level
// written byte by byte (so that no test depends on a file from elsewhere), and a look
// for the temporary files an unfinished export may leave.
#include <cstdint>
#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vistrel::media::test {

// A folder of its own for one test, removed with it.
class ScratchFolder {
public:
    ScratchFolder() {
        path_ = std::filesystem::temp_directory_path() /
                ("vistrel-media-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    static int& counter() {
        static int value = 0;
        return value;
    }
    std::filesystem::path path_;
};

inline std::string readWholeText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Whether `folder` holds a hidden ".vistrel-..." file.
inline bool temporaryFileIn(const std::filesystem::path& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().rfind(".vistrel-", 0) == 0) return true;
    return false;
}

// 16-bit PCM WAV: `frames` sample frames, each channel's sample from `sample(frame, channel)`.
template <typename SampleOf>
void writeWavOf(const std::string& path, int sampleRate, int channels, std::int64_t frames, SampleOf sample) {
    std::ofstream out(path, std::ios::binary);
    const auto put32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) out.put(static_cast<char>(v >> (8 * i))); };
    const auto put16 = [&](std::uint16_t v) { out.put(static_cast<char>(v & 0xff)); out.put(static_cast<char>(v >> 8)); };
    const auto dataBytes = static_cast<std::uint32_t>(frames * channels * 2);
    out << "RIFF";
    put32(36 + dataBytes);
    out << "WAVEfmt ";
    put32(16);
    put16(1);
    put16(static_cast<std::uint16_t>(channels));
    put32(static_cast<std::uint32_t>(sampleRate));
    put32(static_cast<std::uint32_t>(sampleRate * channels * 2));
    put16(static_cast<std::uint16_t>(channels * 2));
    put16(16);
    out << "data";
    put32(dataBytes);
    for (std::int64_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) put16(static_cast<std::uint16_t>(sample(i, c)));
}

// 16-bit PCM WAV: `frames` sample frames of a constant `level` in every channel.
inline void writeWav(const std::string& path, int sampleRate, int channels, std::int64_t frames,
                     std::int16_t level = 8000) {
    writeWavOf(path, sampleRate, channels, frames, [level](std::int64_t, int) { return level; });
}

}  // namespace vistrel::media::test
