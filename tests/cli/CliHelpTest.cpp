// vistrel-cli's help, version and usage errors, as a user sees them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CommandRegistry.h"
#include "tests/cli/CliProcess.h"

namespace vistrel::cli {
namespace {

using test::CliResult;
using test::runCliProcess;
using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> result;
    std::string::size_type start = 0;
    while (start <= text.size()) {
        const auto end = std::min(text.find(' ', start), text.size());
        result.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

TEST(CliHelp, EveryCommandHasItsHelpInAllThreeForms) {
    for (const CommandDefinition* command : registeredCommands()) {
        SCOPED_TRACE(command->name);
        std::vector<std::string> asked = words(command->name);
        asked.push_back("--help");
        const CliResult help = runCliProcess(asked);
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_EQ(help.err, "");
        EXPECT_THAT(help.out, StartsWith("usage: vistrel-cli " + command->name));
        for (const OptionDefinition& option : command->options) EXPECT_THAT(help.out, HasSubstr("\n  --" + option.name));
        // The code column is as wide as the widest code (130 after Ctrl+C).
        EXPECT_THAT(help.out, ContainsRegex("\nExit codes:\n  0  "));
        EXPECT_THAT(help.out, ContainsRegex("\n  2  +usage error"));

        std::vector<std::string> viaHelp{"help"};
        for (const std::string& word : words(command->name)) viaHelp.push_back(word);
        EXPECT_EQ(runCliProcess(viaHelp).out, help.out);
        // --help wins over whatever else is wrong on the line
        asked.insert(asked.end() - 1, "--no-such-option");
        EXPECT_EQ(runCliProcess(asked).out, help.out);
    }
}

TEST(CliHelp, OverviewVersionAndGroups) {
    const CliResult overview = runCliProcess({"--help"});
    EXPECT_EQ(overview.exitCode, 0);
    for (const CommandDefinition* command : registeredCommands()) EXPECT_THAT(overview.out, HasSubstr("  " + command->name + " "));
    EXPECT_EQ(runCliProcess({"help"}).out, overview.out);
    EXPECT_EQ(runCliProcess({"-h"}).out, overview.out);

    const CliResult version = runCliProcess({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "Vistrel, Version 1.14\n");

    const CliResult group = runCliProcess({"projector", "--help"});
    EXPECT_EQ(group.exitCode, 0);
    for (const char* name : {"version", "upload", "download", "play", "stop"})
        EXPECT_THAT(group.out, HasSubstr("\nvistrel-cli projector " + std::string(name)));
    EXPECT_EQ(runCliProcess({"help", "projector"}).out, group.out);
}

// The README's list of commands is the one a reader meets first: every command once,
// written exactly as its usage line, so that it cannot drift from the program.
TEST(CliHelp, TheReadmeListsEveryCommandOnceAsItsUsageSaysIt) {
    const std::string readme = test::readWholeFile(VISTREL_TEST_DATA "/../../README.md");
    ASSERT_FALSE(readme.empty());
    for (const CommandDefinition* command : registeredCommands()) {
        const std::string listed = "- `vistrel-cli " + command->synopsis() + "`";
        std::size_t count = 0;
        for (auto at = readme.find(listed); at != std::string::npos; at = readme.find(listed, at + 1)) ++count;
        EXPECT_EQ(count, 1u) << listed;
    }
}

// A usage error is exit 2, one line with the reason, then the usage of the command
// (or of all commands when none was named); nothing on stdout.
TEST(CliHelp, UsageErrorsNameTheReasonAndTheUsage) {
    struct Case {
        std::vector<std::string> args;
        std::string reason;
        std::string usage;
    };
    const std::string data = VISTREL_TEST_DATA "/sample.dpd";
    const Case cases[] = {
        {{}, "missing command", "usage: vistrel-cli "},
        {{"bogus"}, "unknown command 'bogus'", "usage: vistrel-cli "},
        {{"--bogus"}, "unknown option '--bogus'", "usage: vistrel-cli "},
        {{"help", "bogus"}, "no help for 'bogus': unknown command", "usage: vistrel-cli "},
        {{"show", data, "--bogus"}, "unknown option '--bogus'", "usage: vistrel-cli show FILE [--json]"},
        {{"show", data, "--json=1"}, "option --json takes no value", "usage: vistrel-cli show FILE"},
        {{"show", data, "second.dpd"}, "unexpected argument 'second.dpd'", "usage: vistrel-cli show FILE"},
        {{"save", data}, "missing OUT", "usage: vistrel-cli save IN OUT"},
        {{"new"}, "missing OUT", "usage: vistrel-cli new OUT [--title TEXT]"},
        {{"new", "a.dpd", "--title"}, "option --title needs a value", "usage: vistrel-cli new OUT"},
        {{"sf", "12", "1x"}, "'1x' is not a special-function code", "usage: vistrel-cli sf CODE..."},
        {{"projector"}, "missing projector command", "usage: vistrel-cli projector "},
        {{"projector", "dance"}, "unknown projector command 'dance'", "usage: vistrel-cli projector "},
        {{"projector", "version", "--port"}, "option --port needs a value", "usage: vistrel-cli projector version"},
        {{"projector", "version"}, "missing option --port PORT", "usage: vistrel-cli projector version --port PORT"},
        {{"projector", "version", "--port", "COM5"}, "PORT must be COM1 .. COM4 or a device path, not 'COM5'",
         "usage: vistrel-cli projector version"},
        {{"projector", "upload", data, "--port=COM1", "--lamp", "101"}, "--lamp takes a percentage 1 .. 100, not '101'",
         "usage: vistrel-cli projector upload FILE"},
        {{"projector", "upload", data, "--port=COM1", "--end-marker", "2"}, "option --end-marker takes 0 or 1, not '2'",
         "usage: vistrel-cli projector upload FILE"},
        {{"projector", "download", "out.dpd", "--port", "COM1", "--module=0"}, "option --module takes no value",
         "usage: vistrel-cli projector download OUT"},
        {{"projector", "play", data, "--port", "COM1", "--from", "0"},
         "--from takes a program line number 1 .. 999, not '0'", "usage: vistrel-cli projector play FILE"},
        {{"projector", "play", data, "--port", "COM1", "--from", "3x"},
         "--from takes a program line number 1 .. 999, not '3x'", "usage: vistrel-cli projector play FILE"},
        {{"projector", "play", data, "--port=COM1", "--from=1000"},
         "--from takes a program line number 1 .. 999, not '1000'", "usage: vistrel-cli projector play FILE"},
        {{"projector", "play", data, "--port", "COM1", "--from", "3"}, "--from 3 lies beyond the show's last line 2",
         "usage: vistrel-cli projector play FILE"},
        {{"projector", "play", data, "--port", "COM1", "--lamp", "0"}, "--lamp takes a percentage 1 .. 100, not '0'",
         "usage: vistrel-cli projector play FILE"},
        {{"projector", "play", data, "--port", "ttyS0"}, "PORT must be COM1 .. COM4 or a device path, not 'ttyS0'",
         "usage: vistrel-cli projector play FILE"},
        {{"projector", "stop", "--port", "COM0"}, "PORT must be COM1 .. COM4 or a device path, not 'COM0'",
         "usage: vistrel-cli projector stop --port PORT"},
        {{"projector", "stop", "--port", "COM1", "now"}, "unexpected argument 'now'", "usage: vistrel-cli projector stop"},
    };
    for (const Case& c : cases) {
        const CliResult r = runCliProcess(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.reason;
        EXPECT_EQ(r.out, "");
        EXPECT_THAT(r.err, StartsWith("vistrel-cli: " + c.reason + "\n" + c.usage));
    }
}

// Every command answers a bad call the same way, as a process: exit 2, nothing on
// stdout, one line "vistrel-cli: REASON" on stderr and then the usage its --help
// starts with.
TEST(CliHelp, EveryCommandRefusesBadCallsWithExitTwoTheReasonAndItsUsage) {
    for (const CommandDefinition* command : registeredCommands()) {
        SCOPED_TRACE(command->name);
        const std::vector<std::string> name = words(command->name);
        std::vector<std::string> asked = name;
        asked.push_back("--help");
        const std::string help = runCliProcess(asked).out;
        const std::string usage = help.substr(0, help.find("\n\n") + 1);
        ASSERT_THAT(usage, StartsWith("usage: vistrel-cli " + command->name));

        std::vector<std::string> positionals;
        for (std::size_t i = 0; i < command->positionals.size(); ++i) positionals.push_back("arg" + std::to_string(i + 1));
        std::vector<std::string> required;
        for (const OptionDefinition& option : command->options) {
            if (option.required) required.insert(required.end(), {"--" + option.name, "COM1"});
        }
        const auto call = [&](std::vector<std::string> args, const std::vector<std::string>& more) {
            args.insert(args.end(), more.begin(), more.end());
            return args;
        };
        const std::vector<std::string> good = call(positionals, required);

        std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
            {call(good, {"--bogus"}), "unknown option '--bogus'"},
            {call({"--bogus=1"}, good), "unknown option '--bogus'"},
        };
        const bool repeated = !command->positionals.empty() && command->positionals.back().ends_with("...");
        if (!repeated) bad.push_back({call(good, {"extra"}), "unexpected argument 'extra'"});
        if (!positionals.empty()) {
            std::string missing = command->positionals.front();
            if (missing.ends_with("...")) missing.resize(missing.size() - 3);
            bad.push_back({required, "missing " + missing});
        }
        for (const OptionDefinition& option : command->options) {
            const std::string dashed = "--" + option.name;
            if (option.kind == OptionDefinition::Kind::Switch) {
                bad.push_back({call(good, {dashed + "=1"}), "option " + dashed + " takes no value"});
            } else {
                bad.push_back({call(good, {dashed}), "option " + dashed + " needs a value"});
            }
            if (option.kind == OptionDefinition::Kind::ZeroOrOne)
                bad.push_back({call(good, {dashed, "2"}), "option " + dashed + " takes 0 or 1, not '2'"});
            if (option.required) {
                // Every other required option given: the reason names this one.
                std::vector<std::string> withoutIt = positionals;
                for (const OptionDefinition& other : command->options) {
                    if (other.required && other.name != option.name)
                        withoutIt.insert(withoutIt.end(), {"--" + other.name, "COM1"});
                }
                bad.push_back({withoutIt, "missing option " + dashed + " " + option.valueName});
            }
        }
        for (const auto& [args, reason] : bad) {
            const CliResult r = runCliProcess(call(name, args));
            EXPECT_EQ(r.exitCode, 2) << reason;
            EXPECT_EQ(r.out, "") << reason;
            EXPECT_EQ(r.err, "vistrel-cli: " + reason + "\n" + usage);
        }
    }
}

// The 0-or-1 options take their value with "=" or as the next word, and a show file
// reads the same either way.
TEST(CliHelp, ZeroOrOneOptionsTakeTheNextWordToo) {
    const std::string data = VISTREL_TEST_DATA "/model/lenient.dpd";
    const CliResult joined = runCliProcess({"show", "--json", "--use-500watt-times=0", data});
    const CliResult apart = runCliProcess({"show", "--json", "--use-500watt-times", "0", data});
    const CliResult on = runCliProcess({"show", "--json", data});
    EXPECT_EQ(joined.exitCode, 0);
    EXPECT_EQ(apart.exitCode, 0);
    EXPECT_EQ(joined.out, apart.out);
    EXPECT_NE(joined.out, on.out);
    EXPECT_THAT(apart.out, HasSubstr("\"timerTime\": 40"));
}

}  // namespace
}  // namespace vistrel::cli
