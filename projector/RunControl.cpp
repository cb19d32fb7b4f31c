#include "projector/RunControl.h"

#include "model/DecimalText.h"
#include "model/SpecialFunction.h"
#include "res/strings/RunStrings.h"

namespace vistrel {

namespace {

constexpr int CommandNotEchoed = 1;  // failure code for reportProjectorError

// The projector needs its time after GZ before it can tell where it is.
constexpr int AfterStartMs = 1000;
// Pauses of the jump sequence around its commands.
constexpr int AfterHaltMs = 250;
constexpr int AfterJumpMs = 150;
constexpr int AfterContinueMs = 250;
constexpr int JumpAttempts = 6;

constexpr int ReplyLength = 20;      // longest AZ reply read
constexpr int LineReplyLength = 24;  // longest LZ reply read
// In an LZ reply "%03d %03d %03d %04d %03d" the special-function code starts here.
constexpr std::size_t LineReplyCodeOffset = 17;

constexpr int PauseLightFunction = 70;  // "Ab-/Aufblenden mit Pause" without parameter

}  // namespace

RunControl::RunControl(ProjectorProtocol& protocol, ShowTransfer& transfer, Settings& settings,
                       ApplicationState& appState, RunState& runState, Prompter& prompter, Clock& clock)
    : protocol_(protocol),
      transfer_(transfer),
      settings_(settings),
      appState_(appState),
      run_(runState),
      prompter_(prompter),
      clock_(clock) {}

bool RunControl::isPauseLine(const ProgramLine& line) {
    return line.timerTime == 0 || line.specialFunction % 100 == PauseLightFunction;
}

bool RunControl::isDoublePause(const ProgramLine& line) {
    return line.timerTime == 0 && line.specialFunction % 100 == PauseLightFunction;
}

bool RunControl::isAutoreverseCode(int code) {
    if (code < 0) return false;
    const auto mechanical = static_cast<MechanicalFunction>(splitSpecialFunction(code).mechanical);
    return mechanical == MechanicalFunction::Autoreverse || mechanical == MechanicalFunction::SlaveAtStartAutoreverse ||
           mechanical == MechanicalFunction::SlaveInMiddleAutoreverse;
}

int RunControl::specialFunctionOfLineReply(const std::string& reply) {
    if (reply.size() <= LineReplyCodeOffset) return 0;
    return decimalValue(std::string_view(reply).substr(LineReplyCodeOffset));
}

bool RunControl::askCurrentLine(std::string& reply) {
    reply.clear();
    run_.replyPending = true;
    const bool answered =
        protocol_.sendCommand(command::CurrentLine) >= 0 && protocol_.link().readLine(reply, ReplyLength) >= 0;
    run_.replyPending = false;
    return answered;
}

// --- start ------------------------------------------------------------------------------

bool RunControl::start(CVistrelDoc& doc, RunView& view, RunWindows& windows) {
    std::vector<int> selected = view.selectedRows();

    // The projector must hold this show. With differential transfer the user decides
    // whether a show that differs is written first.
    bool uploadRan = false;
    int uploaded = ShowTransfer::UploadNothingSent;
    if (!settings_.differentialTransfer) {
        uploadRan = true;
        uploaded = transfer_.uploadShow(doc, ShowTransfer::WorkingMemory);
    } else if (doc.differsFromProjector(true, appState_.projectorShowTitle)) {
        if (prompter_.showMessage(ids::UploadBeforeStart, MessageIcon::Question, MessageButtons::YesNo) ==
            MessageAnswer::Yes) {
            uploadRan = true;
            uploaded = transfer_.uploadShow(doc, ShowTransfer::WorkingMemory);
        }
    }
    // A start position is one marked row; several marked rows mean no position.
    if (selected.size() > 1) selected.clear();
    if (doc.lineCount <= 0) {
        prompter_.showMessage(ids::EmptyShowNoStart, MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    // A failed write has been reported; the projector may hold half a show.
    if (uploadRan && uploaded != ShowTransfer::UploadDone) return false;

    protocol_.connect();
    protocol_.reportProjectorError(0);
    if (protocol_.sendCommand(command::OpenOperation) < 0) {
        protocol_.reportProjectorError(CommandNotEchoed);
        return false;
    }
    if (protocol_.sendLampLevel(ProjectorProtocol::lampLevel(settings_.lampBrightness)) < 0) {
        protocol_.reportProjectorError(CommandNotEchoed);
        return false;
    }

    int startLine = 0;  // GZ:000 runs the show from its beginning
    if (selected.size() == 1 && selected.front() != 0) {
        switch (prompter_.showMessage(ids::StartAtMarkedRow, MessageIcon::Question, MessageButtons::YesNoCancel)) {
            case MessageAnswer::Yes: startLine = selected.front() + 1; break;
            case MessageAnswer::No: break;
            default: return false;
        }
    }

    run_.justStarted = true;
    protocol_.waitReady();
    // The projector may have started all the same; the poll will tell.
    if (protocol_.sendStartAt(startLine) < 0) protocol_.reportProjectorError(CommandNotEchoed);
    clock_.sleepMs(AfterStartMs);
    // Only to take the projector's answer off the line; where it stands is the poll's business.
    std::string ignored;
    askCurrentLine(ignored);

    if (settings_.infoWindowAtStart && !windows.infoWindowOpen()) windows.openInfoWindow();
    view.clearSelection();
    view.startPolling();
    silentSinceMs_ = -1;
    startedAtMs_ = clock_.nowMs();
    lineSeen_ = false;
    run_.showRunning = true;
    view.updateViews();
    return true;
}

// --- poll -------------------------------------------------------------------------------

RunControl::PollResult RunControl::poll(CVistrelDoc& doc, RunView& view) {
    bool stopPolling = !run_.showRunning;
    if (!(settings_.infoWindowAtStart && run_.homingDialogOpen)) view.focusList();

    PollResult result = PollResult::Skipped;
    bool ended = false;
    if (!run_.replyPending && !run_.homingDialogOpen) {
        std::string reply;
        if (!askCurrentLine(reply)) {
            // Silence is not the end of a show: the projector may be busy for a moment,
            // or gone. Only a projector that stays silent ends the run, with a message.
            // Late bytes of the lost exchange must not be taken for the next one.
            protocol_.reportProjectorError(0);
            if (stopPolling) {
                endRun(doc, view);
                return PollResult::Ended;
            }
            const std::int64_t now = clock_.nowMs();
            if (silentSinceMs_ < 0) silentSinceMs_ = now;
            if (now - silentSinceMs_ < LinkLostMs) return PollResult::NoAnswer;
            protocol_.reportLinkLost();
            return giveUp(doc, view);
        }
        silentSinceMs_ = -1;
        result = PollResult::Polled;

        int current = decimalValue(reply) - 1;
        if (current >= 0) {
            lineSeen_ = true;
        } else if (!lineSeen_ && !stopPolling && clock_.nowMs() - startedAtMs_ >= LinkLostMs) {
            // The projector answers, but has run no line since the start (its GZ went
            // astray): waiting on would leave the program "running" until the user stops it.
            protocol_.reportProjectorError(CommandNotEchoed);
            return giveUp(doc, view);
        }
        if (current < run_.lastShownLine) {
            // The line number fell back: the tray went back (autoreverse) or the show is over.
            // The line after the last one seen says which.
            std::string lineReply;
            if (protocol_.sendReadLine(run_.lastShownLine + 2) >= 0) {
                protocol_.link().readLine(lineReply, LineReplyLength);
            }
            if (isAutoreverseCode(specialFunctionOfLineReply(lineReply))) {
                run_.lastShownLine = -998;  // so that the list follows to wherever it went
            } else if (!run_.justStarted) {
                stopPolling = true;
                ended = true;
                run_.showRunning = false;
                current = run_.lastShownLine + 1;  // the end row of the list
            }
        }

        if (current >= 0 && current != run_.lastShownLine) {
            if (ended) {
                view.showEnded(current);
            } else {
                view.followLine(current);
            }
            doc.runningLine = current;
            if (run_.pauseState == 0 && current < doc.lineCount && isPauseLine(doc.lines[current])) {
                run_.pauseState = 2;
                view.pauseStateChanged();
                // Set for this pause line alone: a flag left from an earlier double pause
                // would make this one need two continuations and skip a line.
                doc.specialPauseActive = isDoublePause(doc.lines[current]);
            }
        }
        run_.lastShownLine = current;
    }
    run_.justStarted = false;

    if (stopPolling) {
        endRun(doc, view);
        if (ended) view.updateViews();
        return PollResult::Ended;
    }
    return result;
}

RunControl::PollResult RunControl::giveUp(CVistrelDoc& doc, RunView& view) {
    run_.showRunning = false;
    endRun(doc, view);
    view.updateViews();
    return PollResult::LinkLost;
}

void RunControl::endRun(CVistrelDoc&, RunView& view) {
    view.stopPolling();
    run_.pauseState = 0;
    run_.lastShownLine = -1;
    run_.justStarted = true;
    view.pauseStateChanged();
}

// --- pause, step, jump ------------------------------------------------------------------

void RunControl::pauseContinue(CVistrelDoc& doc, RunView& view) {
    protocol_.reportProjectorError(0);
    doc.commandBusy = true;
    protocol_.waitReady();
    int sent = 0;
    switch (run_.pauseState) {
        case 0:
            sent = protocol_.sendCommand(command::Halt);
            run_.pauseState = 1;
            break;
        case 1:
            sent = protocol_.sendCommand(command::Continue);
            run_.pauseState = 0;
            break;
        default:
            // At a pause line the projector goes on with BV. A line that pauses twice
            // (timer 0 and "Ab-/Aufblenden mit Pause") needs two of them.
            sent = protocol_.sendCommand(command::NextImage);
            if (doc.specialPauseActive) {
                doc.specialPauseActive = false;
            } else {
                run_.pauseState = 0;
            }
            break;
    }
    if (sent < 0) {
        protocol_.reportProjectorError(CommandNotEchoed);
    } else {
        view.pauseStateChanged();
        protocol_.waitReady();
    }
    doc.commandBusy = false;
}

void RunControl::stepForward(CVistrelDoc& doc, RunView& view) {
    protocol_.waitReady();
    if (doc.commandBusy) {
        prompter_.beep();
        return;
    }
    protocol_.sendCommand(command::NextImage);  // a lost BV shows as a picture that did not move
    run_.pauseState = 0;
    view.pauseStateChanged();
}

void RunControl::jump(CVistrelDoc& doc, RunView& view) {
    const int target = doc.jumpTarget;
    for (int attempt = 1; attempt <= JumpAttempts; ++attempt) {
        // A user who would not wait for the projector wants no further attempt either.
        if (attempt > 1 && protocol_.userStopped()) {
            prompter_.beep();
            return;
        }
        run_.lastShownLine = -1;
        if (run_.pauseState == 0) {
            protocol_.waitReady();
            protocol_.sendCommand(command::Halt);
            clock_.sleepMs(AfterHaltMs);
        }
        protocol_.waitReady();
        if (protocol_.sendStartAt(target + 1) < 0) {
            prompter_.beep();
            return;
        }
        clock_.sleepMs(AfterJumpMs);
        protocol_.waitReady();
        protocol_.waitReady();
        protocol_.sendCommand(command::Continue);
        clock_.sleepMs(AfterContinueMs);
        std::string reply;
        if (!askCurrentLine(reply)) {
            prompter_.beep();
            return;
        }
        // Projectors differ in what they name right after the jump: the target itself
        // (the virtual projector does), or still the line before it, or the one before
        // that. Any of the three means the jump has landed.
        const int reported = decimalValue(reply);
        if (reported == target + 1 || reported == target || reported == target - 1) break;
    }
    // After the last attempt the show runs wherever the projector put it.
    if (run_.pauseState != 0) {
        run_.pauseState = 0;
        view.pauseStateChanged();
    }
}

// --- stop and info ----------------------------------------------------------------------

bool RunControl::stop(CVistrelDoc& doc, RunWindows& windows) {
    protocol_.connect();
    protocol_.waitReady();
    if (protocol_.sendCommand(command::EndShow) < 0) {
        protocol_.reportProjectorError(CommandNotEchoed);
        return false;
    }
    if (settings_.infoWindowAtStart && windows.infoWindowOpen()) windows.closeInfoWindow();
    run_.lastShownLine = -1;
    // The run is over once the projector is home; the homing wait says so.
    if (!run_.homingDialogOpen) windows.openHomingWait();
    doc.commandBusy = false;
    return true;
}

bool RunControl::info(RunWindows& windows) {
    protocol_.connect();
    protocol_.reportProjectorError(0);
    if (protocol_.sendCommand(command::OpenOperation) < 0) {
        protocol_.reportProjectorError(CommandNotEchoed);
        return false;
    }
    if (!windows.infoWindowOpen()) windows.openInfoWindow();
    return true;
}

}  // namespace vistrel
