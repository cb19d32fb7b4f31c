#pragma once
// The length of a piece of music: what "fit the show to its music" needs, in the
// scaling dialog and on the command line alike. Any plain file FFmpeg's libraries can
// demultiplex counts, as long as it holds a sound stream.
#include <cstdint>
#include <string>

#include "media/MediaFailure.h"

namespace vistrel::media {

struct AudioLength {
    std::int64_t milliseconds = 0;
    MediaFailure failure;  // Problem::None when the length is known
    bool ok() const { return !failure.failed(); }
};

// The playing time of the first sound stream of `path` (UTF-8 file name). A missing,
// unreadable or non-audio file (a pipe and a device among them) gives a failure that
// names the file; nothing ever waits for more data than the file holds.
AudioLength audioLength(const std::string& path);

}  // namespace vistrel::media
