#pragma once
// The usage and help texts of vistrel-cli, made from the registered subcommands so
// that they never disagree with what the parser accepts.
#include <string>
#include <vector>

namespace vistrel::cli {

struct CommandDefinition;
struct OptionDefinition;

// The words of a command's synopsis after the program name, e.g. {"show", "FILE",
// "[--json]", ...}, joined with `separator`.
std::string synopsisWords(const CommandDefinition& command, const std::string& separator);
// "--lamp PERCENT", "--end-marker=0|1", "--module".
std::string optionForm(const OptionDefinition& option);

// "usage: vistrel-cli <synopsis>", wrapped to the terminal's 80 columns.
std::string usageText(const CommandDefinition& command);
// The usage lines of several commands under one "usage:".
std::string usageText(const std::vector<const CommandDefinition*>& commands);
// Usage, summary, options, notes and exit codes of one command.
std::string commandHelp(const CommandDefinition& command);
// Every command whose name starts with "<group> " (e.g. "projector").
std::vector<const CommandDefinition*> commandsOfGroup(const std::string& group);
std::string groupHelp(const std::string& group);
// The list of all commands, for "vistrel-cli --help".
std::string overviewHelp();
// "Vistrel, Version 1.14", as the about box words it.
std::string versionText();

// Prints "vistrel-cli: <reason>" and `usage` on stderr; returns the exit code 2.
int printUsageError(const std::string& reason, const std::string& usage);

}  // namespace vistrel::cli
