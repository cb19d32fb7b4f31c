#include "video/VideoRequest.h"

#include <charconv>

namespace vistrel::video {

namespace {

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<QSize> parseVideoSize(std::string_view text) {
    for (std::string_view separator : {"x", "X", "\u00d7"}) {
        const auto at = text.find(separator);
        if (at == std::string_view::npos) continue;
        const auto width = wholeNumber(text.substr(0, at));
        const auto height = wholeNumber(text.substr(at + separator.size()));
        if (!width || !height) return std::nullopt;
        return QSize(*width, *height);
    }
    return std::nullopt;
}

QSize evenVideoSize(QSize size) { return {size.width() + size.width() % 2, size.height() + size.height() % 2}; }

std::optional<std::int64_t> parseSecondsAsMs(std::string_view text) {
    if (text.empty() || text.front() == '-') return std::nullopt;  // "-0.5" is negative too
    const auto point = text.find_first_of(".,");
    const auto whole = wholeNumber(text.substr(0, point));
    if (!whole) return std::nullopt;
    std::int64_t ms = static_cast<std::int64_t>(*whole) * 1000;
    if (point != std::string_view::npos) {
        const std::string_view tenths = text.substr(point + 1);
        if (tenths.size() != 1 || tenths[0] < '0' || tenths[0] > '9') return std::nullopt;
        ms += (tenths[0] - '0') * 100;
    }
    return ms;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    const bool same = std::filesystem::equivalent(a, b, error);
    return !error && same;
}

}  // namespace vistrel::video
