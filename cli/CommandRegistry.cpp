#include "cli/CommandRegistry.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cctype>
#include <cstdio>

#include "cli/HelpText.h"

namespace vistrel::cli {

OptionDefinition switchOption(std::string name, std::string help) {
    return {std::move(name), OptionDefinition::Kind::Switch, "", std::move(help), false};
}

OptionDefinition valueOption(std::string name, std::string valueName, std::string help) {
    return {std::move(name), OptionDefinition::Kind::Value, std::move(valueName), std::move(help), false};
}

OptionDefinition requiredValueOption(std::string name, std::string valueName, std::string help) {
    return {std::move(name), OptionDefinition::Kind::Value, std::move(valueName), std::move(help), true};
}

OptionDefinition zeroOrOneOption(std::string name, std::string help) {
    return {std::move(name), OptionDefinition::Kind::ZeroOrOne, "0|1", std::move(help), false};
}

std::string CommandDefinition::synopsis() const { return synopsisWords(*this, " "); }

const OptionDefinition* CommandDefinition::findOption(const std::string& optionName) const {
    for (const OptionDefinition& option : options) {
        if (option.name == optionName) return &option;
    }
    return nullptr;
}

CommandLine::CommandLine(const CommandDefinition& command, std::vector<std::string> positionals,
                         std::vector<std::pair<std::string, std::string>> values, std::vector<std::string> switches)
    : command_(&command), positionals_(std::move(positionals)), values_(std::move(values)), switches_(std::move(switches)) {}

bool CommandLine::has(const std::string& optionName) const {
    return std::find(switches_.begin(), switches_.end(), optionName) != switches_.end() || value(optionName).has_value();
}

std::optional<std::string> CommandLine::value(const std::string& optionName) const {
    for (const auto& [name, text] : values_) {
        if (name == optionName) return text;
    }
    return std::nullopt;
}

bool CommandLine::flag(const std::string& optionName, bool fallback) const {
    const auto text = value(optionName);
    return text ? *text == "1" : fallback;
}

int CommandLine::usageError(const std::string& reason) const { return printUsageError(reason, usageText(*command_)); }

namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

// Option words reach QCommandLineParser; every other word (positional arguments and
// option values, which may be file names in any bytes) is replaced by a marker and
// put back from the original afterwards, so that no byte of a name is lost in the
// text conversion.
class ArgumentMarkers {
public:
    // A negative number ("-5") is an argument, never an option: no option name
    // starts with a digit.
    static bool isOptionWord(const std::string& arg) {
        return arg.size() > 1 && arg[0] == '-' && !std::isdigit(static_cast<unsigned char>(arg[1]));
    }

    QStringList prepare(const std::vector<std::string>& args) {
        QStringList words{QStringLiteral("vistrel-cli")};
        bool optionsEnded = false;
        for (const std::string& arg : args) {
            if (!optionsEnded && arg == "--") {
                optionsEnded = true;
                words << QStringLiteral("--");
            } else if (!optionsEnded && isOptionWord(arg)) {
                const auto equals = arg.find('=');
                if (equals == std::string::npos) {
                    words << qt(arg);
                } else {
                    words << qt(arg.substr(0, equals + 1)) + marker(arg.substr(equals + 1));
                }
            } else {
                words << marker(arg);
            }
        }
        return words;
    }

    std::string original(const QString& word) const {
        if (word.size() > 1 && word[0] == QChar(kMarker)) {
            const std::size_t index = word.mid(1).toULongLong();
            if (index < originals_.size()) return originals_[index];
        }
        return word.toStdString();
    }

private:
    static constexpr char16_t kMarker = u'\x01';

    QString marker(const std::string& original) {
        originals_.push_back(original);
        return QChar(kMarker) + QString::number(originals_.size() - 1);
    }

