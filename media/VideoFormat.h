#pragma once
// Which container and codecs a video file gets, chosen by the ending of its name:
// ".mp4" H.264 and AAC (the index at the front, so that it plays while it downloads),
// ".mkv" H.264 and AAC, ".webm" VP9 and Opus. These play on televisions, laptops and
// video sites alike.
#include <optional>
#include <string>

namespace vistrel::media {

struct VideoFormat {
    const char* muxer;         // FFmpeg's short name of the container
    const char* videoEncoder;  // FFmpeg's name of the encoder
    const char* audioEncoder;
    bool indexAtFront;         // move the MP4 index before the data once all is written
};

// The format for `path`, by its ending (in any letter case), or nothing for an ending
// Vistrel does not write.
std::optional<VideoFormat> videoFormatFor(const std::string& path);

}  // namespace vistrel::media
