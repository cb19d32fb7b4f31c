#pragma once
// The terminal player: runs a show with the run control the window program uses and
// plays its two timers itself, the 700 ms poll and the 250 ms tick of the wait for
// the home position. Between ticks it waits for the user's commands, one a line:
// an empty line pauses or continues, "n" steps forward, "j N" jumps to program line
// N, "s" stops; an interrupt (Ctrl+C) ends the run at once: the show is stopped, the
// wait for the home position given up ("Abbruch"). It prints each line the show moves
// to (and the lines a poll stepped over, in order), "PAUSE !" when the show stands at a
// pause line, "Pause" and "weiter" when the user halts and continues it, and
// "Diaschauende" at its end.
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "projector/HomingWait.h"
#include "projector/RunControl.h"

namespace vistrel {

// The terminal as the player sees it.
class PlayerTerminal {
public:
    enum class Input {
        Nothing,    // the time-out passed (also every time after the end of input)
        Line,       // the user gave a command
        Interrupt,  // Ctrl+C
    };
    virtual ~PlayerTerminal() = default;
    // Waits at most `timeoutMs` for the user; `line` gets a command without its line end.
    virtual Input waitForInput(int timeoutMs, std::string& line) = 0;
    // One line of output, passed on at once: a script reads it while the show runs.
    virtual void printLine(const std::string& text) = 0;
    // A word to the user about a command that was not understood (not a message box).
    virtual void printNote(const std::string& text) = 0;
};

class ShowPlayer final : private RunView, private RunWindows {
public:
    enum class Outcome {
        Ended,        // the poll saw the end of the show
        Stopped,      // "s": stopped, the projector is home
        Interrupted,  // Ctrl+C: stopped the same way
        Failed,       // the messages have been shown
    };

    ShowPlayer(RunControl& control, ProjectorProtocol& protocol, RunState& runState, Clock& clock,
               PlayerTerminal& terminal);

    // "Diaschau starten" with row `fromRow` selected (-1: none), then the run until it ends.
    Outcome play(CVistrelDoc& doc, int fromRow);
    // "Diaschau stoppen" with its wait for the home position, no show followed.
    Outcome stop(CVistrelDoc& doc);

private:
    // RunView: the terminal stands in for the program list.
    std::vector<int> selectedRows() override;
    void clearSelection() override { fromRow_ = -1; }
    void followLine(int row) override;
    void showEnded(int endRow) override;
    void pauseStateChanged() override;
    void updateViews() override {}
    void startPolling() override { polling_ = true; }
    void stopPolling() override { polling_ = false; }

    // RunWindows: there is no info window here, only the wait for the home position.
    bool infoWindowOpen() const override { return false; }
    void openInfoWindow() override {}
    void closeInfoWindow() override {}
    void openHomingWait() override;

    // Prints program line `row` with its description.
    void printRow(int row);

    // The user's command; false when the run has failed.
    bool obey(const std::string& command, CVistrelDoc& doc);
    bool stopRun(CVistrelDoc& doc);
    // Ctrl+C: stop (unless stopping already) and "Abbruch" of the wait for home.
    bool interrupt(CVistrelDoc& doc);
    // One tick of the homing wait when it is due; false when the projector was lost.
    bool tickHomingWait();
    // Waits for the user until the next timer is due, and does what was asked.
    bool waitForUser(std::int64_t dueMs, CVistrelDoc& doc);

    RunControl& control_;
    ProjectorProtocol& protocol_;
    RunState& run_;
    Clock& clock_;
    PlayerTerminal& terminal_;

    const CVistrelDoc* doc_ = nullptr;
    int fromRow_ = -1;
    bool polling_ = false;
    bool ended_ = false;
    bool stopping_ = false;
    bool interrupted_ = false;
    int shownPauseState_ = 0;
    int lastPrintedRow_ = -1;
    bool jumped_ = false;  // the next line shown is where a jump went, not a line passed
    std::optional<HomingWait> homing_;
    std::int64_t nextHomingTickMs_ = 0;
};

}  // namespace vistrel
