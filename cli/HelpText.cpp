#include "cli/HelpText.h"

#include <algorithm>
#include <cstdio>

#include "cli/CommandRegistry.h"
#include "cli/VisibleText.h"

namespace vistrel::cli {

namespace {

constexpr std::size_t kWidth = 79;
constexpr const char* kProgram = "vistrel-cli";

std::vector<std::string> synopsisTokens(const CommandDefinition& command) {
    std::vector<std::string> tokens = command.positionals;
    for (const OptionDefinition& option : command.options) {
        tokens.push_back(option.required ? optionForm(option) : "[" + optionForm(option) + "]");
    }
    return tokens;
}

// `first` then `tokens` separated by blanks, broken before a token that would pass
// the right margin; continuation lines start with `indent` blanks.
std::string wrapTokens(const std::string& first, const std::vector<std::string>& tokens, std::size_t indent) {
    std::string text = first;
    std::size_t column = first.size();
    for (const std::string& token : tokens) {
        if (column + 1 + token.size() > kWidth && column > indent) {
            text += "\n" + std::string(indent, ' ') + token;
            column = indent + token.size();
        } else {
            text += " " + token;
            column += 1 + token.size();
        }
    }
    return text + "\n";
}

std::vector<std::string> splitWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\n') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

// Each paragraph (separated by an empty line) filled to the margin after `indent` blanks.
std::string wrapParagraphs(const std::string& text, std::size_t indent) {
    std::string result;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\n\n", start);
        if (end == std::string::npos) end = text.size();
        const std::vector<std::string> words = splitWords(text.substr(start, end - start));
        if (!words.empty()) {
            if (!result.empty()) result += "\n";
            const std::vector<std::string> rest(words.begin() + 1, words.end());
            result += wrapTokens(std::string(indent, ' ') + words.front(), rest, indent);
        }
        start = end + 2;
    }
    return result;
}

// "--port PORT" followed by its help text, the help texts of a list in one column.
std::string optionTable(const std::vector<std::pair<std::string, std::string>>& rows) {
    std::size_t column = 0;
    for (const auto& [form, help] : rows) column = std::max(column, form.size());
    column += 4;
    std::string text;
    for (const auto& [form, help] : rows) {
        const std::vector<std::string> words = splitWords(help);
        std::string first = "  " + form + std::string(column - 2 - form.size(), ' ');
        if (words.empty()) {
            text += first + "\n";
            continue;
        }
        text += wrapTokens(first + words.front(), {words.begin() + 1, words.end()}, column);
    }
    return text;
}

std::string firstSentence(const std::string& text) {
    const auto end = text.find(". ");
    return end == std::string::npos ? text : text.substr(0, end + 1);
}

}  // namespace

std::string optionForm(const OptionDefinition& option) {
    switch (option.kind) {
        case OptionDefinition::Kind::Switch:
            return "--" + option.name;
        case OptionDefinition::Kind::Value:
            return "--" + option.name + " " + option.valueName;
        case OptionDefinition::Kind::ZeroOrOne:
            return "--" + option.name + "=" + option.valueName;
    }
    return "--" + option.name;
}

std::string synopsisWords(const CommandDefinition& command, const std::string& separator) {
    std::string text = command.name;
    for (const std::string& token : synopsisTokens(command)) text += separator + token;
    return text;
}

std::string usageText(const CommandDefinition& command) { return usageText(std::vector<const CommandDefinition*>{&command}); }

std::string usageText(const std::vector<const CommandDefinition*>& commands) {
    std::string text;
    for (const CommandDefinition* command : commands) {
        const std::string lead = std::string(text.empty() ? "usage: " : "       ") + kProgram + " " + command->name;
        text += wrapTokens(lead, synopsisTokens(*command), lead.size() + 1);
    }
    return text;
}

std::string commandHelp(const CommandDefinition& command) {
    std::string text = usageText(command) + "\n" + wrapParagraphs(command.summary, 0);
    std::vector<std::pair<std::string, std::string>> options;
    for (const OptionDefinition& option : command.options) options.emplace_back(optionForm(option), option.help);
    options.emplace_back("--help", "print this help and exit");
    text += "\nOptions:\n" + optionTable(options);
    if (!command.notes.empty()) text += "\n" + wrapParagraphs(command.notes, 0);
    if (!command.exitCodes.empty()) {
        std::vector<std::pair<std::string, std::string>> codes;
        for (const auto& [code, meaning] : command.exitCodes) codes.emplace_back(std::to_string(code), meaning);
        text += "\nExit codes:\n" + optionTable(codes);
    }
    return text;
}

std::vector<const CommandDefinition*> commandsOfGroup(const std::string& group) {
    std::vector<const CommandDefinition*> commands;
    for (const CommandDefinition* command : registeredCommands()) {
        if (command->name.starts_with(group + " ")) commands.push_back(command);
    }
    return commands;
}

std::string groupHelp(const std::string& group) {
    const std::vector<const CommandDefinition*> commands = commandsOfGroup(group);
    std::string text = usageText(commands);
    std::string sharedNotes;
    for (const CommandDefinition* command : commands) {
        text += "\n" + wrapTokens(std::string(kProgram) + " " + command->name, synopsisTokens(*command), 4);
        text += wrapParagraphs(command->summary, 4);
        if (sharedNotes.empty()) sharedNotes = command->notes;
    }
    if (!sharedNotes.empty()) text += "\n" + wrapParagraphs(sharedNotes, 0);
    text += "\n" + wrapParagraphs("Run '" + std::string(kProgram) + " " + group +
                                  " COMMAND --help' for a command's options and exit codes.",
                                  0);
    return text;
}

std::string overviewHelp() {
    std::string text = std::string("usage: ") + kProgram + " COMMAND [ARGUMENTS...]\n" +
                       "       " + kProgram + " help COMMAND\n" +
                       "       " + kProgram + " --version\n\n" +
                       wrapParagraphs("Vistrel's show files and projector commands without the window program. "
                                      "Messages are the program's own (German); a command that fails prints "
                                      "them on stderr and exits with 1, a usage error exits with 2.",
                                      0) +
                       "\nCommands:\n";
    for (const CommandDefinition* command : registeredCommands()) {
        text += wrapTokens("  " + command->name, synopsisTokens(*command), command->name.size() + 3);
        text += wrapParagraphs(firstSentence(command->summary), 6);
    }
    text += "\n" + wrapParagraphs("Run '" + std::string(kProgram) + " help COMMAND' or '" + kProgram +
                                      " COMMAND --help' for a command's options and exit codes.",
                                  0);
    return text;
}

std::string versionText() { return "Vistrel, Version " VISTREL_VERSION "\n"; }

int printUsageError(const std::string& reason, const std::string& usage) {
    std::fprintf(stderr, "%s: %s\n%s", kProgram, visibleText(reason).c_str(), usage.c_str());
    std::fflush(stderr);
    return 2;
}

}  // namespace vistrel::cli
