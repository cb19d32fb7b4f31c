#pragma once
// What every "vistrel-cli projector ..." command shares: the port named by --port,
// one connection to the projector wired as the window program wires its link, the
// state the window program keeps around a transfer, and the options and texts the
// commands have in common.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/CommandRegistry.h"
#include "cli/ConsolePrompter.h"
#include "cli/Interrupt.h"
#include "cli/TerminalProgressWindows.h"
#include "model/ApplicationState.h"
#include "model/Settings.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/qt/core/QtSerialPort.h"
#include "projector/ProjectorLink.h"
#include "projector/ProjectorProtocol.h"
#include "projector/RunState.h"
#include "projector/ShowTransfer.h"

namespace vistrel::cli {

// One connection to the projector for the length of a command, set up as the
// window program sets up its link; the port and the log are closed at the end. The
// terminal gets every message the window program would show, in the same order: the
// search's word on what it found, then that of the command that failed. Ctrl+C ends
// the waits and transfers of the session (see Interrupt.h).
class ProjectorSession {
public:
    explicit ProjectorSession(const std::string& portName);
    ~ProjectorSession();
    ProjectorSession(const ProjectorSession&) = delete;
    ProjectorSession& operator=(const ProjectorSession&) = delete;

    ProjectorProtocol& protocol() { return protocol_; }
    ConsolePrompter& prompter() { return prompter_; }
    ProjectorLink& link() { return link_; }
    Clock& clock() { return clock_; }
    EventPump& events() { return events_; }
    ProgressWindows& progress() { return progress_; }

private:
    // Ctrl+C ends the command within a second, with the port closed and the log written.
    InterruptWatch interrupts_;
    QtSerialPort port_;
    InterruptibleClock clock_;
    ConsolePrompter prompter_;
    NoEventPump events_;
    TerminalProgressWindows progress_;
    ProjectorLink link_;
    ProjectorProtocol protocol_;
};

// The show transfer on a session, with the state the window program would keep.
struct TransferSession {
    TransferSession(const std::string& portName, const Settings& options);

    ProjectorSession session;
    Settings settings;
    ApplicationState appState;
    RunState runState;
    ShowTransfer transfer;
};

// Reads the show FILE that a projector command is to send, as "Öffnen" reads it, and
// refuses it (before any port is opened) when a value would not fit the projector's
// records; the messages name the file. `doc` gets the file's name as its title.
bool readShowToSend(CVistrelDoc& doc, const std::string& file, const Settings& settings);

// The port named by --port as "COMn", or nothing (after a usage error) when it
// names none. A device path is used as COM2 by pointing VISTREL_COM2 at it.
std::optional<std::string> portOf(const CommandLine& line);

// --lamp PERCENT into the settings; false (after a usage error) when it is no
// percentage 1 .. 100.
bool readLampOption(const CommandLine& line, Settings& settings);

OptionDefinition portOption();
OptionDefinition lampOption();
OptionDefinition differentialOption();
// What PORT may be and where the traffic is logged, for the commands' help.
extern const char* const kPortNotes;
std::vector<std::pair<int, std::string>> projectorExitCodes();

}  // namespace vistrel::cli
