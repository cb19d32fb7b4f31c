// The show-file subcommands of vistrel-cli: show, save and sf.
#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/ShowReport.h"
#include "cli/ConsolePrompter.h"
#include "model/CVistrelDoc.h"
#include "model/Settings.h"
#include "model/ShowFile.h"
#include "model/ShowLength.h"
#include "model/SpecialFunction.h"

namespace vistrel::cli {

namespace {

struct ShowOptions {
    std::vector<std::string> files;
    bool json = false;
    Settings settings;  // only the two reading options are taken from the command line
};

// Reads "--name=0" or "--name=1" into `flag`. Returns nothing when `arg` is not this
// option, false when it is but its value is neither 0 nor 1.
std::optional<bool> flagOption(std::string_view arg, std::string_view name, bool& flag) {
    if (arg.substr(0, name.size()) != name || arg.size() <= name.size() || arg[name.size()] != '=') {
        return std::nullopt;
    }
    const std::string_view value = arg.substr(name.size() + 1);
    if (value != "0" && value != "1") return false;
    flag = value == "1";
    return true;
}

// Returns an error text, or nothing when the arguments are fine.
std::optional<std::string> parseOption(const std::string& arg, ShowOptions& options) {
    if (arg == "--json") {
        options.json = true;
        return std::nullopt;
    }
    const std::pair<const char*, bool*> flags[] = {{"--convert-dos-umlauts", &options.settings.convertDosUmlauts},
                                                   {"--use-500watt-times", &options.settings.use500WattTimes}};
    for (const auto& [name, flag] : flags) {
        if (const auto matched = flagOption(arg, name, *flag)) {
            if (*matched) return std::nullopt;
            return "option " + std::string(name) + " takes 0 or 1";
        }
    }
    return "unknown option '" + arg + "'";
}

std::optional<std::string> parseShowOptions(const Args& args, ShowOptions& options) {
    for (const std::string& arg : args) {
        if (arg.rfind("--", 0) != 0) {
            options.files.push_back(arg);
        } else if (auto error = parseOption(arg, options)) {
            return error;
        }
    }
    return std::nullopt;
}

bool writeAll(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
}

}  // namespace

int runShow(const Args& args) {
    ShowOptions options;
    if (const auto error = parseShowOptions(args, options)) return usageError(*error);
    if (options.files.size() != 1) return usageError("show needs exactly one FILE");

    ConsolePrompter prompter;
    auto doc = std::make_unique<CVistrelDoc>();
    if (!readShowFile(*doc, options.files[0], options.settings, prompter)) return 1;

    std::string out;
    if (options.json) {
        const int showLength = computeShowLength(*doc, WholeShow, true);
        out = showAsJson(*doc, showLength, doc->playingTime) + "\n";
    } else {
        out = showAsText(*doc);
    }
    return writeAll(out) ? 0 : 1;
}

int runSave(const Args& args) {
    ShowOptions options;
    if (const auto error = parseShowOptions(args, options)) return usageError(*error);
    if (options.files.size() != 2) return usageError("save needs IN and OUT");

    ConsolePrompter prompter;
    auto doc = std::make_unique<CVistrelDoc>();
    if (!readShowFile(*doc, options.files[0], options.settings, prompter)) return 1;
    return writeShowFile(*doc, options.files[1], prompter) ? 0 : 1;
}

int runSf(const Args& args) {
    if (args.empty()) return usageError("sf needs at least one CODE");
    std::vector<int> codes;
    for (const std::string& arg : args) {
        std::string_view digits = arg;
        if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
        int code = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
            return usageError("'" + arg + "' is not a special-function code");
        }
        codes.push_back(code);
    }
    std::string out;
    for (int code : codes) out += formatSpecialFunction(code, std::to_string(code)) + "\n";
    return writeAll(out) ? 0 : 1;
}

}  // namespace vistrel::cli
