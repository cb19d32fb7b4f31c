#pragma once
// What a video file is made of: its size and frame rate, the quality, whether it has a
// sound track, and the pixel and sample formats the encoder is fed with.
#include <cstdint>
#include <memory>
#include <string>

namespace vistrel::media {

// The sound the encoder takes: 48 kHz stereo, 32-bit float, channels interleaved.
constexpr int AudioSampleRate = 48000;
constexpr int AudioChannels = 2;

struct VideoSettings {
    std::string outputPath;  // the ending chooses the format (VideoFormat.h)
    int width = 1920;        // even numbers: the chroma of the codecs covers 2x2 pixels
    int height = 1080;
    int fps = 25;
    int quality = 70;        // 1 (smallest file) .. 100 (best picture)
    bool withAudio = false;
};

// One frame: 32-bit pixels 0xffRRGGBB in the machine's byte order, rows of
// `bytesPerLine` bytes, width and height as in the settings. `owner` keeps the
// pixels alive until the encoder is done with them, so frames cross threads uncopied.
struct RgbFrame {
    const std::uint8_t* pixels = nullptr;
    int bytesPerLine = 0;
    std::shared_ptr<const void> owner;
};

}  // namespace vistrel::media
