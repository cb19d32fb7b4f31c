#include "video/ExportProgress.h"

#include <cstdio>

namespace vistrel::video {

std::string ExportProgress::text() const {
    std::string result = "Zeile " + std::to_string(line) + " von " + std::to_string(lines);
    if (secondsLeft >= 0) {
        char left[32];
        if (secondsLeft >= 3600)
            std::snprintf(left, sizeof left, "%d:%02d:%02d", secondsLeft / 3600, secondsLeft / 60 % 60, secondsLeft % 60);
        else
            std::snprintf(left, sizeof left, "%d:%02d", secondsLeft / 60, secondsLeft % 60);
        result += ", noch ";
        result += left;
    }
    return result;
}

}  // namespace vistrel::video
