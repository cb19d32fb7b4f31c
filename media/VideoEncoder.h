#pragma once
// Writes a video file from frames and sound, the one way the program makes videos:
// open, add frames and sound in playing order, then finish or cancel. Encoding runs on
// a thread of its own behind a short queue, so that drawing the next frames goes on
// meanwhile and memory stays flat however long the show. The file appears under its
// name only when finish() succeeds; until then (and after a cancel or a failure) the
// file that was there stays as it was and nothing is left beside it.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "media/MediaFailure.h"
#include "media/VideoSettings.h"

namespace vistrel::media {

class VideoEncoder {
public:
    explicit VideoEncoder(std::size_t queuedFrames = 6);
    ~VideoEncoder();  // cancels what was not finished
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Checks the name and the file it would replace (only a plain file of the user's),
    // creates the temporary file beside it and writes the file's header.
    bool open(const VideoSettings& settings);
    // Each of these waits while the queue is full; false once encoding has failed.
    bool addFrame(RgbFrame frame);
    bool repeatFrame();  // the same picture as the frame before
    bool addAudio(std::vector<float> samples);  // interleaved, see VideoSettings.h
    // Encodes what is queued, writes the index and puts the file in place.
    bool finish();
    // Stops at once and removes the temporary file.
    void cancel();

    // Why the last call failed.
    MediaFailure failure() const;

private:
    struct Worker;
    std::unique_ptr<Worker> worker_;
};

}  // namespace vistrel::media
