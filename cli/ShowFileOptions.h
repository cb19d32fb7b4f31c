#pragma once
// What every vistrel-cli command that reads a show file shares: the two reading
// options of "Öffnen" and the exit codes of a command that works on files.
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/CommandRegistry.h"
#include "model/Settings.h"

namespace vistrel {
class CVistrelDoc;
}  // namespace vistrel

namespace vistrel::cli {

class ConsolePrompter;

// --convert-dos-umlauts=0|1 and --use-500watt-times=0|1 (both default 1).
std::vector<OptionDefinition> showReadingOptions();
// The settings a show file is read with: the defaults, with the two options applied.
Settings readingSettings(const CommandLine& line);

// Reads the show file as "Öffnen" does, with the terminal as the user: a message names
// the file, and what the reader had to leave out is said on stderr (the command goes
// on, its exit code unchanged). False when the file could not be read at all.
bool readShowForCommand(CVistrelDoc& doc, const std::string& path, const Settings& settings);

// Refuses (with a message naming OUTPUT, exit code 1) an output file that is the
// input file itself, also by way of a link: a command whose purpose is not to change
// its input must never write over it. Returns 0 when they differ.
int refuseOutputOverInput(const std::string& input, const std::string& output, const std::string& what);

// 0 done, 1 a file could not be read or written (German message on stderr), 2 usage error.
std::vector<std::pair<int, std::string>> showFileExitCodes();

// Reads `file` exactly as "Öffnen" of the window program reads it: the name must carry
// the show file ending, and the reading options are those of the settings file. Null
// after a failure, which `prompter` has told, naming `file`.
std::unique_ptr<CVistrelDoc> readShowAsTheWindowProgramDoes(const std::string& file, ConsolePrompter& prompter);

// --images DIR: the folder of the slides' pictures.
OptionDefinition imagesOption();
// The picture folder of the show `file`: --images when given, else the one the window
// program remembers for the show, else its default folder (as the rehearsal finds it).
std::filesystem::path pictureFolderFor(const CommandLine& line, const std::string& file);

// `options` followed by the reading options.
std::vector<OptionDefinition> withShowReadingOptions(std::vector<OptionDefinition> options);

}  // namespace vistrel::cli
