// The clipboard subcommands of vistrel-cli: copy and paste, for scripts and
// spreadsheets. They run the program list's own "Kopieren" and "Einfügen" on a list
// without a window, so that the text is byte for byte what the clipboard carries.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <variant>

#include "cli/CommandRegistry.h"
#include "cli/ConsolePrompter.h"
#include "cli/RowList.h"
#include "cli/ShowFileOptions.h"
#include "cli/VisibleText.h"
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

bool openShow(OpenedShow& show, const CommandLine& line) {
    show.settings = readingSettings(line);
    if (!readShowForCommand(*show.doc, line.positional(0), show.settings)) return false;
    show.rows = PlainProgramRows(rowsFilledFromDocument(*show.doc));
    return true;
}

// Standard input up to `maxBytes`: false when it holds more (nothing beyond one byte
// past the limit is read) or cannot be read.
bool readUpTo(std::FILE* input, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    char chunk[65536];
    for (;;) {
        const std::size_t wanted = std::min(sizeof chunk, maxBytes + 1 - bytes.size());
        const std::size_t n = std::fread(chunk, 1, wanted, input);
        bytes.append(chunk, n);
        if (bytes.size() > maxBytes) {
            bytes.clear();
            return false;
        }
        if (n < wanted) return !std::ferror(input);
    }
}

bool readText(const std::string& path, std::string& bytes) {
    if (path != "-") return readWholeFile(path, MaxClipboardTextBytes, bytes);
    return readUpTo(stdin, MaxClipboardTextBytes, bytes);
}

int runCopy(const CommandLine& line) {
    ConsolePrompter prompter;
    prompter.setSubject(line.positional(0));
    OpenedShow show;
    if (!openShow(show, line)) return 1;
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
    const std::string& textFile = line.positional(1);
    // Paste's messages are about the text (its form, its values, how many lines it holds).
    prompter.setSubject(textFile == "-" ? "(standard input)" : textFile);
    OpenedShow show;
    if (!openShow(show, line)) return 1;

    if (const auto after = line.value("after")) {
        // One row, not a list of them.
        const bool digitsOnly = !after->empty() && after->find_first_not_of("0123456789") == std::string::npos;
        if (!digitsOnly) return line.usageError("--after takes one row number, not '" + *after + "'");
        auto selected = parseRows(*after, show.doc->lineCount);
        if (auto* reason = std::get_if<std::string>(&selected)) return line.usageError(*reason);
        show.rows.select(std::get<std::vector<int>>(selected));
    }

    std::string text;
    if (!readText(textFile, text)) {
        std::fprintf(stderr, "vistrel-cli: %s: cannot be read, or holds more than %zu MB\n",
                     visibleText(prompter.subject()).c_str(), MaxClipboardTextBytes / (1024 * 1024));
        return 1;
    }
    ShowEditing editing{*show.doc, show.rows, prompter, show.appState, show.settings};
    LineOperations lines(editing, nullptr);
    ClipboardCommands clipboard(editing, lines, nullptr);
    const int inserted = clipboard.pasteText(utf8ToCp1252(text));
    if (inserted > 0) {
        prompter.setSubject(line.positional(2));
        if (!writeShowFile(*show.doc, line.positional(2), prompter)) return 1;
    }
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
             "header line, records with values a show cannot hold) is printed on stderr, led by TEXT, and makes "
             "the exit status 1. OUT is written whenever at least one line was pasted. A TEXT (also standard "
             "input) of more than 64 MB is refused; standard input is read no further than that.",
    .exitCodes = {{0, "done"},
                  {1, "a message was shown, or a file could not be read or written (German message on stderr)"},
                  {2, "usage error"}},
    .run = runPaste,
}};

}  // namespace

}  // namespace vistrel::cli
