// vistrel-cli projector ...: the projector commands of the window program, run
// against the same link, protocol and traffic log, with the terminal as the user.
//
// Each subcommand is one function below and its registration at the end; they
// share the ProjectorSession (ProjectorSession.h) that wires the serial port, the
// link and the protocol. Running a show is in PlayCommands.cpp.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "cli/CommandRegistry.h"
#include "cli/ProjectorSession.h"
#include "cli/ShowFileOptions.h"
#include "cli/VisibleText.h"
#include "model/CVistrelDoc.h"
#include "model/Settings.h"
#include "model/ShowFile.h"

namespace vistrel::cli {

namespace {

// projector version --port PORT
int runVersion(const CommandLine& line) {
    const auto portName = portOf(line);
    if (!portName) return 2;
    ProjectorSession session(*portName);
    return exitCodeAfterInterrupt(session.protocol().showProjectorVersion() == 0 ? 0 : 1);
}

// --- upload and download: the show transfer menus ---------------------------------------

// projector upload FILE --port PORT [--module] [--end-marker=0|1] [--differential=0|1] [--lamp PERCENT]
int runUpload(const CommandLine& line) {
    const auto portName = portOf(line);
    if (!portName) return 2;
    Settings settings;
    settings.endMarker = line.flag("end-marker", settings.endMarker);
    settings.differentialTransfer = line.flag("differential", settings.differentialTransfer);
    if (!readLampOption(line, settings)) return 2;

    const std::string& file = line.positional(0);
    // A show document is large (fixed storage for 1002 lines): keep it off the stack.
    auto doc = std::make_unique<CVistrelDoc>();
    if (!readShowToSend(*doc, file, settings)) return 1;
    if (doc->lineCount == 0) {
        // The window program offers neither write command for a show without lines.
        std::fprintf(stderr, "vistrel-cli: %s: holds no program lines; nothing to write\n", visibleText(file).c_str());
        return 1;
    }
    TransferSession run(*portName, settings);
    const bool toModule = line.has("module");
    const bool ok = toModule ? run.transfer.writeToModule(*doc) : run.transfer.writeToProjector(*doc);
    return exitCodeAfterInterrupt(ok ? 0 : 1);
}

// projector download OUT --port PORT [--module]
int runDownload(const CommandLine& line) {
    const auto portName = portOf(line);
    if (!portName) return 2;
    const std::string& out = line.positional(0);

    TransferSession run(*portName, Settings{});
    // An empty show, as the "new" command makes it: no questions, descriptions cleared.
    auto doc = std::make_unique<CVistrelDoc>();
    const bool fromModule = line.has("module");
    const bool read = fromModule ? run.transfer.loadFromModule(*doc, nullptr)
                                 : run.transfer.loadFromProjector(*doc, nullptr);
    // A broken read has been reported; a partial show is not saved as if it were whole.
    if (!read || interruptRequested()) return exitCodeAfterInterrupt(1);
    run.session.prompter().setSubject(out);
    return writeShowFile(*doc, out, run.session.prompter()) ? 0 : 1;
}

const CommandRegistration versionCommand{{
    .name = "projector version",
    .positionals = {},
    .options = {portOption()},
    .summary = "Asks the projector for its firmware version (\"Projektorversion\") and prints it.",
    .notes = kPortNotes,
    .exitCodes = projectorExitCodes(),
    .run = runVersion,
}};

const CommandRegistration uploadCommand{{
    .name = "projector upload",
    .positionals = {"FILE"},
    .options = {portOption(),
                switchOption("module", "write into the memory module too (\"Diaschau ins Modul speichern\")"),
                zeroOrOneOption("end-marker", "close the show with 50 end records (1, the default) or with one (0)"),
                differentialOption(), lampOption()},
    .summary = "Writes the show FILE into the projector (\"Diaschau in den Projektor speichern\") or, with "
               "--module, also into its memory module (\"Diaschau ins Modul speichern\"). A show with a value "
               "the projector's records cannot hold (slide 0 .. 65535, dissolve 0.0 .. 25.5 s, timer 0.0 .. "
               "655.3 s, code 0 .. 999) is refused, naming the first such line, before the port is opened.",
    .notes = kPortNotes,
    .exitCodes = projectorExitCodes(),
    .run = runUpload,
}};

const CommandRegistration downloadCommand{{
    .name = "projector download",
    .positionals = {"OUT"},
    .options = {portOption(),
                switchOption("module", "read the show in the memory module (\"Diaschau vom Modul laden\")")},
    .summary = "Reads the show in the projector (\"Diaschau vom Projektor laden\") or, with --module, the one "
               "in its memory module (\"Diaschau vom Modul laden\") and saves it as the show file OUT, without "
               "descriptions. A show that could not be read whole is not saved.",
    .notes = kPortNotes,
    .exitCodes = projectorExitCodes(),
    .run = runDownload,
}};

}  // namespace

}  // namespace vistrel::cli
