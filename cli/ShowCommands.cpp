// The show-file subcommands of vistrel-cli: show, save, new and sf.
#include <charconv>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandRegistry.h"
#include "cli/ConsolePrompter.h"
#include "cli/ShowFileOptions.h"
#include "cli/ShowReport.h"
#include "model/CVistrelDoc.h"
#include "model/Cp1252.h"
#include "model/Settings.h"
#include "model/ShowMediaChoices.h"
#include "model/ShowFile.h"
#include "model/ShowLength.h"
#include "model/SpecialFunction.h"
#include "platform/qt/core/AppPaths.h"
#include "res/StringTable.h"
#include "res/strings/RehearsalStrings.h"

namespace vistrel::cli {

namespace {

int runShow(const CommandLine& line) {
    auto doc = std::make_unique<CVistrelDoc>();  // fixed storage for 1002 lines: off the stack
    if (!readShowForCommand(*doc, line.positional(0), readingSettings(line))) return 1;

    std::string out;
    if (line.has("json")) {
        const ShowLengthValues lengths = computeShowLength(*doc, WholeShow, true);
        out = showAsJson(*doc, lengths.length, lengths.playingTime.value_or(0)) + "\n";
    } else {
        out = showAsText(*doc);
    }
    return printResult(out) ? 0 : 1;
}

int runSave(const CommandLine& line) {
    auto doc = std::make_unique<CVistrelDoc>();
    if (!readShowForCommand(*doc, line.positional(0), readingSettings(line))) return 1;
    ConsolePrompter prompter;
    prompter.setSubject(line.positional(1));
    if (!writeShowFile(*doc, line.positional(1), prompter)) return 1;
    // As "Speichern unter" does: the picture folder and music chosen for IN go along.
    const std::string choices = showMediaFilePath().toStdString();
    if (!ShowMediaChoices(choices).carryOver(line.positional(0), line.positional(1)))
        prompter.note(res::formatArgs(ids::MediaChoiceNotKept, {choices}));
    return 0;
}

int runNew(const CommandLine& line) {
    auto doc = std::make_unique<CVistrelDoc>();
    // The title as the title dialog takes it: in the show's code page, cut to its field.
    if (const auto title = line.value("title")) doc->header.title = utf8ToCp1252(*title);
    ConsolePrompter prompter;
    prompter.setSubject(line.positional(0));
    return writeShowFile(*doc, line.positional(0), prompter) ? 0 : 1;
}

int runSf(const CommandLine& line) {
    std::vector<int> codes;
    for (const std::string& arg : line.positionals()) {
        std::string_view digits = arg;
        if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
        int code = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
            return line.usageError("'" + arg + "' is not a special-function code");
        }
        codes.push_back(code);
    }
    std::string out;
    for (int code : codes) out += formatSpecialFunction(code, std::to_string(code)) + "\n";
    return printResult(out) ? 0 : 1;
}

const CommandRegistration showCommand{{
    .name = "show",
    .positionals = {"FILE"},
    .options = withShowReadingOptions({switchOption(
        "json", "print the show as one JSON object (header, lines, showLength, playingTime) instead of text")}),
    .summary = "Reads the show FILE as \"Öffnen\" reads it and prints its header texts and then its lines "
               "in the clipboard's text form (a header line, then one record per line, as the program list "
               "shows them). Texts are printed in UTF-8.",
    .notes = "",
    .exitCodes = showFileExitCodes(),
    .run = runShow,
}};

const CommandRegistration saveCommand{{
    .name = "save",
    .positionals = {"IN", "OUT"},
    .options = showReadingOptions(),
    .summary = "Reads the show IN as \"Öffnen\" reads it and writes it to OUT with the program's own writer: "
               "exactly the bytes Vistrel saves. OUT is written through a temporary file, so a failed save "
               "leaves the file that was there. The picture folder and music chosen for IN go along to OUT, "
               "as with \"Speichern unter\".",
    .notes = "",
    .exitCodes = showFileExitCodes(),
    .run = runSave,
}};

const CommandRegistration newCommand{{
    .name = "new",
    .positionals = {"OUT"},
    .options = {valueOption("title", "TEXT", "the show's title, as \"Titel bearbeiten / anzeigen\" takes it")},
    .summary = "Writes an empty show to OUT, as \"Neu\" and then \"Speichern unter\" do: the header (with the "
               "title TEXT) and no lines. OUT is written as `save` writes it and refused where `save` refuses it.",
    .notes = "",
    .exitCodes = {{0, "done"}, {1, "OUT could not be written (German message on stderr)"}, {2, "usage error"}},
    .run = runNew,
}};

const CommandRegistration sfCommand{{
    .name = "sf",
    .positionals = {"CODE..."},
    .options = {},
    .summary = "Prints the text of each special-function CODE, one per line, as the program list shows it "
               "when \"Sonderfunktioncodes durch Text ersetzen\" is on.",
    .notes = "",
    .exitCodes = {{0, "done"}, {1, "the texts could not be written"}, {2, "usage error (a CODE that is not a number)"}},
    .run = runSf,
}};

}  // namespace

}  // namespace vistrel::cli
