#include "projector/ShowPlayer.h"

#include <algorithm>
#include <cctype>

#include "model/Cp1252.h"
#include "model/DecimalText.h"
#include "res/StringTable.h"
#include "res/strings/RunStrings.h"
#include "res/strings/SafetyStrings.h"
#include "res/strings/ShellStrings.h"

namespace vistrel {

namespace {

std::string trimmed(const std::string& text) {
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    const auto first = std::find_if_not(text.begin(), text.end(), blank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

// "j N" (also "j N" without the blank): the program line N, or nothing.
std::optional<int> jumpLineOf(const std::string& command) {
    if (command.size() < 2 || command[0] != 'j') return std::nullopt;
    const std::string number = trimmed(command.substr(1));
    if (number.empty() || number.size() > 3 ||
        !std::all_of(number.begin(), number.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
        return std::nullopt;
    return decimalValue(number);
}

}  // namespace

ShowPlayer::ShowPlayer(RunControl& control, ProjectorProtocol& protocol, RunState& runState, Clock& clock,
                       PlayerTerminal& terminal)
    : control_(control), protocol_(protocol), run_(runState), clock_(clock), terminal_(terminal) {}

// --- what the list and the status bar would show ----------------------------------------

std::vector<int> ShowPlayer::selectedRows() {
    if (fromRow_ < 0) return {};
    return {fromRow_};
}

void ShowPlayer::printRow(int row) {
    // A row past the show (a projector that holds a longer one) has no description.
    const bool inShow = doc_ && row < doc_->lineCount;
    const std::string description = inShow ? cp1252ToUtf8(doc_->lines[row].description.view()) : std::string();
    terminal_.printLine(zeroPadded(row + 1, 3) + "\t" + description);
    lastPrintedRow_ = row;
}

void ShowPlayer::followLine(int row) {
    // The poll looks every 700 ms: short lines may have run in between. A script reading
    // along must see every line the show passed, in order; after a jump or the way back
    // of an autoreverse only the line reached counts.
    const int first = !jumped_ && row > lastPrintedRow_ ? lastPrintedRow_ + 1 : row;
    jumped_ = false;
    for (int r = first; r <= row; ++r) printRow(r);
}

void ShowPlayer::showEnded(int) {
    ended_ = true;
    // The lines that ran out between the last poll and the end, up to the end row.
    if (doc_) {
        for (int r = lastPrintedRow_ + 1; r < doc_->lineCount && doc_->lines[r].slideNumber != 0; ++r) printRow(r);
    }
    terminal_.printLine(res::text(ids::PlayerEndOfShow));
}

void ShowPlayer::pauseStateChanged() {
    // Only reaching a pause line is news; a halt by the user is the user's own doing,
    // and the first half of a double pause leaves the show where it stands.
    if (run_.pauseState == 2 && shownPauseState_ != 2) terminal_.printLine(res::text(ids::IndicatorPause));
    shownPauseState_ = run_.pauseState;
}

void ShowPlayer::openHomingWait() {
    homing_.emplace(protocol_, run_, clock_);
    nextHomingTickMs_ = clock_.nowMs() + HomingWait::TickMs;
}

// --- the user's commands ----------------------------------------------------------------

bool ShowPlayer::obey(const std::string& typed, CVistrelDoc& doc) {
    // Once stopping, the show only goes home.
    if (stopping_) return true;
    const std::string command = trimmed(typed);
    if (command.empty()) {
        // As Space in the list: at a pause line this is what moves the show on.
        const int before = run_.pauseState;
        control_.pauseContinue(doc, *this);
        // The user's own halt is said too, so that a script knows the show stands.
        if (before == 0 && run_.pauseState == 1) terminal_.printLine(res::text(ids::PlayerPaused));
        if (before == 1 && run_.pauseState == 0) terminal_.printLine(res::text(ids::PlayerContinued));
    } else if (command == "n") {
        control_.stepForward(doc, *this);
    } else if (command == "s") {
        return stopRun(doc);
    } else if (const auto line = jumpLineOf(command)) {
        if (*line < 1 || *line > doc.lineCount) {
            terminal_.printNote("j takes a program line 1 .. " + std::to_string(doc.lineCount) + ", not " +
                                std::to_string(*line));
        } else {
            doc.jumpTarget = *line - 1;
            jumped_ = true;
            control_.jump(doc, *this);
        }
    } else {
        terminal_.printNote("unknown command '" + command +
                            "': an empty line pauses or continues, n steps forward, j N jumps to line N, s stops");
    }
    return true;
}

bool ShowPlayer::stopRun(CVistrelDoc& doc) {
    if (!control_.stop(doc, *this)) return false;
    stopping_ = true;
    return true;
}

bool ShowPlayer::interrupt(CVistrelDoc& doc) {
    // Ctrl+C ends the command now: the show does not run on unattended, but nobody
    // waits for the tray to come home either ("Abbruch").
    interrupted_ = true;
    if (!stopping_ && !stopRun(doc)) return false;
    if (homing_) {
        if (!homing_->finished()) homing_->cancel();
        homing_.reset();
    }
    return true;
}

bool ShowPlayer::tickHomingWait() {
    if (!homing_ || clock_.nowMs() < nextHomingTickMs_) return true;
    const HomingWait::TickResult result = homing_->tick();
    nextHomingTickMs_ += HomingWait::TickMs;
    if (nextHomingTickMs_ <= clock_.nowMs()) nextHomingTickMs_ = clock_.nowMs() + HomingWait::TickMs;
    if (result == HomingWait::TickResult::Waiting) return true;
    homing_.reset();
    return result == HomingWait::TickResult::Home;
}

bool ShowPlayer::waitForUser(std::int64_t dueMs, CVistrelDoc& doc) {
    if (homing_) dueMs = std::min(dueMs, nextHomingTickMs_);
    const std::int64_t now = clock_.nowMs();
    std::string line;
    switch (terminal_.waitForInput(static_cast<int>(std::max<std::int64_t>(0, dueMs - now)), line)) {
        case PlayerTerminal::Input::Line: return obey(line, doc);
        case PlayerTerminal::Input::Interrupt: return interrupt(doc);
        case PlayerTerminal::Input::Nothing: return true;
    }
    return true;
}

// --- the runs ---------------------------------------------------------------------------

ShowPlayer::Outcome ShowPlayer::play(CVistrelDoc& doc, int fromRow) {
    doc_ = &doc;
    fromRow_ = fromRow;
    // The show starts at the marked row (the first row marks none): lines before it are not passed.
    lastPrintedRow_ = std::max(fromRow, 0) - 1;
    if (!control_.start(doc, *this, *this)) return Outcome::Failed;

    std::int64_t nextPollMs = clock_.nowMs() + RunControl::PollIntervalMs;
    for (;;) {
        if (!tickHomingWait()) return Outcome::Failed;
        if (polling_ && clock_.nowMs() >= nextPollMs) {
            const RunControl::PollResult result = control_.poll(doc, *this);
            if (result == RunControl::PollResult::LinkLost) return Outcome::Failed;
            if (result == RunControl::PollResult::Ended) {
                if (ended_) return Outcome::Ended;
                return interrupted_ ? Outcome::Interrupted : Outcome::Stopped;
            }
            // A timer that fell behind (a long exchange) ticks once, not once for each
            // interval it missed.
            nextPollMs += RunControl::PollIntervalMs;
            if (nextPollMs <= clock_.nowMs()) nextPollMs = clock_.nowMs() + RunControl::PollIntervalMs;
        }
        if (!waitForUser(nextPollMs, doc)) return Outcome::Failed;
        if (interrupted_) return Outcome::Interrupted;
    }
}

ShowPlayer::Outcome ShowPlayer::stop(CVistrelDoc& doc) {
    doc_ = &doc;
    if (!stopRun(doc)) return Outcome::Failed;
    while (homing_) {
        if (!tickHomingWait()) return Outcome::Failed;
        if (homing_ && !waitForUser(nextHomingTickMs_, doc)) return Outcome::Failed;
    }
    return interrupted_ ? Outcome::Interrupted : Outcome::Stopped;
}

}  // namespace vistrel
