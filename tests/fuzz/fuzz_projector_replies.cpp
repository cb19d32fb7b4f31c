// Whatever a projector (or a line gone bad) sends back: the link, the protocol and the
// show transfer must end, without a crash, on virtual time. The bytes are handed out
// one per read, whatever was written; once they are used up the line is silent.
#include <cstdint>
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

namespace {

// The input arrives as it is read. A purge only drops what had already come in, so
// it must not throw the rest of the input away: the protocol purges before its first
// command, and a plain queue would leave every run with a silent line.
class ArrivingBytesPort final : public vistrel::test::ScriptedSerialPort {
public:
    using ScriptedSerialPort::ScriptedSerialPort;

    const std::uint8_t* next = nullptr;
    const std::uint8_t* end = nullptr;

    int readByte() override {
        if (isOpen() && next != end) {
            ++readAttempts;
            return *next++;
        }
        return ScriptedSerialPort::readByte();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vistrel;
    VirtualClock clock;
    ArrivingBytesPort port{clock};
    port.devices["COM2"] = test::silentDevice();
    RecordingPrompter prompter;
    prompter.fallbackAnswer = MessageAnswer::Yes;  // go on wherever the program asks
    ProjectorLink link(port, clock, prompter, "");
    link.connected = true;
    link.blockDelay = 0;
    if (link.openPort() != 0) return 0;
    port.next = data;
    port.end = data + size;

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
    if (doc->lineCount < 0 || doc->lineCount > MaxProgramLines) __builtin_trap();
    return 0;
}
