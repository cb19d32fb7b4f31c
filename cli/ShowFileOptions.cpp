#include "cli/ShowFileOptions.h"

#include <cstdio>

#include "cli/ConsolePrompter.h"
#include "cli/VisibleText.h"
#include "model/CVistrelDoc.h"
#include "model/FileAccess.h"
#include "model/ShowFile.h"
#include "model/ShowMediaChoices.h"
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

bool readShowForCommand(CVistrelDoc& doc, const std::string& path, const Settings& settings) {
    ConsolePrompter prompter;
    prompter.setSubject(path);
    ShowReadReport report;
    if (!readShowFile(doc, path, settings, prompter, &report)) return false;
    if (!report.complete()) prompter.note(readLossMessage(report));
    return true;
}

int refuseOutputOverInput(const std::string& input, const std::string& output, const std::string& what) {
    if (!isSameFile(input, output)) return 0;
    std::fprintf(stderr, "vistrel-cli: %s: %s would replace the show it is made from; choose another file\n",
                 visibleText(output).c_str(), what.c_str());
    return 1;
}

std::vector<std::pair<int, std::string>> showFileExitCodes() {
    return {{0, "done"},
            {1, "a file could not be read or written (the program's German message on stderr)"},
            {2, "usage error"}};
}

std::unique_ptr<CVistrelDoc> readShowAsTheWindowProgramDoes(const std::string& file, ConsolePrompter& prompter) {
    prompter.setSubject(file);
    if (!hasShowFileName(file)) {
        prompter.showMessage(ids::NotADpdFile, MessageIcon::Exclamation, MessageButtons::Ok);
        return nullptr;
    }
    const Settings settings = readSettings(settingsFilePath().toStdString());
    auto doc = std::make_unique<CVistrelDoc>();  // fixed storage for 1002 lines: off the stack
    if (!readShowForCommand(*doc, file, settings)) return nullptr;
    prompter.setSubject({});  // what follows names its own files
    return doc;
}

OptionDefinition imagesOption() {
    return valueOption("images", "DIR",
                       "the folder of the slides' pictures (default: the one the window program remembers for "
                       "the show, else its default folder)");
}

std::filesystem::path pictureFolderFor(const CommandLine& line, const std::string& file) {
    if (const auto images = line.value("images")) return std::filesystem::path(*images);
    return ShowMediaChoices(showMediaFilePath().toStdString()).resolvedPictureFolder(file);
}

std::vector<OptionDefinition> withShowReadingOptions(std::vector<OptionDefinition> options) {
    for (OptionDefinition& option : showReadingOptions()) options.push_back(std::move(option));
    return options;
}

}  // namespace vistrel::cli
