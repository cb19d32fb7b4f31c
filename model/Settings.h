#pragma once
// The program-wide settings: what "vistrel.def" keeps, 23 values in a fixed order.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vistrel {

struct Settings {
    std::string portName = "COM2";
    bool pcModeOffAtExit = true;
    bool endMarker = true;
    bool convertDosUmlauts = true;
    bool infoWindowAtStart = false;
    bool sfCodesAsText = true;
    bool logarithmicSliders = true;
    bool differentialTransfer = false;
    bool showTotalLength = false;
    bool fullSizeDocumentWindows = false;
    int blockDelay = 10;  // milliseconds after each block read
    std::array<int, 6> columnWidths{80, 80, 80, 80, 80, 350};
    std::array<int, 2> searchDialogPosition{200, 200};
    std::array<int, 2> infoWindowPosition{200, 200};
    std::string lastFolder;  // ends in a separator when set; may hold blanks
    bool use500WattTimes = true;

    // Not persisted: starts at 100 on every run.
    int lampBrightness = 100;

    // The timer a new line gets: 5.5 s with 500-watt times, else 4.0 s (tenths).
    int defaultTimer() const { return use500WattTimes ? 55 : 40; }
};

// Far more than 23 short lines and a folder path can take.
constexpr std::size_t MaxSettingsFileBytes = 1024 * 1024;

// Reads the settings file; a missing file gives the defaults (positions 200, 200),
// a file that ends early or holds a non-number keeps the defaults from there on.
Settings readSettings(const std::string& path);
// The same for the file's bytes.
Settings parseSettingsText(std::string_view text);

// Writes the 23 values; returns false (and reports nothing) when the file cannot be written.
bool writeSettings(const std::string& path, const Settings& settings);

}  // namespace vistrel
