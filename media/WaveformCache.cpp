#include "media/WaveformCache.h"

#include <sys/stat.h>

#include <charconv>
#include <cstdio>
#include <system_error>

#include "model/FileAccess.h"

namespace vistrel::media {

namespace {

constexpr const char* Header = "vistrel-waveform 1\n";
// Far more than any entry of at most 100'000 slices holds.
constexpr std::size_t LargestEntry = 2'000'000;

// FNV-1a: a file name from the key; the key itself is inside the entry and compared.
std::string hashText(const std::string& key) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : key) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// Reads one decimal number ending in `end` from the front of `rest`.
bool takeNumber(std::string_view& rest, char end, std::int64_t& value) {
    const auto [stop, failure] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (failure != std::errc() || stop == rest.data() + rest.size() || *stop != end) return false;
    rest.remove_prefix(static_cast<std::size_t>(stop - rest.data()) + 1);
    return true;
}

}  // namespace

WaveformCache::WaveformCache(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::optional<std::string> WaveformCache::keyOf(const std::string& musicPath, int slices) {
    struct stat info {};
    if (::stat(musicPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::weakly_canonical(musicPath, error);
    if (error) return std::nullopt;
    // The path's length first, so that no name can pass for another key.
    const std::string path = absolute.string();
    return std::to_string(path.size()) + ":" + path + "\n" + std::to_string(info.st_size) + " " +
           std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec) + " " +
           std::to_string(slices) + "\n";
}

std::filesystem::path WaveformCache::entryPath(const std::string& key) const {
    return folder_ / (hashText(key) + ".waveform");
}

std::optional<Waveform> WaveformCache::find(const std::string& musicPath, int slices) const {
    const std::optional<std::string> key = keyOf(musicPath, slices);
    std::string bytes;
    if (!key || !readWholeFile(entryPath(*key).string(), LargestEntry, bytes)) return std::nullopt;
    const std::string head = Header + *key;
    if (bytes.compare(0, head.size(), head) != 0) return std::nullopt;
    std::string_view rest(bytes);
    rest.remove_prefix(head.size());
    std::int64_t frames = 0;
    std::int64_t rate = 0;
    if (!takeNumber(rest, ' ', frames) || !takeNumber(rest, '\n', rate) || frames <= 0 || rate <= 0 ||
        rate > 10'000'000)
        return std::nullopt;
    Waveform waveform{frames, static_cast<int>(rate), {}};
    for (int i = 0; i < slices; ++i) {
        std::int64_t peak = 0;
        if (!takeNumber(rest, '\n', peak) || peak < 0 || peak > 1'000'000) return std::nullopt;
        waveform.peaks.push_back(static_cast<std::int32_t>(peak));
    }
    if (!rest.empty()) return std::nullopt;
    return waveform;
}

bool WaveformCache::store(const std::string& musicPath, int slices, const Waveform& waveform) const {
    const std::optional<std::string> key = keyOf(musicPath, slices);
    if (!key || waveform.peaks.size() != static_cast<std::size_t>(slices)) return false;
    std::string bytes =
        Header + *key + std::to_string(waveform.frames) + " " + std::to_string(waveform.sampleRate) + "\n";
    for (std::int32_t peak : waveform.peaks) bytes += std::to_string(peak) + "\n";
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    return replaceFileContents(entryPath(*key).string(), bytes);
}

WaveformResult WaveformCache::read(const std::string& musicPath, int slices, const std::atomic<bool>* cancel) const {
    if (std::optional<Waveform> kept = find(musicPath, slices)) return {std::move(*kept), {}, false};
    WaveformResult result = readWaveform(musicPath, slices, cancel);
    if (result.ok()) store(musicPath, slices, result.waveform);
    return result;
}

WaveformResult readWaveformKept(const std::string& cacheFolder, const std::string& musicPath, int slices,
                                const std::atomic<bool>* cancel) {
    if (cacheFolder.empty()) return readWaveform(musicPath, slices, cancel);
    return WaveformCache(cacheFolder).read(musicPath, slices, cancel);
}

}  // namespace vistrel::media
