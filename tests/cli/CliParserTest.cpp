// The one option parser of vistrel-cli, over every registered subcommand.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <variant>
#include <vector>

#include "cli/CommandRegistry.h"

namespace vistrel::cli {
namespace {

using Args = std::vector<std::string>;

// Every subcommand with its synopsis as the issues wrote it down: a renamed option,
// a lost one or a switch that became a value option changes a line here. A new
// subcommand needs its row.
const std::map<std::string, std::string> kContracts = {
    {"copy", "copy FILE [--rows ROWS] [--convert-dos-umlauts=0|1] [--use-500watt-times=0|1]"},
    {"find", "find FOLDER TERM [--match-case] [--json]"},
    {"paste", "paste FILE TEXT OUT [--after N] [--convert-dos-umlauts=0|1] [--use-500watt-times=0|1]"},
#ifdef VISTREL_CLI_PRINT
    {"print", "print FILE --pdf OUT.pdf [--sf-text=0|1] [--page-size A4|Letter] [--pictures] [--images DIR]"},
    {"magazine", "magazine FILE --pdf OUT [--images DIR] [--slots N]"},
#endif
    {"move", "move FILE OUT --rows ROWS --to N"},
    {"pictures", "pictures FILE [--images DIR] [--json]"},
    {"length", "length FILE [--rows ROWS] [--json] [--convert-dos-umlauts=0|1] [--use-500watt-times=0|1]"},
    {"scale", "scale IN OUT [--length HH:MM:SS] [--to-audio FILE] [--rows ROWS] [--convert-dos-umlauts=0|1] [--use-500watt-times=0|1]"},
    {"timeline", "timeline FILE [--from N] [--json] [--convert-dos-umlauts=0|1] [--use-500watt-times=0|1]"},
    {"retime", "retime FILE OUT --starts LINE=SECONDS[,LINE=SECONDS...]"},
    {"waveform", "waveform AUDIO [--points N] [--json]"},
    {"projector download", "projector download OUT --port PORT [--module]"},
    {"projector upload",
     "projector upload FILE --port PORT [--module] [--end-marker=0|1] [--differential=0|1] [--lamp PERCENT]"},
    {"projector play", "projector play FILE --port PORT [--from N] [--lamp PERCENT] [--differential=0|1]"},
    {"projector stop", "projector stop --port PORT"},
    {"projector version", "projector version --port PORT"},
    {"save", "save IN OUT [--convert-dos-umlauts=0|1] [--use-500watt-times=0|1]"},
#ifdef VISTREL_CLI_VIDEO
    {"video",
     "video FILE OUT [--images DIR] [--audio FILE] [--size WxH] [--fps N] [--pause-seconds S] [--from N] [--to N] "
     "[--quality Q]"},
#endif
    {"new", "new OUT [--title TEXT]"},
    {"sf", "sf CODE..."},
    {"show", "show FILE [--json] [--convert-dos-umlauts=0|1] [--use-500watt-times=0|1]"},
};

TEST(CliParser, EverySubcommandKeepsItsContract) {
    std::map<std::string, std::string> registered;
    for (const CommandDefinition* command : registeredCommands()) registered[command->name] = command->synopsis();
    EXPECT_EQ(registered, kContracts);
}

// The shortest good call of `command`: its positional arguments and required
// options, less the option `leaveOut`.
Args minimalCall(const CommandDefinition& command, const std::string& leaveOut = "") {
    Args args;
    for (std::size_t i = 0; i < command.positionals.size(); ++i) args.push_back("arg" + std::to_string(i + 1));
    for (const OptionDefinition& option : command.options) {
        if (option.required && option.name != leaveOut) args.insert(args.end(), {"--" + option.name, "COM1"});
    }
    return args;
}

std::string reasonOf(const CommandDefinition& command, const Args& args) {
    const auto parsed = parseCommandLine(command, args);
    const auto* reason = std::get_if<std::string>(&parsed);
    return reason ? *reason : "";
}

TEST(CliParser, EveryOptionOfEveryCommandInEverySpelling) {
    for (const CommandDefinition* command : registeredCommands()) {
        SCOPED_TRACE(command->name);
        const Args base = minimalCall(*command);
        ASSERT_EQ(reasonOf(*command, base), "");
        for (const OptionDefinition& option : command->options) {
            const std::string dashed = "--" + option.name;
            if (option.kind == OptionDefinition::Kind::Switch) {
                Args args = base;
                args.push_back(dashed);
                const auto parsed = parseCommandLine(*command, args);
                ASSERT_TRUE(std::holds_alternative<CommandLine>(parsed)) << dashed;
                EXPECT_TRUE(std::get<CommandLine>(parsed).has(option.name));
                EXPECT_FALSE(std::get<CommandLine>(parseCommandLine(*command, base)).has(option.name));
                args.back() = dashed + "=1";
                EXPECT_EQ(reasonOf(*command, args), "option " + dashed + " takes no value");
                continue;
            }
            const std::string value = option.kind == OptionDefinition::Kind::ZeroOrOne ? "0" : "/dev/ttyUSB0";
            const Args others = minimalCall(*command, option.name);
            for (const Args& spelling : {Args{dashed + "=" + value}, Args{dashed, value}}) {
                Args args = spelling;  // options before the positional arguments, too
                args.insert(args.end(), others.begin(), others.end());
                const auto parsed = parseCommandLine(*command, args);
                ASSERT_TRUE(std::holds_alternative<CommandLine>(parsed)) << spelling.front();
                EXPECT_EQ(std::get<CommandLine>(parsed).value(option.name), value) << spelling.front();
                EXPECT_EQ(std::get<CommandLine>(parsed).positionals().size(), command->positionals.size());
            }
            Args missingValue = base;
            missingValue.push_back(dashed);
            EXPECT_EQ(reasonOf(*command, missingValue), "option " + dashed + " needs a value");
            if (option.kind == OptionDefinition::Kind::ZeroOrOne) {
                Args two = base;
                two.push_back(dashed + "=2");
                EXPECT_EQ(reasonOf(*command, two), "option " + dashed + " takes 0 or 1, not '2'");
                two.back() = dashed + "=yes";
                EXPECT_EQ(reasonOf(*command, two), "option " + dashed + " takes 0 or 1, not 'yes'");
            }
            if (option.required) {
                EXPECT_EQ(reasonOf(*command, others), "missing option " + dashed + " " + option.valueName);
            }
        }
    }
}

TEST(CliParser, UnknownOptionsAndWrongArgumentCountsAreUsageErrors) {
    for (const CommandDefinition* command : registeredCommands()) {
        SCOPED_TRACE(command->name);
        const Args base = minimalCall(*command);
        for (const std::string unknown : {"--no-such-option", "--no-such-option=1", "-x", "--j"}) {
            Args args = base;
            args.insert(args.begin(), unknown);
            EXPECT_EQ(reasonOf(*command, args), "unknown option '" + unknown.substr(0, unknown.find('=')) + "'");
        }
        if (command->positionals.empty()) {
            Args extra = base;
            extra.push_back("extra");
            EXPECT_EQ(reasonOf(*command, extra), "unexpected argument 'extra'");
            continue;
        }
        const bool repeated = command->positionals.back().ends_with("...");
        Args extra = base;
        extra.push_back("extra");
        EXPECT_EQ(reasonOf(*command, extra), repeated ? "" : "unexpected argument 'extra'");
        Args shortOfOne = base;
        shortOfOne.erase(shortOfOne.begin() + static_cast<std::ptrdiff_t>(command->positionals.size() - 1));
        std::string missing = command->positionals.back();
        if (repeated) missing.resize(missing.size() - 3);
        EXPECT_EQ(reasonOf(*command, shortOfOne), "missing " + missing);
    }
}

// Arguments as they reach the command: bytes kept, negative numbers and "-" as
// arguments, "--" ending the options, the last of a repeated option winning.
TEST(CliParser, ArgumentsReachTheCommandUnchanged) {
    struct Case {
        const char* command;
        Args args;
        Args positionals;
        std::map<std::string, std::string> values;
    };
    const Case cases[] = {
        {"show", {"Ferien \xE4\xFF.dpd", "--use-500watt-times", "0"}, {"Ferien \xE4\xFF.dpd"}, {{"use-500watt-times", "0"}}},
        {"projector version", {"--port=/dev/tty\xFF=1"}, {}, {{"port", "/dev/tty\xFF=1"}}},
        {"projector version", {"-port", "COM3"}, {}, {{"port", "COM3"}}},
        {"projector version", {"--port", "COM1", "--port", "COM2"}, {}, {{"port", "COM2"}}},
        {"projector upload", {"--lamp", "-5", "f.dpd", "--port", "-"}, {"f.dpd"}, {{"lamp", "-5"}, {"port", "-"}}},
        {"sf", {"-5", "+3", "-", "-0"}, {"-5", "+3", "-", "-0"}, {}},
        {"sf", {"--", "--json", "-x"}, {"--json", "-x"}, {}},
        {"show", {"--json", "--", "--json"}, {"--json"}, {}},
        {"save", {"", "out"}, {"", "out"}, {}},
    };
    for (const Case& c : cases) {
        const CommandDefinition* command = findCommand(c.command);
        ASSERT_NE(command, nullptr) << c.command;
        const auto parsed = parseCommandLine(*command, c.args);
        ASSERT_TRUE(std::holds_alternative<CommandLine>(parsed)) << std::get<std::string>(parsed);
        const CommandLine& line = std::get<CommandLine>(parsed);
        EXPECT_EQ(line.positionals(), c.positionals) << c.command;
        for (const auto& [name, value] : c.values) EXPECT_EQ(line.value(name), value) << name;
    }
}

}  // namespace
}  // namespace vistrel::cli
