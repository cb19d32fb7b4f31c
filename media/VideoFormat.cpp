#include "media/VideoFormat.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace vistrel::media {

std::optional<VideoFormat> videoFormatFor(const std::string& path) {
    std::string ending = std::filesystem::path(path).extension().string();
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ending == ".mp4") return VideoFormat{"mp4", "libx264", "aac", true};
    if (ending == ".mkv") return VideoFormat{"matroska", "libx264", "aac", false};
    if (ending == ".webm") return VideoFormat{"webm", "libvpx-vp9", "libopus", false};
    return std::nullopt;
}

}  // namespace vistrel::media
