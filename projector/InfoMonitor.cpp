#include "projector/InfoMonitor.h"

#include <algorithm>

#include "model/Cp1252.h"
#include "model/DecimalText.h"
#include "model/ShowLength.h"
#include "projector/RunControl.h"
#include "res/StringTable.h"
#include "res/strings/RunStrings.h"

namespace vistrel {

namespace {

constexpr int ReplyLength = 20;
constexpr int LineReplyLength = 24;

}  // namespace

InfoMonitor::InfoMonitor(ProjectorProtocol& protocol, const RunState& runState, const Settings& settings,
                         Prompter& prompter)
    : protocol_(protocol), run_(runState), settings_(settings), prompter_(prompter) {}

InfoMonitor::TickResult InfoMonitor::tick(CVistrelDoc* doc) {
    std::string reply;
    const bool answered =
        protocol_.sendCommand(command::CurrentLine) >= 0 && protocol_.link().readLine(reply, ReplyLength) >= 0;
    if (!answered) {
        // Late bytes of a lost exchange must not be taken for the next one.
        protocol_.reportProjectorError(0);
        // Silence is not the end of the show: the window keeps what it showed. A projector
        // that stays silent is given up after as long as the run's own poll waits, and
        // without a stop, which would only wait for it once more.
        const std::int64_t now = protocol_.link().clock().nowMs();
        if (silentSinceMs_ < 0) silentSinceMs_ = now;
        if (now - silentSinceMs_ < RunControl::LinkLostMs) return TickResult::Continue;
        protocol_.reportLinkLost();
        return TickResult::LinkLost;
    }
    silentSinceMs_ = -1;
    fields_.programNumber = cp1252ToUtf8(reply);
    const int line = decimalValue(reply) - 1;  // no line, or no number: -1

    // Without a show window there is no show to compare with: the window then shows
    // the projector's line number alone and still sees the end of the show.
    const int lineCount = doc ? doc->lineCount : 0;
    if (doc != nullptr && line > lineCount && !warnedMismatch_) {
        warnedMismatch_ = true;
        prompter_.showMessage(ids::ShowMismatch, MessageIcon::Exclamation, MessageButtons::Ok);
        return TickResult::Stop;
    }

    // Only lines of the show have values to show; a projector line past the end (after
    // the mismatch warning) shows as unknown rather than as whatever the storage holds.
    const bool known = doc != nullptr && line >= 0 && line < lineCount;
    const ProgramLine* shown = known ? &doc->lines[static_cast<std::size_t>(line)] : nullptr;
    const std::string unknown = res::text(ids::InfoUnknown);
    fields_.slide = shown ? zeroPadded(shown->slideNumber, 3) : unknown;
    fields_.special = shown ? zeroPadded(shown->specialFunction, 3) : unknown;

    if (line >= 0 && line != shownLine_) {
        // A new line: its whole duration is left. With timer 0 it waits for the user,
        // and the field keeps what it showed until the pause is known.
        shownLine_ = line;
        remaining_ = shown ? shown->timerTime : 0;
        if (remaining_ > 0) {
            remaining_ = computeShowLength(*doc, line, settings_.showTotalLength).length;
            fields_.remaining = secondsText(std::max(remaining_, 0));
        }
    } else {
        if (shownLine_ == NoLineYet && line == -1) remaining_ = 0;
        if (run_.pauseState == 0) remaining_ -= TickTenths;
        fields_.remaining = secondsText(std::max(remaining_, 0));
    }

    fields_.timer = shown ? secondsText(shown->timerTime) : unknown;
    if (run_.pauseState == 2) fields_.remaining = res::text(ids::InfoPause);
    fields_.dissolve = shown ? secondsText(shown->dissolveTime) : unknown;
    if (line >= 0) fields_.description = shown ? cp1252ToUtf8(shown->description.view()) : unknown;

    if (line < shownLine_) {
        // No line any more after lines were shown: the tray went back, or the show is over.
        std::string lineReply;
        if (protocol_.sendReadLine(shownLine_ + 2) >= 0) protocol_.link().readLine(lineReply, LineReplyLength);
        if (!RunControl::isAutoreverseCode(RunControl::specialFunctionOfLineReply(lineReply))) return TickResult::Stop;
        fields_.description = res::text(ids::InfoAutoreverse);
    } else if (line == -1) {
        fields_.description = res::text(ids::EndOfShowReached);
        return TickResult::Stop;
    }
    return TickResult::Continue;
}

void InfoMonitor::stopShow() {
    protocol_.connect();
    protocol_.waitReady();
    protocol_.sendCommand(command::EndShow);
}

}  // namespace vistrel
