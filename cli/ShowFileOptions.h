#pragma once
// What every vistrel-cli command that reads a show file shares: the two reading
// options of "Öffnen" and the exit codes of a command that works on files.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/CommandRegistry.h"
#include "model/Settings.h"

namespace vistrel {
class CVistrelDoc;
class Prompter;
}  // namespace vistrel

namespace vistrel::cli {

// --convert-dos-umlauts=0|1 and --use-500watt-times=0|1 (both default 1).
std::vector<OptionDefinition> showReadingOptions();
// The settings a show file is read with: the defaults, with the two options applied.
Settings readingSettings(const CommandLine& line);

// 0 done, 1 a file could not be read or written (German message on stderr), 2 usage error.
std::vector<std::pair<int, std::string>> showFileExitCodes();

// Reads `file` exactly as "Öffnen" of the window program reads it: the name must carry
// the show file ending, and the reading options are those of the settings file. Null
// after a failure, which `prompter` has told.
std::unique_ptr<CVistrelDoc> readShowAsTheWindowProgramDoes(const std::string& file, Prompter& prompter);

// `options` followed by the reading options.
std::vector<OptionDefinition> withShowReadingOptions(std::vector<OptionDefinition> options);

}  // namespace vistrel::cli
