// The clipboard subcommands of vistrel-cli: copy and paste, for scripts and
// spreadsheets. They run the program list's own "Kopieren" and "Einfügen" on a list
// without a window, so that the text is byte for byte what the clipboard carries.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <variant>

#include "cli/CommandRegistry.h"
#include "cli/ConsolePrompter.h"
#include "cli/RowList.h"
#include "cli/ShowFileOptions.h"
#include "model/ClipboardCommands.h"
#include "model/Cp1252.h"
#include "model/FileAccess.h"
#include "model/LineOperations.h"
#include "model/ShowFile.h"

namespace vistrel::cli {

namespace {

// Far above any clipboard text of 999 lines.
constexpr std::size_t MaxClipboardTextBytes = 64u * 1024 * 1024;

// The show as "Öffnen" leaves it: the list filled from the document.
struct OpenedShow {
    std::unique_ptr<CVistrelDoc> doc = std::make_unique<CVistrelDoc>();  // 1002 lines: off the stack
    PlainProgramRows rows;
    ApplicationState appState;
    Settings settings;
};

bool openShow(OpenedShow& show, const CommandLine& line, Prompter& prompter) {
    show.settings = readingSettings(line);
    if (!readShowFile(*show.doc, line.positional(0), show.settings, prompter)) return false;
    show.rows = PlainProgramRows(rowsFilledFromDocument(*show.doc));
    return true;
}

bool readText(const std::string& path, std::string& bytes) {
    if (path != "-") return readWholeFile(path, MaxClipboardTextBytes, bytes);
    bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return !std::cin.bad() && bytes.size() <= MaxClipboardTextBytes;
}

int runCopy(const CommandLine& line) {
    ConsolePrompter prompter;
    OpenedShow show;
    if (!openShow(show, line, prompter)) return 1;
    ShowEditing editing{*show.doc, show.rows, prompter, show.appState, show.settings};
    LineOperations lines(editing, nullptr);
    ClipboardCommands clipboard(editing, lines, nullptr);

    if (const auto rows = line.value("rows")) {
        auto selected = parseRows(*rows, show.doc->lineCount);
        if (auto* reason = std::get_if<std::string>(&selected)) return line.usageError(*reason);
        show.rows.select(std::get<std::vector<int>>(selected));
    } else {
        lines.selectAll();
    }
    return printResult(cp1252ToUtf8(clipboard.selectionText())) ? 0 : 1;
}

int runPaste(const CommandLine& line) {
    // Every message the window would show goes to the terminal, and any of them
    // makes the command end with status 1.
    ConsolePrompter prompter;
    OpenedShow show;
    if (!openShow(show, line, prompter)) return 1;

    if (const auto after = line.value("after")) {
        // One row, not a list of them.
        const bool digitsOnly = !after->empty() && after->find_first_not_of("0123456789") == std::string::npos;
        if (!digitsOnly) return line.usageError("--after takes one row number, not '" + *after + "'");
        auto selected = parseRows(*after, show.doc->lineCount);
        if (auto* reason = std::get_if<std::string>(&selected)) return line.usageError(*reason);
        show.rows.select(std::get<std::vector<int>>(selected));
    }

    std::string text;
    if (!readText(line.positional(1), text)) {
        std::fprintf(stderr, "vistrel-cli: the text '%s' cannot be read\n", line.positional(1).c_str());
        return 1;
    }
    ShowEditing editing{*show.doc, show.rows, prompter, show.appState, show.settings};
    LineOperations lines(editing, nullptr);
    ClipboardCommands clipboard(editing, lines, nullptr);
    const int inserted = clipboard.pasteText(utf8ToCp1252(text));
    if (inserted > 0 && !writeShowFile(*show.doc, line.positional(2), prompter)) return 1;
    return prompter.messagesShown() > 0 ? 1 : 0;
}

const CommandRegistration copyCommand{{
    .name = "copy",
    .positionals = {"FILE"},
    .options = withShowReadingOptions({rowsOption()}),
    .summary = "Reads the show FILE as \"Öffnen\" reads it and prints, in UTF-8, exactly the text that "
               "\"Kopieren\" puts on the clipboard: the header line (ended by a line feed), then one record "
               "per selected row (the six cell texts of the program list, each followed by a tab, ended by "
               "CR LF). Without --rows every row is selected, as after \"Alles markieren\".",
    .notes = "",
    .exitCodes = showFileExitCodes(),
    .run = runCopy,
}};

const CommandRegistration pasteCommand{{
    .name = "paste",
    .positionals = {"FILE", "TEXT", "OUT"},
    .options = withShowReadingOptions({valueOption(
        "after", "N", "paste after program line N (1-based), as with that row selected; without it the lines "
                      "are appended")}),
    .summary = "Reads the show FILE as \"Öffnen\" reads it, pastes the UTF-8 text of the file TEXT (- for "
               "standard input) as \"Einfügen\" pastes the clipboard's text, and writes the show to OUT. "
               "Characters Windows-1252 cannot hold become \"?\".",
    .notes = "Every message the program would show (a full show, several selected rows, text without the "
             "header line, records with values a show cannot hold) is printed on stderr and makes the exit "
             "status 1. OUT is written whenever at least one line was pasted.",
    .exitCodes = {{0, "done"},
                  {1, "a message was shown, or a file could not be read or written (German message on stderr)"},
                  {2, "usage error"}},
    .run = runPaste,
}};

}  // namespace

}  // namespace vistrel::cli
