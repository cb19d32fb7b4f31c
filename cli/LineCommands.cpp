// The move subcommand of vistrel-cli: lines moved to another place, as Alt+Up and
// Alt+Down move them in the program list, with the same operation on a list without a
// window.
#include <charconv>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "cli/CommandRegistry.h"
#include "cli/ConsolePrompter.h"
#include "cli/RowList.h"
#include "cli/ShowFileOptions.h"
#include "model/LineMoving.h"
#include "model/ShowFile.h"

namespace vistrel::cli {

namespace {

// The 1-based line the first moved line becomes: a plain number from 1 to `highest`.
bool targetLine(std::string_view text, int highest, int& line) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string_view::npos) return false;
    std::from_chars(text.data(), text.data() + text.size(), line);
    return line >= 1 && line <= highest;
}

int runMove(const CommandLine& line) {
    ConsolePrompter prompter;
    const auto doc = readShowAsTheWindowProgramDoes(line.positional(0), prompter);
    if (!doc) return 1;

    auto rows = parseRows(*line.value("rows"), doc->lineCount);
    if (auto* reason = std::get_if<std::string>(&rows)) return line.usageError(*reason);
    const std::vector<int>& moved = std::get<std::vector<int>>(rows);
    const int highest = doc->lineCount - static_cast<int>(moved.size()) + 1;
    const std::string to = *line.value("to");
    int target = 0;
    if (!targetLine(to, highest, target)) {
        return line.usageError("--to takes a line from 1 to " + std::to_string(highest) + " for " +
                               std::to_string(moved.size()) + " moved line(s), not '" + to + "'");
    }

    PlainProgramRows list(rowsFilledFromDocument(*doc));
    list.select(moved);
    ApplicationState appState;
    const Settings settings;
    ShowEditing editing{*doc, list, prompter, appState, settings};
    LineMoving(editing).moveSelected(LineMove::toLine(target - 1));

    prompter.setSubject(line.positional(1));
    return writeShowFile(*doc, line.positional(1), prompter) ? 0 : 1;
}

const CommandRegistration moveCommand{{
    .name = "move",
    .positionals = {"FILE", "OUT"},
    .options = {requiredValueOption("rows", "ROWS",
                                    "the lines to move: 1-based program line numbers and ranges, separated by "
                                    "commas, e.g. 2-5,9"),
                requiredValueOption("to", "N", "the line (1-based) the first moved line becomes in the result")},
    .summary = "Reads the show FILE as \"Öffnen\" reads it (with the reading options of the settings), moves the lines "
               "ROWS so that they stand together, "
               "in their order, from line N on, and writes the show to OUT as `save` writes it. The other lines "
               "keep their order around them; slide numbers, times, codes and descriptions go with their lines, "
               "only the program numbers follow the new order.",
    .notes = "Example: with 6 lines, --rows 1,3 --to 4 gives the order 2 4 5 1 3 6. N runs from 1 to the "
             "number of lines less the number of moved lines plus 1. Moved lines count as changed for the "
             "projector. OUT is written through a temporary file and may be FILE itself.",
    .exitCodes = {{0, "done"},
                  {1, "FILE could not be read or OUT could not be written (German message on stderr)"},
                  {2, "usage error: bad ROWS, or N outside the lines"}},
    .run = runMove,
}};

}  // namespace

}  // namespace vistrel::cli
