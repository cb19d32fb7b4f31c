#pragma once
// Runs a show on the projector and follows it: the start (with the write before it),
// one step of the 700 ms poll, pause/continue, step forward, the jump to a line, the
// stop, and the "Infoanzeige" command. It owns no timer and no window: the document
// window and the terminal player call it from their own timers and commands, and it
// reaches them through RunView and RunWindows. The run state it keeps is the one
// RunState of the process.
#include <cstdint>
#include <string>
#include <vector>

#include "model/ApplicationState.h"
#include "model/CVistrelDoc.h"
#include "model/Settings.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "projector/ProjectorProtocol.h"
#include "projector/RunState.h"
#include "projector/ShowTransfer.h"

namespace vistrel {

// The place that shows the running show: the document window with its program list,
// or the terminal player.
class RunView {
public:
    virtual ~RunView() = default;
    // The rows of the program list the user has selected, ascending.
    virtual std::vector<int> selectedRows() = 0;
    // Before the show starts: no row stays selected.
    virtual void clearSelection() = 0;
    // The show has moved to `row` (0-based; may lie past the last line): that row
    // becomes the only selected one and is scrolled into view.
    virtual void followLine(int row) = 0;
    // The poll saw the end of the show; `endRow` is the row after the last line shown.
    virtual void showEnded(int endRow) { followLine(endRow); }
    // RunState::pauseState changed ("PAUSE !" in the status bar).
    virtual void pauseStateChanged() = 0;
    // Whether a show runs has changed: menus, tool bar and views must follow.
    virtual void updateViews() = 0;
    // The 700 ms poll timer.
    virtual void startPolling() = 0;
    virtual void stopPolling() = 0;
    // The keyboard to the program list, so that Space pauses at once.
    virtual void focusList() {}
};

// The two windows there is at most one of in the program: the info window and the
// wait for the home position.
class RunWindows {
public:
    virtual ~RunWindows() = default;
    virtual bool infoWindowOpen() const = 0;
    virtual void openInfoWindow() = 0;
    virtual void closeInfoWindow() = 0;
    // Opens the homing wait; called only when none is open.
    virtual void openHomingWait() = 0;
};

class RunControl {
public:
    // The poll gives up on a projector that has answered nothing for this long.
    static constexpr int LinkLostMs = 10000;
    static constexpr int PollIntervalMs = 700;

    enum class PollResult {
        Skipped,   // another sequence was between AZ and its reply, or the homing wait is open
        Polled,    // the projector told its line
        NoAnswer,  // the projector did not answer this time; nothing was concluded
        Ended,     // the show has ended (or was stopped): the poll timer is stopped
        LinkLost,  // no answer for LinkLostMs, or no line of the show for LinkLostMs after
                   // the start: reported, and the run is over
    };

    RunControl(ProjectorProtocol& protocol, ShowTransfer& transfer, Settings& settings, ApplicationState& appState,
               RunState& runState, Prompter& prompter, Clock& clock);

    // "Diaschau starten". True when the show was started and the poll runs.
    bool start(CVistrelDoc& doc, RunView& view, RunWindows& windows);
    // One tick of the poll timer.
    PollResult poll(CVistrelDoc& doc, RunView& view);
    // "Pause bzw. weiter" (also Space in the list, and so also at a pause line).
    void pauseContinue(CVistrelDoc& doc, RunView& view);
    // "Bild vorwärts".
    void stepForward(CVistrelDoc& doc, RunView& view);
    // "Springe zur Programmzeile" to doc.jumpTarget.
    void jump(CVistrelDoc& doc, RunView& view);
    // "Diaschau stoppen": EN and the homing wait. False when EN failed (reported).
    bool stop(CVistrelDoc& doc, RunWindows& windows);
    // "Infoanzeige". False when the projector did not take PE (reported).
    bool info(RunWindows& windows);

    // A line at which the projector waits by itself: timer 0, or "Ab-/Aufblenden mit Pause".
    static bool isPauseLine(const ProgramLine& line);
    // Both at once: the projector waits twice.
    static bool isDoublePause(const ProgramLine& line);
    // A line whose mechanical function includes autoreverse (1xx, and the slave
    // triggers with autoreverse 3xx and 5xx) sends the tray back to the first line;
    // a fall-back of the line number over such a line is not the end of the show.
    // Taking only 1xx would end the run, and let the info window stop the projector,
    // while a 3xx or 5xx show goes on round its tray.
    static bool isAutoreverseCode(int code);
    // The special-function code of an LZ reply ("%03d %03d %03d %04d %03d"), 0 when
    // the reply is too short to carry one.
    static int specialFunctionOfLineReply(const std::string& reply);

private:
    // AZ and its reply, with replyPending set meanwhile. False when nothing came back.
    bool askCurrentLine(std::string& reply);
    void endRun(CVistrelDoc& doc, RunView& view);
    // The projector does not follow the run (reported by the caller): the run is over.
    PollResult giveUp(CVistrelDoc& doc, RunView& view);

    ProjectorProtocol& protocol_;
    ShowTransfer& transfer_;
    Settings& settings_;
    ApplicationState& appState_;
    RunState& run_;
    Prompter& prompter_;
    Clock& clock_;
    // Since when the poll has had no answer; -1 while the projector answers.
    std::int64_t silentSinceMs_ = -1;
    // When the run was started, and whether the projector has named a line since. A run
    // this control did not start is not bounded this way.
    std::int64_t startedAtMs_ = 0;
    bool lineSeen_ = true;
};

}  // namespace vistrel
