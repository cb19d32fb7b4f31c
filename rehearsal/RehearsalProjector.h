#pragma once
// The projector a rehearsal runs on: a virtual projector in this process behind a
// link of its own, with the program's own show transfer and run control on top, so
// that start, poll, pause, step, jump, stop, the info window and the homing wait
// behave exactly as with the projector on the serial port. That projector, and the
// port it is on, are never touched.
//
// The rehearsal keeps a copy of the settings and of the application state: the show
// is always written in full (the virtual projector starts empty, and writing it
// costs nothing here), nothing is asked about it, and the program's record of which
// show the real projector holds stays as it was.
#include "model/ApplicationState.h"
#include "model/Settings.h"
#include "platform/ProgressWindows.h"
#include "projector/ProjectorLink.h"
#include "projector/ProjectorProtocol.h"
#include "projector/RunControl.h"
#include "projector/ShowTransfer.h"
#include "sim/InProcessSerialPort.h"

namespace vistrel {

class RehearsalProjector {
public:
    RehearsalProjector(const Settings& settings, RunState& runState, Prompter& prompter, Clock& clock,
                       EventPump& events);
    RehearsalProjector(const RehearsalProjector&) = delete;
    RehearsalProjector& operator=(const RehearsalProjector&) = delete;

    RunControl& runControl() { return runControl_; }
    ProjectorProtocol& protocol() { return protocol_; }
    ShowTransfer& transfer() { return transfer_; }
    // The virtual projector, brought up to the clock's time.
    sim::VirtualProjector& projector() { return port_.projector(); }

private:
    static Settings rehearsalSettings(const Settings& settings);

    Settings settings_;
    ApplicationState appState_;
    sim::InProcessSerialPort port_;
    ProjectorLink link_;
    NoProgressWindows progress_;
    ProjectorProtocol protocol_;
    ShowTransfer transfer_;
    RunControl runControl_;
};

}  // namespace vistrel
