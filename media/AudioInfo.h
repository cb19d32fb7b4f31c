#pragma once
// The length of a piece of music: what "fit the show to its music" needs, in the
// scaling dialog and on the command line alike. Any file FFmpeg's libraries can
// demultiplex counts, as long as it holds a sound stream.
#include <cstdint>
#include <string>

namespace vistrel::media {

struct AudioLength {
    std::int64_t milliseconds = 0;
    std::string error;  // empty when the length is known, else a German text for the user
    bool ok() const { return error.empty(); }
};

// The playing time of the first sound stream of `path` (UTF-8 file name). A missing,
// unreadable or non-audio file gives an error text that names the file.
AudioLength audioLength(const std::string& path);

}  // namespace vistrel::media
