#include "projector/HomingWait.h"

#include <algorithm>
#include <string>

#include "model/DecimalText.h"

namespace vistrel {

namespace {

// EN again every fifteenth tick (3.75 s): a projector that missed it gets another.
constexpr int RepeatEveryTicks = 15;
// The counter starts over here, so that the bar runs again.
constexpr int CounterWrap = 100;
constexpr int ReplyLength = 20;

}  // namespace

HomingWait::HomingWait(ProjectorProtocol& protocol, RunState& runState, Clock& clock)
    : protocol_(protocol), run_(runState), clock_(clock) {
    run_.homingDialogOpen = true;
}

HomingWait::~HomingWait() {
    if (!finished_) finish(false);
}

void HomingWait::heard(bool answered) {
    if (answered) {
        silentSinceMs_ = -1;
        return;
    }
    // Late bytes of the lost exchange must not be taken for the next one.
    protocol_.reportProjectorError(0);
    if (silentSinceMs_ < 0) silentSinceMs_ = clock_.nowMs();
}

HomingWait::TickResult HomingWait::tick() {
    if (finished_) return TickResult::Home;
    ++counter_;
    if (counter_ % RepeatEveryTicks == 0) {
        if (counter_ >= CounterWrap) counter_ = 0;
        heard(protocol_.sendCommand(command::EndShow) >= 0);
    } else {
        progress_ = std::min(counter_, 100);
        if (endConfirmed_) {
            const int state = protocol_.statusQuery();
            heard(state != -1);
            if (state == status::Ready) {
                finish(true);
                return TickResult::Home;
            }
        } else {
            std::string reply;
            const bool answered = protocol_.sendCommand(command::CurrentLine) >= 0 &&
                                  protocol_.link().readLine(reply, ReplyLength) >= 0;
            heard(answered);
            // No line runs any more: the show has ended; EN once more sends it home.
            if (answered && decimalValue(reply) == 0) {
                endConfirmed_ = true;
                protocol_.sendCommand(command::EndShow);
            }
        }
    }
    // Without this bound a projector that went away would keep the wait open for ever.
    if (silentSinceMs_ >= 0 && clock_.nowMs() - silentSinceMs_ >= LinkLostMs) {
        protocol_.reportLinkLost();
        finish(false);
        return TickResult::LinkLost;
    }
    return TickResult::Waiting;
}

void HomingWait::finish(bool closeOperation) {
    if (finished_) return;
    finished_ = true;
    run_.showRunning = false;
    run_.pauseState = 0;
    run_.homingDialogOpen = false;
    if (closeOperation) protocol_.sendCommand(command::CloseOperation);
}

}  // namespace vistrel
