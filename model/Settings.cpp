#include "model/Settings.h"

#include <locale>
#include <optional>
#include <sstream>

#include "model/DecimalText.h"
#include "model/FileAccess.h"

namespace vistrel {

namespace {

// Wider than the widest screen: no list column was ever meant to be this wide.
constexpr int MaxColumnWidth = 10000;

// Hands out the file's lines one by one and remembers when reading has to stop:
// at the first missing line or the first line without a number where one belongs.
class SettingsLines {
public:
    explicit SettingsLines(std::istream& in) : in_(in) {}

    std::optional<std::string> text() {
        if (stopped_) return std::nullopt;
        std::string line;
        if (!std::getline(in_, line)) {
            stopped_ = true;
            return std::nullopt;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();  // written on Windows
        return line;
    }

    std::optional<int> number() {
        const auto line = text();
        if (!line) return std::nullopt;
        if (!startsWithNumber(*line)) {
            stopped_ = true;
            return std::nullopt;
        }
        return decimalValue(*line);
    }

    void read(bool& flag) {
        if (const auto value = number()) flag = *value != 0;
    }
    void read(int& value) {
        if (const auto read = number()) value = *read;
    }

private:
    static bool startsWithNumber(const std::string& line) {
        std::size_t i = 0;
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i < line.size() && (line[i] == '+' || line[i] == '-')) ++i;
        return i < line.size() && line[i] >= '0' && line[i] <= '9';
    }

    std::istream& in_;
    bool stopped_ = false;
};

// The projector hangs on COM1 to COM4; anything else in the file is not a port we
// can open, so the default stays.
bool isKnownPort(const std::string& name) {
    return name.size() == 4 && name.compare(0, 3, "COM") == 0 && name[3] >= '1' && name[3] <= '4';
}

}  // namespace

Settings readSettings(const std::string& path) {
    std::string text;
    // First run (or no plain file there): defaults, windows at 200, 200.
    if (!readWholeFile(path, MaxSettingsFileBytes, text)) return Settings{};
    return parseSettingsText(text);
}

Settings parseSettingsText(std::string_view text) {
    Settings settings;
    // With a file the windows start at 0, 0 unless it names their places.
    settings.searchDialogPosition = {0, 0};
    settings.infoWindowPosition = {0, 0};

    std::istringstream file{std::string(text)};
    SettingsLines lines(file);
    if (const auto port = lines.text(); port && isKnownPort(*port)) settings.portName = *port;
    lines.read(settings.pcModeOffAtExit);
    lines.read(settings.endMarker);
    lines.read(settings.convertDosUmlauts);
    lines.read(settings.infoWindowAtStart);
    lines.read(settings.sfCodesAsText);
    lines.read(settings.logarithmicSliders);
    lines.read(settings.differentialTransfer);
    lines.read(settings.showTotalLength);
    lines.read(settings.fullSizeDocumentWindows);
    lines.read(settings.blockDelay);
    if (settings.blockDelay < 0 || settings.blockDelay > 100) settings.blockDelay = 10;
    // A width no screen could show (a negative one, or wider than any screen) would hide
    // a column or push the others out of reach: such a column gets its default width.
    for (std::size_t column = 0; column < settings.columnWidths.size(); ++column) {
        int& width = settings.columnWidths[column];
        lines.read(width);
        if (width < 0 || width > MaxColumnWidth) width = Settings{}.columnWidths[column];
    }
    for (int& coordinate : settings.searchDialogPosition) lines.read(coordinate);
    for (int& coordinate : settings.infoWindowPosition) lines.read(coordinate);
    if (const auto folder = lines.text()) settings.lastFolder = *folder;
    lines.read(settings.use500WattTimes);
    return settings;
}

bool writeSettings(const std::string& path, const Settings& settings) {
    std::ostringstream out;
    out.imbue(std::locale::classic());  // plain digits whatever the user's locale
    const auto line = [&out](const auto& value) { out << value << "\r\n"; };
    const auto flag = [&line](bool value) { line(value ? 1 : 0); };
    line(settings.portName);
    flag(settings.pcModeOffAtExit);
    flag(settings.endMarker);
    flag(settings.convertDosUmlauts);
    flag(settings.infoWindowAtStart);
    flag(settings.sfCodesAsText);
    flag(settings.logarithmicSliders);
    flag(settings.differentialTransfer);
    flag(settings.showTotalLength);
    flag(settings.fullSizeDocumentWindows);
    line(settings.blockDelay);
    for (int width : settings.columnWidths) line(width);
    for (int coordinate : settings.searchDialogPosition) line(coordinate);
    for (int coordinate : settings.infoWindowPosition) line(coordinate);
    line(settings.lastFolder);
    flag(settings.use500WattTimes);
    return replaceFileContents(path, out.str());
}

}  // namespace vistrel
