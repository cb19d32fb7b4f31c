#pragma once
// The wait for the home position after "Diaschau stoppen": every 250 ms one tick
// that either repeats EN (every fifteenth tick), asks which line still runs until
// none does, or, once that is confirmed, watches the status until the projector
// reports "r". Finishing ends the run; the window that shows the wait (or the
// terminal player) owns one of these for as long as it waits.
#include <cstdint>

#include "platform/Clock.h"
#include "projector/ProjectorProtocol.h"
#include "projector/RunState.h"

namespace vistrel {

class HomingWait {
public:
    static constexpr int TickMs = 250;
    // A projector that has answered nothing at all for this long is given up.
    static constexpr int LinkLostMs = 10000;

    enum class TickResult {
        Waiting,   // not home yet
        Home,      // status "r": finished, PA sent
        LinkLost,  // the projector stopped answering: reported, finished without PA
    };

    // Opening marks the wait as open in the run state.
    HomingWait(ProjectorProtocol& protocol, RunState& runState, Clock& clock);
    // Closed while still waiting: the run ends all the same, without PA.
    ~HomingWait();
    HomingWait(const HomingWait&) = delete;
    HomingWait& operator=(const HomingWait&) = delete;

    TickResult tick();
    // "Abbruch": the run ends here, with PA.
    void cancel() { finish(true); }
    bool finished() const { return finished_; }

    // 0..100 for the progress bar.
    int progress() const { return progress_; }
    bool endConfirmed() const { return endConfirmed_; }

private:
    void finish(bool closeOperation);
    void heard(bool answered);

    ProjectorProtocol& protocol_;
    RunState& run_;
    Clock& clock_;
    int counter_ = 0;
    int progress_ = 0;
    bool endConfirmed_ = false;
    bool finished_ = false;
    std::int64_t silentSinceMs_ = -1;
};

}  // namespace vistrel
