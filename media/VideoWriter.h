#pragma once
// The FFmpeg side of a video file, on one thread: the container, a video and an
// optional sound stream, and the encoders behind them. Frames and sound come in in
// the order they play; the muxer interleaves them.
#include <memory>
#include <string>

#include "media/MediaFailure.h"
#include "media/VideoFormat.h"
#include "media/VideoSettings.h"

namespace vistrel::media {

class VideoWriter {
public:
    VideoWriter();
    ~VideoWriter();
    VideoWriter(const VideoWriter&) = delete;
    VideoWriter& operator=(const VideoWriter&) = delete;

    // Opens `filePath` (which must exist and is overwritten) in `format`; a failure
    // names `settings.outputPath`.
    bool open(const VideoSettings& settings, const VideoFormat& format, const std::string& filePath);
    bool writeFrame(const RgbFrame& frame);
    // The next frame shows the same picture as the last one (a slide standing still):
    // it is neither converted nor copied again.
    bool repeatFrame();
    // `frames` sample frames in the format of VideoSettings.h; ignored without a sound track.
    bool writeAudio(const float* samples, int frames);
    // Flushes the encoders and writes the index; the file is closed afterwards.
    bool finish();
    // Closes the file as it is, without an index.
    void abort();

    const MediaFailure& failure() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace vistrel::media
