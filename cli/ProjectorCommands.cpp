// vistrel-cli projector ...: the projector commands of the window program, run
// against the same link, protocol and traffic log, with the terminal as the user.
//
// Each subcommand is one function below; they share the option parser and the
// ProjectorSession that wires the serial port, the link and the protocol.
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/ConsolePrompter.h"
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

constexpr const char* kProjectorHelp =
    "vistrel-cli projector version --port PORT\n"
    "    Asks the projector for its firmware version (\"Projektorversion\").\n"
    "vistrel-cli projector upload FILE --port PORT [--module] [--end-marker=0|1]\n"
    "                             [--differential=0|1] [--lamp PERCENT]\n"
    "    Writes the show FILE into the projector (\"Diaschau in den Projektor\n"
    "    speichern\") or, with --module, also into its memory module (\"Diaschau\n"
    "    ins Modul speichern\"). --end-marker (default 1) closes the show with 50\n"
    "    end records instead of one; --differential (default 0) is the option\n"
    "    \"Differenzielle Übertragung\"; --lamp is the lamp brightness 1..100\n"
    "    (default 100).\n"
    "vistrel-cli projector download OUT --port PORT [--module]\n"
    "    Reads the show in the projector (\"Diaschau vom Projektor laden\") or,\n"
    "    with --module, the one in its memory module (\"Diaschau vom Modul\n"
    "    laden\") and saves it as the show file OUT, without descriptions.\n"
    "\n"
    "PORT is COM1, COM2, COM3 or COM4, or the path of a serial device.\n"
    "  COMn opens the device named by the environment variable VISTREL_COMn,\n"
    "  else /dev/ttyS<n-1>. A device path is used as COM2: the command sets\n"
    "  VISTREL_COM2 to it for its own run. When no projector answers there, the\n"
    "  other ports COM1 .. COM4 are searched, as the window program does.\n"
    "The serial traffic is logged to DIA.LOG ($VISTREL_LOG, else\n"
    "$XDG_STATE_HOME/vistrel/DIA.LOG).\n"
    "Exit codes: 0 done, 1 the projector failed (message on stderr), 2 usage error.\n";

// The command-line options of a projector subcommand: "--name VALUE" or
// "--name=VALUE" for the value options it knows, "--name" for its switches, and
// everything else positional.
struct ParsedOptions {
    std::map<std::string, std::string> values;
    std::set<std::string> switches;
    std::vector<std::string> positional;

    std::optional<std::string> value(const std::string& name) const {
        const auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
};

struct OptionSpec {
    std::set<std::string> valueOptions;  // e.g. "--port", "--lamp"
    std::set<std::string> switchOptions;  // e.g. "--module"
};

// Returns false with `error` set on an unknown option or a missing value.
bool parseOptions(const Args& args, const OptionSpec& known, ParsedOptions& parsed, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            parsed.positional.push_back(arg);
            continue;
        }
        const auto equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (known.valueOptions.count(name)) {
            if (equals != std::string::npos) {
                parsed.values[name] = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                parsed.values[name] = args[++i];
            } else {
                error = "option " + name + " needs a value";
                return false;
            }
        } else if (known.switchOptions.count(name) && equals == std::string::npos) {
            parsed.switches.insert(name);
        } else {
            error = "unknown option '" + arg + "'";
            return false;
        }
    }
    return true;
}

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

// The search for the projector tells the user when none answers, and then the first
// command fails and reports again. On the terminal a failed command prints one
// message, the one of that failed command, so the search keeps quiet here.
class QuietPrompter final : public Prompter {
public:
    MessageAnswer showMessage(const std::string&, MessageIcon, MessageButtons buttons, int defaultButton) override {
        return ConsolePrompter::defaultAnswer(buttons, defaultButton);
    }
    using Prompter::showMessage;
    void beep() override {}
    void beginWaitCursor() override {}
    void endWaitCursor() override {}
};

// One connection to the projector for the length of a command, set up as the
// window program sets up its link; the port and the log are closed at the end.
class ProjectorSession {
public:
    explicit ProjectorSession(const std::string& portName)
        : link_(port_, clock_, searchPrompter_, QFile::encodeName(serialLogPath()).toStdString()),
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
    QuietPrompter searchPrompter_;
    NoEventPump events_;
    NoProgressWindows progress_;
    ProjectorLink link_;
    ProjectorProtocol protocol_;
};

