#pragma once
// A sound file opened for FFmpeg's demultiplexers so that nothing can hold the program:
// the file is opened without waiting and only a plain file is taken (a named pipe, a
// device such as /dev/zero, a socket or a folder is no music and is refused at once),
// and the libraries read it through our own reader, which stops at the size the file
// had when it was opened. So a pipe never blocks, and an endless or growing file never
// makes the reading go on for ever.
#include <cstdint>
#include <memory>
#include <string>

#include "media/MediaFailure.h"

struct AVFormatContext;

namespace vistrel::media {

class MediaInput {
public:
    MediaInput();
    ~MediaInput();
    MediaInput(const MediaInput&) = delete;
    MediaInput& operator=(const MediaInput&) = delete;

    // Opens `path` (UTF-8) and reads its header. A failure names the file: missing,
    // unreadable, or no music (also for anything that is not a plain file).
    MediaFailure open(const std::string& path);
    // The demultiplexer, valid after a successful open().
    AVFormatContext* format() const;
    std::int64_t fileSize() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace vistrel::media
