#pragma once
// What went wrong with a sound or video file, as a value: which step failed, on which
// file, and the library's error code. Callers and tests compare these; the German
// sentence for the user is made only where it is shown (`mediaFailureText`).
#include <string>

namespace vistrel::media {

struct MediaFailure {
    enum class Problem {
        None,
        // The music of a show.
        MusicMissing,          // no file of that name
        MusicUnreadable,       // there, but it cannot be opened
        NotMusic,              // no sound FFmpeg can decode: text, a folder, a pipe, a device, a silent video
        MusicLengthUnknown,    // music whose length cannot be found
        // The video file being written.
        OutputNotReplaceable,  // not a plain file of the user's (a device, a pipe, read-only): not replaced
        OutputFolderMissing,   // `file` is the folder
        OutputFolderNotWritable,
        OutputWriteFailed,
        DiskFull,
        FormatUnknown,         // the name does not end in .mp4, .mkv or .webm
        EncoderMissing,        // `file` is the encoder's name
        EncodingFailed,
        // The show to be made into a video.
        ShowEmpty,
        NothingFromLine,       // `line` is the first line asked for
        OutputIsShow,          // the video would replace the show it is made of
    };

    Problem problem = Problem::None;
    std::string file;  // the file or folder it is about
    int code = 0;      // FFmpeg's error code (AVERROR) or errno; 0 when there is none
    int line = 0;      // for NothingFromLine

    bool failed() const { return problem != Problem::None; }
    bool operator==(const MediaFailure&) const = default;
};

}  // namespace vistrel::media
