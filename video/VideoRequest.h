#pragma once
// What the user asks of a video export, the same from the window program's dialog and
// from `vistrel-cli video`, and the checks of its values that both share.
#include <QSize>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vistrel::video {

struct VideoRequest {
    std::string showPath;                 // the show's file; empty for a show never saved
    std::string outputPath;               // ".mp4", ".mkv" or ".webm"
    std::filesystem::path pictureFolder;
    std::string musicPath;                // empty: no sound track
    QSize size{1920, 1080};
    int fps = 25;
    int quality = 70;                     // 1..100
    std::int64_t pauseHoldMs = 5000;      // how long a pause line stands before the show goes on
    int fromLine = 1;                     // 1-based
    int toLine = 0;                       // 1-based last line shown; 0: to the end of the run
};

// The limits of the values, for the dialog's fields and the command line's checks.
constexpr int MinVideoSide = 16;
constexpr int MaxVideoSide = 7680;
constexpr int MaxVideoFps = 120;
constexpr int MaxPauseHoldSeconds = 3600;

// "1280x720" (also with "X" or "×"); nothing for anything else.
std::optional<QSize> parseVideoSize(std::string_view text);
// The codecs cover 2x2 pixels with one colour sample: odd sides are rounded up.
QSize evenVideoSize(QSize size);
// "5", "2.5", "0,5": seconds as a number with at most one decimal; nothing otherwise.
std::optional<std::int64_t> parseSecondsAsMs(std::string_view text);

// Whether `a` and `b` name the same file, also through links; false when either is missing.
bool sameFile(const std::string& a, const std::string& b);

}  // namespace vistrel::video
