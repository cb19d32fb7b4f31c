// vistrel-cli projector play and stop: "Diaschau starten" with the document window's
// poll, and "Diaschau stoppen", run by the window program's own run control
// (projector/RunControl) through the terminal player (projector/ShowPlayer).
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "cli/CommandRegistry.h"
#include "cli/Interrupt.h"
#include "cli/PlayerConsole.h"
#include "cli/ProjectorSession.h"
#include "model/CVistrelDoc.h"
#include "model/ShowFile.h"
#include "projector/RunControl.h"
#include "projector/ShowPlayer.h"
#include "res/StringTable.h"
#include "res/strings/RunStrings.h"

namespace vistrel::cli {

namespace {

// A run that went on after a reported failure (a pause the projector did not take,
// a start line it did not echo) did not do all it was asked: its end is no success.
// Ctrl+C wins over everything: whatever failed after it failed because of it.
int exitCodeOf(ShowPlayer::Outcome outcome, const ConsolePrompter& prompter) {
    switch (outcome) {
        case ShowPlayer::Outcome::Ended:
        case ShowPlayer::Outcome::Stopped: return exitCodeAfterInterrupt(prompter.errorsShown() == 0 ? 0 : 1);
        case ShowPlayer::Outcome::Interrupted: return InterruptedExit;
        case ShowPlayer::Outcome::Failed: return exitCodeAfterInterrupt(1);
    }
    return 1;
}

// The run control with what the window program would hand it; the terminal has no
// info window, so the option that opens one stays off.
struct PlaySession {
    PlaySession(const std::string& portName, const Settings& options)
        : transfer(portName, options),
          control(transfer.session.protocol(), transfer.transfer, transfer.settings, transfer.appState,
                  transfer.runState, transfer.session.prompter(), transfer.session.clock()),
          player(control, transfer.session.protocol(), transfer.runState, transfer.session.clock(), console) {
        transfer.settings.infoWindowAtStart = false;
    }

    TransferSession transfer;
    RunControl control;
    PlayerConsole console;
    ShowPlayer player;
};

// "--from N": the 1-based program line, 0 when not given, -1 when it is no number.
int fromLineOf(const CommandLine& line) {
    const auto v = line.value("from");
    if (!v) return 0;
    char* end = nullptr;
    const long number = std::strtol(v->c_str(), &end, 10);
    if (v->empty() || *end != '\0' || number < 1 || number > MaxProgramLines) return -1;
    return static_cast<int>(number);
}

// projector play FILE --port PORT [--from N] [--lamp PERCENT] [--differential=0|1]
int runPlay(const CommandLine& line) {
    const auto portName = portOf(line);
    if (!portName) return 2;
    Settings settings;
    settings.differentialTransfer = line.flag("differential", settings.differentialTransfer);
    if (!readLampOption(line, settings)) return 2;
    const int from = fromLineOf(line);
    if (from < 0)
        return line.usageError("--from takes a program line number 1 .. 999, not '" + *line.value("from") + "'");

    const std::string& file = line.positional(0);
    // A show document is large (fixed storage for 1002 lines): keep it off the stack.
    auto doc = std::make_unique<CVistrelDoc>();
    if (!readShowToSend(*doc, file, settings)) return 1;
    // A row the list does not have cannot be selected. (An empty show is the start's
    // own business: it has its message.)
    if (from > 0 && doc->lineCount > 0 && from > doc->lineCount) {
        return line.usageError("--from " + std::to_string(from) + " lies beyond the show's last line " +
                               std::to_string(doc->lineCount));
    }
    PlaySession run(*portName, settings);
    // --from is the answer to the start's question about the marked row.
    run.transfer.session.prompter().answerQuietly(res::text(ids::StartAtMarkedRow), MessageAnswer::Yes);
    return exitCodeOf(run.player.play(*doc, from - 1), run.transfer.session.prompter());
}

// projector stop --port PORT
int runStop(const CommandLine& line) {
    const auto portName = portOf(line);
    if (!portName) return 2;
    PlaySession run(*portName, Settings{});
    // No show is followed: the stop needs a document only for its flags.
    auto doc = std::make_unique<CVistrelDoc>();
    return exitCodeOf(run.player.stop(*doc), run.transfer.session.prompter());
}

constexpr const char* kPlayNotes =
    "While the show runs, commands are read from standard input, one a line: an empty line is \"Pause bzw. "
    "weiter\" (at a pause line it moves the show on), n is \"Bild vorwärts\", j N is \"Springe zur "
    "Programmzeile\" N, s is \"Diaschau stoppen\" (the command ends once the projector is home). The end of the "
    "input changes nothing. Ctrl+C ends the command within a second with exit code 130: the show is stopped (EN) "
    "without waiting for the home position (\"Abbruch\"), and a write of the show still going on is broken "
    "off.\n\n"
    "Output, one line at a time as the show reaches it: the program number (three digits), a tab and the "
    "line's description, for every line the show passed (also the short ones a poll stepped over), in "
    "order; \"PAUSE !\" when the show stands at a pause line; \"Pause\" and \"weiter\" when the user halts "
    "and continues it; \"Diaschauende\" at the end of the show. A projector that answers nothing for 10 "
    "seconds ends the run with the program's message. A show with a value the projector cannot hold (a "
    "negative slide number, a timer above 655.3 s, ...) is refused before the port is opened.";

const CommandRegistration playCommand{{
    .name = "projector play",
    .positionals = {"FILE"},
    .options = {portOption(),
                valueOption("from", "N",
                            "start at program line N: the row selected in the list, and the question "
                            "\"Möchten Sie die Show an der markierten Position starten?\" answered Yes (not "
                            "printed)"),
                lampOption(), differentialOption()},
    .summary = "Runs the show FILE on the projector (\"Diaschau starten\", with the write before it) and follows "
               "it line by line, as the document window does.",
    .notes = std::string(kPlayNotes) + "\n\n" + kPortNotes,
    .exitCodes = {{0, "the show ended, or was stopped with s"},
                  {1, "the projector failed (the program's German messages on stderr, in order), also when the "
                      "show went on after such a message"},
                  {2, "usage error"},
                  {130, "stopped with Ctrl+C"}},
    .run = runPlay,
}};

const CommandRegistration stopCommand{{
    .name = "projector stop",
    .positionals = {},
    .options = {portOption()},
    .summary = "Stops the show running on the projector (\"Diaschau stoppen\") and waits until the projector "
               "reports its home position. Ctrl+C ends the command within a second (\"Abbruch\").",
    .notes = kPortNotes,
    .exitCodes = {{0, "the projector is home"},
                  {1, "the projector failed (the program's German message on stderr)"},
                  {2, "usage error"},
                  {130, "ended with Ctrl+C"}},
    .run = runStop,
}};

}  // namespace

}  // namespace vistrel::cli