    std::vector<std::string> originals_;
};

std::string optionName(const std::string& arg) {
    const std::string name = arg.substr(0, arg.find('='));
    return name.substr(name.find_first_not_of('-'));
}

// QCommandLineParser's own reasons name options without their dashes; these name
// them as the user typed them.
std::string parseFailure(const QCommandLineParser& parser, const CommandDefinition& command,
                         const std::vector<std::string>& args) {
    const QStringList unknown = parser.unknownOptionNames();
    std::vector<std::string> optionWords;
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (ArgumentMarkers::isOptionWord(arg)) optionWords.push_back(arg);
    }
    if (!unknown.isEmpty()) {
        for (const std::string& arg : optionWords) {
            if (qt(optionName(arg)) == unknown.front()) return "unknown option '" + arg.substr(0, arg.find('=')) + "'";
        }
        return "unknown option '" + unknown.front().toStdString() + "'";
    }
    for (const std::string& arg : optionWords) {
        const OptionDefinition* option = command.findOption(optionName(arg));
        if (!option) continue;
        if (option->kind == OptionDefinition::Kind::Switch && arg.find('=') != std::string::npos)
            return "option --" + option->name + " takes no value";
        if (option->kind != OptionDefinition::Kind::Switch && arg == optionWords.back() && arg.find('=') == std::string::npos)
            return "option --" + option->name + " needs a value";
    }
    return parser.errorText().toStdString();
}

std::vector<CommandDefinition>& registry() {
    static std::vector<CommandDefinition> commands;
    return commands;
}

}  // namespace

std::variant<CommandLine, std::string> parseCommandLine(const CommandDefinition& command, const std::vector<std::string>& args) {
    QCommandLineParser parser;
    // Every option is long; "-port" is taken as "--port" rather than as -p -o -r -t.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionDefinition& option : command.options) {
        parser.addOption(option.kind == OptionDefinition::Kind::Switch
                             ? QCommandLineOption(qt(option.name), qt(option.help))
                             : QCommandLineOption(qt(option.name), qt(option.help), qt(option.valueName)));
    }
    ArgumentMarkers markers;
    if (!parser.parse(markers.prepare(args))) return parseFailure(parser, command, args);

    std::vector<std::pair<std::string, std::string>> values;
    std::vector<std::string> switches;
    for (const OptionDefinition& option : command.options) {
        if (!parser.isSet(qt(option.name))) {
            if (option.required) return "missing option --" + option.name + " " + option.valueName;
            continue;
        }
        if (option.kind == OptionDefinition::Kind::Switch) {
            switches.push_back(option.name);
            continue;
        }
        const std::string text = markers.original(parser.value(qt(option.name)));
        if (option.kind == OptionDefinition::Kind::ZeroOrOne && text != "0" && text != "1")
            return "option --" + option.name + " takes 0 or 1, not '" + text + "'";
        values.emplace_back(option.name, text);
    }

    std::vector<std::string> positionals;
    for (const QString& word : parser.positionalArguments()) positionals.push_back(markers.original(word));
    const auto& names = command.positionals;
    const bool repeated = !names.empty() && names.back().ends_with("...");
    if (positionals.size() < names.size()) {
        std::string missing = names[positionals.size()];
        if (missing.ends_with("...")) missing.resize(missing.size() - 3);
        return "missing " + missing;
    }
    if (!repeated && positionals.size() > names.size())
        return "unexpected argument '" + positionals[names.size()] + "'";
    return CommandLine(command, std::move(positionals), std::move(values), std::move(switches));
}

std::vector<const CommandDefinition*> registeredCommands() {
    std::vector<const CommandDefinition*> commands;
    for (const CommandDefinition& command : registry()) commands.push_back(&command);
    std::sort(commands.begin(), commands.end(), [](const CommandDefinition* a, const CommandDefinition* b) { return a->name < b->name; });
    return commands;
}

const CommandDefinition* findCommand(const std::string& name) {
    for (const CommandDefinition& command : registry()) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

CommandRegistration::CommandRegistration(CommandDefinition command) {
    // A std::vector may move its elements as it grows: registrations all happen
    // before main(), and pointers into the registry are taken only after.
    registry().push_back(std::move(command));
}

}  // namespace vistrel::cli
