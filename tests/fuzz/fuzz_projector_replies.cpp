// Whatever a projector (or a line gone bad) sends back: the link, the protocol and the
// show transfer must end, without a crash, on virtual time. The bytes are handed out
// one per read, whatever was written; once they are used up the line is silent.
#include <cstdint>
#include <deque>
#include <memory>

#include "model/ApplicationState.h"
#include "model/CVistrelDoc.h"
#include "model/Settings.h"
#include "platform/EventPump.h"
#include "platform/ProgressWindows.h"
#include "platform/fake/RecordingPrompter.h"
#include "platform/fake/VirtualClock.h"
#include "projector/ProjectorLink.h"
#include "projector/ProjectorProtocol.h"
#include "projector/RunState.h"
#include "projector/ShowTransfer.h"
#include "tests/projector/ScriptedSerialPort.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vistrel;
    VirtualClock clock;
    test::ScriptedSerialPort port{clock};
    port.devices["COM2"] = test::silentDevice();
    RecordingPrompter prompter;
    ProjectorLink link(port, clock, prompter, "");
    link.connected = true;
    link.blockDelay = 0;
    if (link.openPort() != 0) return 0;
    port.input.assign(data, data + size);

    NoEventPump events;
    NoProgressWindows progress;
    ProjectorProtocol protocol(link, clock, prompter, events, progress);
    Settings settings;
    ApplicationState appState;
    RunState runState;
    ShowTransfer transfer(protocol, settings, appState, runState, prompter, clock, events, progress);

    const auto doc = std::make_unique<CVistrelDoc>();
    protocol.showProjectorVersion();
    transfer.readShowFromProjector(*doc, size % 2 == 0);
    if (doc->lineCount < 0 || doc->lineCount > MaxProgramLines) __builtin_trap();
    transfer.loadModule(*doc);
    return 0;
}
