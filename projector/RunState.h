#pragma once
// The projector's run state as the program sees it. One per process (there is one
// projector), shared by every document window, the info window and the transfers.
namespace vistrel {

struct RunState {
    bool showRunning = false;
    int pauseState = 0;       // 0 running, 1 halted by the user, 2 stopped at a pause line
    int lastShownLine = 1;    // 0-based; -1 = none (after a stop or the end of a show)
    bool justStarted = true;  // the next poll must not conclude that the show has ended
    bool replyPending = false;  // another sequence is between AZ and its reply
    bool homingDialogOpen = false;
};

}  // namespace vistrel
