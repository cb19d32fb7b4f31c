#pragma once
// The subcommands of vistrel-cli and the one option parser they all share.
//
// Adding a subcommand is one registration in the .cpp file of its family
// (ShowCommands.cpp, ProjectorCommands.cpp, or a new <Family>Commands.cpp: every
// .cpp in cli/ is built in), and nothing else: the dispatcher, "--help",
// "help COMMAND", the manual page and the shell completion all read the registry.
//
//     int runLength(const CommandLine& line);   // the work; returns the exit code
//
//     const CommandRegistration lengthCommand{{
//         .name = "length",                      // "projector play" for a projector command
//         .positionals = {"FILE"},               // "CODE..." takes one or more
//         .options = {valueOption("rows", "ROWS", "the selected rows, e.g. 2-5,9"),
//                     switchOption("json", "print JSON instead of text")},
//         .summary = "Prints the show length as the dialog \"Schaulänge\" shows it.",
//         .exitCodes = {{0, "done"}, {1, "..."}, {2, "usage error"}},
//         .run = runLength,
//     }};
//
// The parser takes "--name VALUE" and "--name=VALUE" for value options, "--name" for
// switches and "--name=0|1" (or "--name 0") for 0-or-1 options, and checks the count
// of positional arguments and the required options before `run` is called. Unknown
// options, missing values and extra arguments end as usage errors (exit 2) with a
// one-line reason and the command's usage. Values of the command's own (a port, a
// percentage, a code) are checked in `run`, which answers a bad one with
// `line.usageError("...")`.
//
// Shared options come from one function each: showReadingOptions() (ShowFileOptions.h)
// for a command that reads a show file, rowsOption() and parseRows() (RowList.h) for
// --rows, portOption() for the projector. Long work shows its progress through
// TerminalProgress (TerminalProgress.h). Each new command also gets its contract row in
// tests/cli/CliParserTest.cpp.
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace vistrel::cli {

// One option of a subcommand, named without its dashes ("port" is "--port").
struct OptionDefinition {
    enum class Kind {
        Switch,     // --module
        Value,      // --lamp PERCENT or --lamp=PERCENT
        ZeroOrOne,  // --end-marker=0|1 (also --end-marker 0); checked by the parser
    };
    std::string name;
    Kind kind = Kind::Switch;
    std::string valueName;  // "PERCENT"; "0|1" for ZeroOrOne
    std::string help;
    bool required = false;
};

OptionDefinition switchOption(std::string name, std::string help);
OptionDefinition valueOption(std::string name, std::string valueName, std::string help);
OptionDefinition requiredValueOption(std::string name, std::string valueName, std::string help);
OptionDefinition zeroOrOneOption(std::string name, std::string help);

class CommandLine;

// A subcommand: how it is called, what it does, how it ends, and the function that does it.
struct CommandDefinition {
    std::string name;                      // "show", or two words for a group: "projector upload"
    std::vector<std::string> positionals;  // names in order; a last name ending in "..." takes one or more
    std::vector<OptionDefinition> options;       // in the order the usage lists them
    std::string summary;                   // what it does, one paragraph (English)
    std::string notes;                     // further paragraphs, e.g. what PORT may be; may be empty
    std::vector<std::pair<int, std::string>> exitCodes;
    std::function<int(const CommandLine&)> run;

    // "show FILE [--json] [--convert-dos-umlauts=0|1] ..." (without the program name).
    std::string synopsis() const;
    const OptionDefinition* findOption(const std::string& optionName) const;
};

// The arguments of one call of a subcommand, checked against its CommandDefinition.
class CommandLine {
public:
    CommandLine(const CommandDefinition& command, std::vector<std::string> positionals,
                std::vector<std::pair<std::string, std::string>> values, std::vector<std::string> switches);

    const CommandDefinition& command() const { return *command_; }
    const std::vector<std::string>& positionals() const { return positionals_; }
    const std::string& positional(std::size_t index) const { return positionals_.at(index); }

    // Whether the option was given (a switch, or an option with a value).
    bool has(const std::string& optionName) const;
    // The option's value (the last one when given twice), or nothing.
    std::optional<std::string> value(const std::string& optionName) const;
    // A 0-or-1 option's value, or `fallback` when it was not given.
    bool flag(const std::string& optionName, bool fallback) const;

    // Prints "vistrel-cli: <reason>" and the command's usage on stderr; returns 2.
    int usageError(const std::string& reason) const;

private:
    const CommandDefinition* command_;
    std::vector<std::string> positionals_;
    std::vector<std::pair<std::string, std::string>> values_;
    std::vector<std::string> switches_;
};

// Parses `args` (the words after the command's name) for `command`: the command
// line, or the one-line reason why it is a usage error.
std::variant<CommandLine, std::string> parseCommandLine(const CommandDefinition& command, const std::vector<std::string>& args);

// Every registered subcommand, sorted by name.
std::vector<const CommandDefinition*> registeredCommands();
const CommandDefinition* findCommand(const std::string& name);

// Registers a subcommand for the lifetime of the program; define one per
// subcommand as a namespace-scope constant in the family's .cpp file.
class CommandRegistration {
public:
    explicit CommandRegistration(CommandDefinition command);
};

}  // namespace vistrel::cli
