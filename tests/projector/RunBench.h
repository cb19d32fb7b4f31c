#pragma once
// The run control wired to the in-process virtual projector on virtual time, with a
// stand-in for the document window that records what it was asked to do, and the
// two timers of the window program (the 700 ms poll, the 250 ms homing wait) played
// by plain loops that move the clock on.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "projector/HomingWait.h"
#include "projector/RunControl.h"
#include "tests/projector/ScriptedProjector.h"
#include "tests/projector/ShowTransferBench.h"

namespace vistrel::test {

class RecordingRunView final : public RunView {
public:
    std::vector<int> selection;  // what the user has selected
    std::vector<int> followed;   // every row the list was moved to, in order
    int endRow = -1;
    bool polling = false;
    int pollStarts = 0;
    int selectionClears = 0;
    int pauseChanges = 0;

    std::vector<int> selectedRows() override { return selection; }
    void clearSelection() override {
        selection.clear();
        ++selectionClears;
    }
    void followLine(int row) override { followed.push_back(row); }
    void showEnded(int row) override { endRow = row; }
    void pauseStateChanged() override { ++pauseChanges; }
    void updateViews() override {}
    void startPolling() override {
        polling = true;
        ++pollStarts;
    }
    void stopPolling() override { polling = false; }
};

// The info window and the homing wait as the window program keeps them: at most one each.
class RecordingRunWindows final : public RunWindows {
public:
    RecordingRunWindows(ProjectorProtocol& protocol, RunState& runState, Clock& clock)
        : protocol_(protocol), runState_(runState), clock_(clock) {}

    bool info = false;
    int infoOpens = 0;
    int infoCloses = 0;
    int homingOpens = 0;
    std::optional<HomingWait> homing;

    bool infoWindowOpen() const override { return info; }
    void openInfoWindow() override {
        info = true;
        ++infoOpens;
    }
    void closeInfoWindow() override {
        info = false;
        ++infoCloses;
    }
    void openHomingWait() override {
        ++homingOpens;
        homing.emplace(protocol_, runState_, clock_);
    }

private:
    ProjectorProtocol& protocol_;
    RunState& runState_;
    Clock& clock_;
};

struct RunBench : TransferBench {
    explicit RunBench(sim::ProjectorOptions options = {}) : TransferBench(std::move(options)) {}

    std::unique_ptr<CVistrelDoc> docStorage = std::make_unique<CVistrelDoc>();
    CVistrelDoc& doc = *docStorage;
    RunControl control{protocol, transfer, settings, appState, runState, prompter, clock};
    RecordingRunView view;
    RecordingRunWindows windows{protocol, runState, clock};

    // `count` lines of dissolve 1 s and timer 2 s: each stands 3 s on the projector.
    void plainShow(int count) {
        for (int i = 0; i < count; ++i) addLine(doc, i + 1, 10, 20, 0, "Bild " + std::to_string(i + 1));
    }

    // The window's poll timer: a tick every 700 ms while it runs, for at most `ms`.
    void pollFor(int ms) {
        for (int waited = 0; waited < ms && view.polling; waited += RunControl::PollIntervalMs) {
            clock.advance(RunControl::PollIntervalMs);
            control.poll(doc, view);
        }
    }
    // Polls until the list has been moved to `row`, at most `ms`.
    bool pollUntilFollowed(int row, int ms = 60000) {
        for (int waited = 0; waited < ms && view.polling; waited += RunControl::PollIntervalMs) {
            if (!view.followed.empty() && view.followed.back() == row) return true;
            clock.advance(RunControl::PollIntervalMs);
            control.poll(doc, view);
        }
        return !view.followed.empty() && view.followed.back() == row;
    }
    // The homing window's timer until it finishes, at most `ticks` ticks.
    std::optional<HomingWait::TickResult> homeFor(int ticks) {
        for (int i = 0; i < ticks && windows.homing && !windows.homing->finished(); ++i) {
            clock.advance(HomingWait::TickMs);
            const HomingWait::TickResult result = windows.homing->tick();
            if (result != HomingWait::TickResult::Waiting) return result;
        }
        return std::nullopt;
    }
};

// The run control against a scripted projector (ScriptedProjector.h) on COM2, connected.
struct ScriptedRunBench {
    explicit ScriptedRunBench(std::deque<std::string> azReplies) {
        progress.clock = &clock;
        script->azReplies = std::move(azReplies);
        port.devices["COM2"] = scriptedProjector(script);
        link.blockDelay = 0;
        link.openPort();
        link.connected = true;
    }
    std::shared_ptr<ProjectorScript> script = std::make_shared<ProjectorScript>();
    VirtualClock clock;
    ScriptedSerialPort port{clock};
    RecordingPrompter prompter;
    ProjectorLink link{port, clock, prompter, ""};
    NoEventPump events;
    RecordingProgress progress;
    ProjectorProtocol protocol{link, clock, prompter, events, progress};
    Settings settings;
    ApplicationState appState;
    RunState runState;
    ShowTransfer transfer{protocol, settings, appState, runState, prompter, clock, events, progress};
    RunControl control{protocol, transfer, settings, appState, runState, prompter, clock};
    std::unique_ptr<CVistrelDoc> doc = std::make_unique<CVistrelDoc>();
    RecordingRunView view;
    RecordingRunWindows windows{protocol, runState, clock};

    // The projector holds the show already: with differential transfer a start writes
    // nothing first (the scripted projector knows no block frames).
    void showAlreadyInProjector() {
        settings.differentialTransfer = true;
        doc->windowTitle = "show.dpd";
        appState.projectorShowTitle = "show.dpd";
        for (int i = 0; i < doc->lineCount; ++i) doc->lines[i].changeMarks = ChangedSinceSave;
    }
};

}  // namespace vistrel::test