// Parses the options of a subcommand that needs --port; on success `portName`
// holds "COMn". Returns 0, or the usage error's exit code.
int parseWithPort(const Args& args, const OptionSpec& known, ParsedOptions& parsed, std::string& portName) {
    std::string error;
    if (!parseOptions(args, known, parsed, error)) return usageError(error);
    const auto port = parsed.value("--port");
    if (!port) return usageError("missing --port PORT (COM1 .. COM4 or a device path)");
    const auto name = portNameFor(*port);
    if (!name) return usageError("PORT must be COM1 .. COM4 or a device path, not '" + *port + "'");
    portName = *name;
    return 0;
}

// projector version --port PORT
int runVersion(const Args& args) {
    ParsedOptions parsed;
    std::string portName;
    if (const int usage = parseWithPort(args, {{"--port"}, {}}, parsed, portName)) return usage;
    if (!parsed.positional.empty()) return usageError("unexpected argument '" + parsed.positional.front() + "'");
    ProjectorSession session(portName);
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

// "0" or "1" into `flag`; false for anything else.
bool parseFlag(const std::string& text, bool& flag) {
    if (text != "0" && text != "1") return false;
    flag = text == "1";
    return true;
}

// projector upload FILE --port PORT [--module] [--end-marker=0|1] [--differential=0|1] [--lamp PERCENT]
int runUpload(const Args& args) {
    ParsedOptions parsed;
    std::string portName;
    const OptionSpec uploadOptions{{"--port", "--end-marker", "--differential", "--lamp"}, {"--module"}};
    if (const int usage = parseWithPort(args, uploadOptions, parsed, portName)) return usage;
    if (parsed.positional.size() != 1) return usageError("upload needs exactly one show FILE");
    Settings settings;
    if (const auto v = parsed.value("--end-marker"); v && !parseFlag(*v, settings.endMarker))
        return usageError("--end-marker must be 0 or 1");
    if (const auto v = parsed.value("--differential"); v && !parseFlag(*v, settings.differentialTransfer))
        return usageError("--differential must be 0 or 1");
    if (const auto v = parsed.value("--lamp")) {
        char* end = nullptr;
        const long percent = std::strtol(v->c_str(), &end, 10);
        if (v->empty() || *end != '\0' || percent < 1 || percent > 100)
            return usageError("--lamp must be a percentage 1 .. 100");
        settings.lampBrightness = static_cast<int>(percent);
    }

    const std::string& file = parsed.positional.front();
    // A show document is large (fixed storage for 1002 lines): keep it off the stack.
    auto doc = std::make_unique<CVistrelDoc>();
    TransferSession run(portName, settings);
    if (!readShowFile(*doc, file, run.settings, run.session.prompter())) return 1;
    doc->filePath = file;
    doc->windowTitle = std::filesystem::path(file).filename().string();
    if (doc->lineCount == 0) {
        // The window program offers neither write command for a show without lines.
        std::fprintf(stderr, "vistrel-cli: %s holds no program lines; nothing to write\n", file.c_str());
        return 1;
    }
    const bool toModule = parsed.switches.count("--module") != 0;
    const bool ok = toModule ? run.transfer.writeToModule(*doc) : run.transfer.writeToProjector(*doc);
    return ok ? 0 : 1;
}

// projector download OUT --port PORT [--module]
int runDownload(const Args& args) {
    ParsedOptions parsed;
    std::string portName;
    if (const int usage = parseWithPort(args, {{"--port"}, {"--module"}}, parsed, portName)) return usage;
    if (parsed.positional.size() != 1) return usageError("download needs exactly one OUT file");
    const std::string& out = parsed.positional.front();

    TransferSession run(portName, Settings{});
    // An empty show, as the "new" command makes it: no questions, descriptions cleared.
    auto doc = std::make_unique<CVistrelDoc>();
    const bool fromModule = parsed.switches.count("--module") != 0;
    const bool read = fromModule ? run.transfer.loadFromModule(*doc, nullptr)
                                 : run.transfer.loadFromProjector(*doc, nullptr);
    // A broken read has been reported; a partial show is not saved as if it were whole.
    if (!read) return 1;
    return writeShowFile(*doc, out, run.session.prompter()) ? 0 : 1;
}

}  // namespace

int runProjector(const Args& args) {
    if (args.empty()) return usageError("missing projector command");
    const std::string& command = args.front();
    if (command == "--help" || command == "help") {
        std::fputs(kProjectorHelp, stdout);
        return 0;
    }
    const Args rest(args.begin() + 1, args.end());
    const std::map<std::string, int (*)(const Args&)> commands = {
        {"version", runVersion},
        {"upload", runUpload},
        {"download", runDownload},
    };
    const auto it = commands.find(command);
    if (it == commands.end()) return usageError("unknown projector command '" + command + "'");
    return it->second(rest);
}

}  // namespace vistrel::cli
