#include "cli/Dispatcher.h"

#include <cstdio>
#include <variant>

#include "cli/CommandRegistry.h"
#include "cli/HelpText.h"

namespace vistrel::cli {

namespace {

bool isHelpWord(const std::string& arg) { return arg == "--help" || arg == "-h"; }

// "--help" anywhere before "--" asks for the help, whatever else the line holds.
bool asksForHelp(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") return false;
        if (isHelpWord(arg)) return true;
    }
    return false;
}

int print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

std::string allUsages() { return usageText(registeredCommands()); }

// The command named by the first one or two words of `words`, and how many words it took.
std::pair<const CommandDefinition*, std::size_t> lookUp(const std::vector<std::string>& words) {
    if (words.size() >= 2) {
        if (const CommandDefinition* command = findCommand(words[0] + " " + words[1])) return {command, 2};
    }
    if (!words.empty()) {
        if (const CommandDefinition* command = findCommand(words[0])) return {command, 1};
    }
    return {nullptr, 0};
}

// "help", "help show", "help projector", "help projector upload".
int runHelp(const std::vector<std::string>& topic) {
    if (topic.empty()) return print(overviewHelp());
    const auto [command, used] = lookUp(topic);
    if (command && used == topic.size()) return print(commandHelp(*command));
    if (topic.size() == 1 && !commandsOfGroup(topic[0]).empty()) return print(groupHelp(topic[0]));
    std::string name = topic[0];
    for (std::size_t i = 1; i < topic.size(); ++i) name += " " + topic[i];
    return printUsageError("no help for '" + name + "': unknown command", allUsages());
}

}  // namespace

int runVistrelCli(const std::vector<std::string>& args) {
    if (args.empty()) return printUsageError("missing command", allUsages());
    const std::string& first = args.front();
    if (isHelpWord(first) || first == "help") return runHelp({args.begin() + 1, args.end()});
    if (first == "--version") return print(versionText());

    const auto [command, used] = lookUp(args);
    if (!command) {
        const std::vector<const CommandDefinition*> group = commandsOfGroup(first);
        if (group.empty()) {
            const std::string what = first.starts_with("-") ? "unknown option '" : "unknown command '";
            return printUsageError(what + first + "'", allUsages());
        }
        if (args.size() == 1) return printUsageError("missing " + first + " command", usageText(group));
        if (isHelpWord(args[1]) || args[1] == "help") return print(groupHelp(first));
        return printUsageError("unknown " + first + " command '" + args[1] + "'", usageText(group));
    }

    const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(used), args.end());
    if (asksForHelp(rest)) return print(commandHelp(*command));
    auto parsed = parseCommandLine(*command, rest);
    if (const auto* reason = std::get_if<std::string>(&parsed)) return printUsageError(*reason, usageText(*command));
    return command->run(std::get<CommandLine>(parsed));
}

}  // namespace vistrel::cli
