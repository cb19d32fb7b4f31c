#pragma once
// How far a video export has come, as the progress window and the terminal show it.
#include <cstdint>
#include <string>

namespace vistrel::video {

struct ExportProgress {
    int line = 0;             // 1-based, among `lines`
    int lines = 0;
    std::int64_t frame = 0;   // frames done
    std::int64_t frames = 0;
    int secondsLeft = -1;     // -1 while there is no estimate yet

    // "Zeile 3 von 20, noch 1:05" (or without the time while it is not known).
    std::string text() const;
};

}  // namespace vistrel::video
