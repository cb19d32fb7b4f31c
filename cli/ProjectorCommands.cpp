// vistrel-cli projector ...: the projector commands of the window program, run
// against the same link, protocol and traffic log, with the terminal as the user.
//
// Each subcommand is one function below and its registration at the end; they
// share the ProjectorSession that wires the serial port, the link and the protocol.
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/CommandRegistry.h"
#include "cli/ConsolePrompter.h"
#include "cli/TerminalProgressWindows.h"
#include "model/ApplicationState.h"
#include "model/CVistrelDoc.h"
#include "model/Settings.h"
#include "model/ShowFile.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/ProgressWindows.h"
#include "platform/qt/core/AppPaths.h"
#include "platform/qt/core/QtSerialPort.h"
#include "projector/ProjectorLink.h"
#include "projector/ProjectorProtocol.h"
#include "projector/RunState.h"
#include "projector/ShowTransfer.h"

namespace vistrel::cli {

namespace {

// "COM1".."COM4" (any case) name a port directly; a device path is taken as COM2
// by pointing VISTREL_COM2 at it. Anything else is a usage error (nullopt).
std::optional<std::string> portNameFor(const std::string& port) {
    if (port.size() == 4 && (port[0] == 'C' || port[0] == 'c') && (port[1] == 'O' || port[1] == 'o') &&
        (port[2] == 'M' || port[2] == 'm') && port[3] >= '1' && port[3] <= '4') {
        return std::string("COM") + port[3];
    }
    if (port.find('/') != std::string::npos) {
        qputenv("VISTREL_COM2", QFile::encodeName(QString::fromStdString(port)));
        return std::string("COM2");
    }
    return std::nullopt;
}

// One connection to the projector for the length of a command, set up as the
// window program sets up its link; the port and the log are closed at the end. The
// terminal gets every message the window program would show, in the same order: the
// search's word on what it found, then that of the command that failed.
class ProjectorSession {
public:
    explicit ProjectorSession(const std::string& portName)
        : link_(port_, clock_, prompter_, QFile::encodeName(serialLogPath()).toStdString()),
          protocol_(link_, clock_, prompter_, events_, progress_) {
        link_.portName = portName;
    }
    ~ProjectorSession() {
        link_.closePort();
        link_.closeLog();
    }
    ProjectorSession(const ProjectorSession&) = delete;
    ProjectorSession& operator=(const ProjectorSession&) = delete;

    ProjectorProtocol& protocol() { return protocol_; }
    Prompter& prompter() { return prompter_; }
    ProjectorLink& link() { return link_; }
    Clock& clock() { return clock_; }
    EventPump& events() { return events_; }
    ProgressWindows& progress() { return progress_; }

private:
    QtSerialPort port_;
    SystemClock clock_;
    ConsolePrompter prompter_;
    NoEventPump events_;
    TerminalProgressWindows progress_;
    ProjectorLink link_;
    ProjectorProtocol protocol_;
};

// The port named by --port as "COMn", or nothing (after a usage error) when it
// names none.
std::optional<std::string> portOf(const CommandLine& line) {
    const std::string port = line.value("port").value_or("");
    const auto name = portNameFor(port);
    if (!name) line.usageError("PORT must be COM1 .. COM4 or a device path, not '" + port + "'");
    return name;
}

// projector version --port PORT
int runVersion(const CommandLine& line) {
    const auto portName = portOf(line);
    if (!portName) return 2;
    ProjectorSession session(*portName);
    return session.protocol().showProjectorVersion() == 0 ? 0 : 1;
}

// --- upload and download: the show transfer menus ---------------------------------------

// The show transfer on a session, with the state the window program would keep.
struct TransferSession {
    explicit TransferSession(const std::string& portName, const Settings& options)
        : session(portName),
          settings(options),
          transfer(session.protocol(), settings, appState, runState, session.prompter(), session.clock(),
                   session.events(), session.progress()) {
        session.link().blockDelay = settings.blockDelay;
    }

    ProjectorSession session;
    Settings settings;
    ApplicationState appState;
    RunState runState;
    ShowTransfer transfer;
};

// projector upload FILE --port PORT [--module] [--end-marker=0|1] [--differential=0|1] [--lamp PERCENT]
int runUpload(const CommandLine& line) {
    const auto portName = portOf(line);
    if (!portName) return 2;
    Settings settings;
    settings.endMarker = line.flag("end-marker", settings.endMarker);
    settings.differentialTransfer = line.flag("differential", settings.differentialTransfer);
    if (const auto v = line.value("lamp")) {
        char* end = nullptr;
        const long percent = std::strtol(v->c_str(), &end, 10);
        if (v->empty() || *end != '\0' || percent < 1 || percent > 100)
            return line.usageError("--lamp takes a percentage 1 .. 100, not '" + *v + "'");
        settings.lampBrightness = static_cast<int>(percent);
    }

    const std::string& file = line.positional(0);
    // A show document is large (fixed storage for 1002 lines): keep it off the stack.
    auto doc = std::make_unique<CVistrelDoc>();
    TransferSession run(*portName, settings);
    if (!readShowFile(*doc, file, run.settings, run.session.prompter())) return 1;
    doc->filePath = file;
    doc->windowTitle = std::filesystem::path(file).filename().string();
    if (doc->lineCount == 0) {
        // The window program offers neither write command for a show without lines.
        std::fprintf(stderr, "vistrel-cli: %s holds no program lines; nothing to write\n", file.c_str());
        return 1;
    }
    const bool toModule = line.has("module");
    const bool ok = toModule ? run.transfer.writeToModule(*doc) : run.transfer.writeToProjector(*doc);
    return ok ? 0 : 1;
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
    if (!read) return 1;
    return writeShowFile(*doc, out, run.session.prompter()) ? 0 : 1;
}

constexpr const char* kPortNotes =
    "PORT is COM1, COM2, COM3 or COM4, or the path of a serial device. COMn opens the device named by the "
    "environment variable VISTREL_COMn, else /dev/ttyS<n-1>. A device path is used as COM2: the command sets "
    "VISTREL_COM2 to it for its own run. When no projector answers there, the other ports COM1 .. COM4 are "
    "searched, as the window program does.\n\n"
    "The serial traffic is logged to DIA.LOG ($VISTREL_LOG, else $XDG_STATE_HOME/vistrel/DIA.LOG).";

OptionSpec portOption() {
    return requiredValueOption("port", "PORT", "the serial port: COM1 .. COM4 or a device path");
}

std::vector<std::pair<int, std::string>> projectorExitCodes() {
    return {{0, "done"}, {1, "the projector failed (the program's German message on stderr)"}, {2, "usage error"}};
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
                zeroOrOneOption("differential",
                                "the option \"Differenzielle Übertragung\": write only the changed lines "
                                "(default 0)"),
                valueOption("lamp", "PERCENT", "the lamp brightness 1 .. 100 (default 100)")},
    .summary = "Writes the show FILE into the projector (\"Diaschau in den Projektor speichern\") or, with "
               "--module, also into its memory module (\"Diaschau ins Modul speichern\").",
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
