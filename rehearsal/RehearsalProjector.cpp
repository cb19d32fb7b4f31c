#include "rehearsal/RehearsalProjector.h"

namespace vistrel {

namespace {

// Any name opens the in-process port; this one says what it is in a debugger.
constexpr const char* PortName = "PROBE";

}  // namespace

Settings RehearsalProjector::rehearsalSettings(const Settings& settings) {
    Settings copy = settings;
    copy.differentialTransfer = false;
    copy.endMarker = true;
    copy.portName = PortName;
    copy.blockDelay = 0;
    return copy;
}

RehearsalProjector::RehearsalProjector(const Settings& settings, RunState& runState, Prompter& prompter,
                                       Clock& clock, EventPump& events)
    : settings_(rehearsalSettings(settings)),
      port_(clock),
      // No log: DIA.LOG records the traffic with the projector on the serial port.
      link_(port_, clock, prompter, std::string()),
      protocol_(link_, clock, prompter, events, progress_),
      transfer_(protocol_, settings_, appState_, runState, prompter, clock, events, progress_),
      runControl_(protocol_, transfer_, settings_, appState_, runState, prompter, clock) {
    link_.portName = PortName;
    link_.blockDelay = 0;
}

}  // namespace vistrel
