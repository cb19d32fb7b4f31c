#include "cli/ShowFileOptions.h"

#include "model/CVistrelDoc.h"
#include "model/ShowFile.h"
#include "platform/Prompter.h"
#include "platform/qt/core/AppPaths.h"
#include "res/strings/ModelStrings.h"

namespace vistrel::cli {

std::vector<OptionDefinition> showReadingOptions() {
    return {zeroOrOneOption("convert-dos-umlauts",
                            "read the texts of a file written on DOS with its umlauts converted, as the "
                            "setting \"Laden mit Konvertierung der DOS-Umlaute\" does (default 1)"),
            zeroOrOneOption("use-500watt-times",
                            "a line without a timer gets 5.5 s (1) or 4.0 s (0), as the setting "
                            "\"500Watt-Timerzeiten benutzen\" says (default 1)")};
}

Settings readingSettings(const CommandLine& line) {
    Settings settings;
    settings.convertDosUmlauts = line.flag("convert-dos-umlauts", settings.convertDosUmlauts);
    settings.use500WattTimes = line.flag("use-500watt-times", settings.use500WattTimes);
    return settings;
}

std::vector<std::pair<int, std::string>> showFileExitCodes() {
    return {{0, "done"},
            {1, "a file could not be read or written (the program's German message on stderr)"},
            {2, "usage error"}};
}

std::unique_ptr<CVistrelDoc> readShowAsTheWindowProgramDoes(const std::string& file, Prompter& prompter) {
    if (!hasShowFileName(file)) {
        prompter.showMessage(ids::NotADpdFile, MessageIcon::Exclamation, MessageButtons::Ok);
        return nullptr;
    }
    const Settings settings = readSettings(settingsFilePath().toStdString());
    auto doc = std::make_unique<CVistrelDoc>();  // fixed storage for 1002 lines: off the stack
    if (!readShowFile(*doc, file, settings, prompter)) return nullptr;
    return doc;
}

std::vector<OptionDefinition> withShowReadingOptions(std::vector<OptionDefinition> options) {
    for (OptionDefinition& option : showReadingOptions()) options.push_back(std::move(option));
    return options;
}

}  // namespace vistrel::cli
