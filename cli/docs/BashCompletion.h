#pragma once
// The bash completion of vistrel-cli, made from the registered subcommands: command
// names, each command's options, and the values an option or argument takes (0 or 1,
// the ports, files, folders).
#include <string>
#include <vector>

namespace vistrel::cli {

struct CommandDefinition;

std::string bashCompletion(const std::vector<const CommandDefinition*>& commands);

// What the completion offers for a value or argument named `name` ("PORT", "0|1",
// "FILE", "FOLDER", "A4|Letter", "ROWS"): "@port", "@file", "@dir", words, or "".
std::string completionKind(const std::string& name);

}  // namespace vistrel::cli
