#pragma once
// What the info window shows and when it stops the show: each 700 ms tick asks the
// projector for its line, fills the window's fields from that line of the active
// show, counts down the time left on the line, and tells the window when the show
// has ended, has gone back (autoreverse) or does not match the show in the editor.
// The window binds the fields to its labels and runs the stop when told.
#include <cstdint>
#include <string>

#include "model/CVistrelDoc.h"
#include "model/Settings.h"
#include "platform/Prompter.h"
#include "projector/ProjectorProtocol.h"
#include "projector/RunState.h"

namespace vistrel {

// The window's fields, as UTF-8 texts.
struct InfoFields {
    std::string programNumber;  // the projector's AZ reply as received
    std::string slide;          // "%03d"
    std::string special;        // "%03d"
    std::string dissolve;       // "%5.1f" seconds
    std::string timer;          // "%5.1f" seconds
    std::string remaining;      // "%5.1f" seconds, or "Pause !"
    std::string description;
};

class InfoMonitor {
public:
    static constexpr int TickMs = 700;
    // Time the line's countdown loses per tick, in tenths.
    static constexpr int TickTenths = 7;
    static constexpr int NoLineYet = -999;

    enum class TickResult {
        Continue,
        Stop,      // the window must stop the show now
        LinkLost,  // no answer for as long as the run's poll waits: reported, the window
                   // closes without stopping anything (there is nobody to stop)
    };

    InfoMonitor(ProjectorProtocol& protocol, const RunState& runState, const Settings& settings, Prompter& prompter);

    // One tick against the active show (null when no show window is open). Stop: the
    // window must stop the show now (stopShow, then close and open the homing wait).
    // A tick without an answer changes nothing on the window.
    TickResult tick(CVistrelDoc* activeDoc);
    // The stop button: EN after the wait; a failure is not reported, as the homing
    // wait repeats EN on its own.
    void stopShow();

    const InfoFields& fields() const { return fields_; }
    int shownLine() const { return shownLine_; }
    int remaining() const { return remaining_; }

private:
    ProjectorProtocol& protocol_;
    const RunState& run_;
    const Settings& settings_;
    Prompter& prompter_;
    InfoFields fields_;
    bool warnedMismatch_ = false;
    int shownLine_ = NoLineYet;
    int remaining_ = 0;
    // Since when the projector has answered nothing; -1 while it answers.
    std::int64_t silentSinceMs_ = -1;
};

}  // namespace vistrel
