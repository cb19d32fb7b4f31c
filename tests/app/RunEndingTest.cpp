// How a run ends when it does not end well: a projector that stops answering in the
// middle of a show, and a show window or the whole program closed while a show runs.
// Nothing may hang, crash or keep the port. The timers are driven here on virtual
// time the way the window program's timers drive them.
#include <QApplication>
#include <QPointer>
#include <algorithm>
#include <utility>

#include "app/CMainFrame.h"
#include "app/FrameRunView.h"
#include "app/ShowRunWindows.h"
#include "dialogs/HomingWaitDialog.h"
#include "dialogs/InfoWindow.h"
#include "projector/RunControl.h"
#include "tests/app/AppFixture.h"
#include "tests/app/ShowLines.h"
#include "views/CVistrelView.h"

namespace vistrel::test {
namespace {

const std::string CommunicationError = "Fehler bei der Kommunikation\nmit dem Projektor";

class RunEnding : public AppFixture {
protected:
    RunEnding() { InfoWindow::resetRememberedPosition(); }

    // A show long enough not to end by itself while a test looks at it.
    CSplitterFrame& startLongShow(bool infoWindowAtStart) {
        CSplitterFrame& frame = *startApp().activeFrame();
        const ShowLine lines[] = {{1, 10, 3000, 0, "Titeldia"}, {2, 10, 3000, 0, "Hafen"}, {3, 10, 3000, 0, "Ende"}};
        appendShowLines(frame.document(), lines);
        app->settings().infoWindowAtStart = infoWindowAtStart;
        app->runCommand(cmd::StartShow);
        EXPECT_TRUE(app->runState().showRunning);
        runTimersFor(2000);
        EXPECT_EQ(frame.document().runningLine, 0);
        return frame;
    }

    // The window program's timers for `ms` of virtual time: the poll of every show window
    // (700 ms), the info window (700 ms), the homing wait (250 ms). A tick that is due
    // runs; a tick that took long only delays the next, as with window timers.
    void runTimersFor(int ms) {
        const std::int64_t end = clock.nowMs() + ms;
        std::int64_t nextPoll = clock.nowMs() + RunControl::PollIntervalMs;
        std::int64_t nextInfo = clock.nowMs() + InfoMonitor::TickMs;
        std::int64_t nextHoming = clock.nowMs() + HomingWait::TickMs;
        while (clock.nowMs() < end) {
            const std::int64_t next = std::min({nextPoll, nextInfo, nextHoming});
            if (next > clock.nowMs()) clock.advance(static_cast<int>(next - clock.nowMs()));
            const std::int64_t now = clock.nowMs();
            if (now >= nextPoll) {
                for (CSplitterFrame* frame : app->frames()) {
                    if (frame->runView().polling()) timed(longestPollMs, [&] { frame->runView().pollNow(); });
                }
                nextPoll = clock.nowMs() + RunControl::PollIntervalMs;
            }
            if (now >= nextInfo) {
                if (InfoWindow* info = app->runWindows().infoWindow()) info->tick();
                nextInfo = clock.nowMs() + InfoMonitor::TickMs;
            }
            if (now >= nextHoming) {
                if (HomingWaitDialog* wait = app->runWindows().homingWait()) timed(longestHomingTickMs, [&] { wait->tick(); });
                nextHoming = clock.nowMs() + HomingWait::TickMs;
            }
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    template <class Tick>
    void timed(std::int64_t& longest, Tick tick) {
        const std::int64_t before = clock.nowMs();
        tick();
        longest = std::max(longest, clock.nowMs() - before);
    }

    bool pollingAnywhere() const {
        return std::any_of(app->frames().begin(), app->frames().end(),
                           [](CSplitterFrame* frame) { return frame->runView().polling(); });
    }
    long communicationErrors() const {
        const std::vector<std::string> texts = messageTexts();
        return std::count(texts.begin(), texts.end(), CommunicationError);
    }

    std::int64_t longestPollMs = 0;
    std::int64_t longestHomingTickMs = 0;
};

TEST_F(RunEnding, AProjectorThatStopsAnsweringEndsTheRunWithOneMessageInBoundedTime) {
    enum class Open { PollOnly, InfoWindow, HomingWait };
    struct Case {
        const char* name;
        Open open;
    };
    const Case cases[] = {
        {"only the poll talks to it", Open::PollOnly},
        {"the info window asks as well", Open::InfoWindow},
        {"it falls silent while going home", Open::HomingWait},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startLongShow(c.open == Open::InfoWindow);
        if (c.open == Open::HomingWait) app->runCommand(cmd::StopShow);
        ASSERT_TRUE(c.open != Open::HomingWait || app->runWindows().homingWait());
        prompter.messages.clear();

        port.attachSilent("COM2");  // the cable is pulled
        projector = nullptr;
        const std::int64_t silentFrom = clock.nowMs();
        std::int64_t toldAfterMs = -1;
        prompter.whileShowing = [&] {
            if (toldAfterMs < 0) toldAfterMs = clock.nowMs() - silentFrom;
        };
        runTimersFor(60000);
        prompter.whileShowing = nullptr;

        EXPECT_EQ(communicationErrors(), 1) << "said once, not once a tick";
        EXPECT_EQ(prompter.messages.size(), 1u);
        EXPECT_FALSE(app->runState().showRunning);
        EXPECT_FALSE(app->runState().homingDialogOpen);
        EXPECT_EQ(app->runState().pauseState, 0);
        EXPECT_FALSE(pollingAnywhere());
        EXPECT_EQ(app->runWindows().infoWindow(), nullptr);
        EXPECT_EQ(app->runWindows().homingWait(), nullptr);
        EXPECT_EQ(app->mainFrame()->pauseIndicatorText(), "");
        app->mainFrame()->updateActions();
        EXPECT_TRUE(app->mainFrame()->action(cmd::StartShow)->isEnabled()) << "a new start is possible";

        // Whoever notices first gives up after 10 s of silence, the info window too.
        EXPECT_GT(toldAfterMs, 0);
        EXPECT_LE(toldAfterMs, 1100 + 10000 + 1100);
        EXPECT_FALSE(app->link().connected);
        // Between two ticks the window handles its input: the poll and the homing wait
        // never hold it for long.
        EXPECT_LT(longestPollMs, 700);
        EXPECT_LT(longestHomingTickMs, 1000);

        app.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        projector = &port.attachProjector("COM2");
        prompter.messages.clear();
        longestPollMs = longestHomingTickMs = 0;
    }
}

TEST_F(RunEnding, AStopOrAPauseWithADeadProjectorShowsItsWaitWhichTheUserCanEnd) {
    // The command, when "Abbrechen" is pressed (-1: never), and how long it lasts at most.
    const std::tuple<int, int, std::int64_t> cases[] = {
        {cmd::StopShow, -1, 31000}, {cmd::StopShow, 1000, 2000}, {cmd::PauseContinue, 1000, 2000}};
    for (const auto& [command, cancelAfterMs, atMostMs] : cases) {
        startLongShow(false);
        port.attachSilent("COM2");
        prompter.messages.clear();
        progress.cancelAfterMs = cancelAfterMs;
        const std::int64_t start = clock.nowMs();
        app->runCommand(command);
        EXPECT_LE(clock.nowMs() - start, atMostMs) << command;
        EXPECT_EQ(progress.waits.back().beganMs, start) << "the wait is seen from its start";
        EXPECT_EQ(messageTexts(), std::vector<std::string>{CommunicationError});
        EXPECT_FALSE(app->projectorBusy());
        EXPECT_FALSE(app->link().connected) << "failed on a dead line: the next command searches again";

        app.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        projector = &port.attachProjector("COM2");
    }
}

TEST_F(RunEnding, ClosingTheShowWindowOrTheProgramDuringARunLeavesNothingBehind) {
    enum class Open { PollOnly, InfoWindow, HomingWait };
    enum class Ending { CloseShowWindow, Quit };
    struct Case {
        const char* name;
        Open open;
        Ending ending;
    };
    const Case cases[] = {
        {"show window closed while the poll runs", Open::PollOnly, Ending::CloseShowWindow},
        {"show window closed with the info window open", Open::InfoWindow, Ending::CloseShowWindow},
        {"show window closed while going home", Open::HomingWait, Ending::CloseShowWindow},
        {"program ended while the poll runs", Open::PollOnly, Ending::Quit},
        {"program ended with the info window open", Open::InfoWindow, Ending::Quit},
        {"program ended while going home", Open::HomingWait, Ending::Quit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QPointer<CSplitterFrame> frame = &startLongShow(c.open == Open::InfoWindow);
        if (c.open == Open::HomingWait) app->runCommand(cmd::StopShow);
        prompter.queueAnswer(MessageAnswer::No);  // the changed show is not saved

        if (c.ending == Ending::CloseShowWindow) {
            frame->close();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            ASSERT_FALSE(frame);
            // What is left of the run goes on without the window, and the wait for the
            // home position still ends the run.
            runTimersFor(10000);
            if (c.open == Open::HomingWait) {
                EXPECT_EQ(app->runWindows().homingWait(), nullptr);
                EXPECT_EQ(projector->commandLog().back(), "PA");
                EXPECT_FALSE(app->runState().showRunning);
            }
        }
        ASSERT_TRUE(app->prepareExit());
        EXPECT_TRUE(app->frames().empty());
        EXPECT_EQ(app->runWindows().infoWindow(), nullptr);
        EXPECT_EQ(app->runWindows().homingWait(), nullptr);
        EXPECT_FALSE(app->runState().homingDialogOpen);
        app->endOfRun();
        EXPECT_FALSE(port.isOpen()) << "the port is free for the next program";
        EXPECT_TRUE(std::none_of(prompter.messages.begin(), prompter.messages.end(),
                                 [](const RecordingPrompter::Message& m) { return m.text == CommunicationError; }));

        app.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        projector = &port.attachProjector("COM2");
        prompter.messages.clear();
    }
}

TEST_F(RunEnding, NeitherTheWindowNorTheProgramClosesUnderAStartThatIsAsking) {
    CSplitterFrame& frame = *startApp().activeFrame();
    const ShowLine lines[] = {{1, 10, 3000, 0, "Titeldia"}, {2, 10, 3000, 0, "Hafen"}, {3, 10, 3000, 0, "Ende"}};
    appendShowLines(frame.document(), lines);
    frame.listView()->selectionModel()->select(frame.listView()->model()->index(2, 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QPointer<CSplitterFrame> window = &frame;
    bool exitRefused = false;
    bool tried = false;
    // While "Möchten Sie die Show an der markierten Position starten?" is up, the user
    // tries to close the show window and to end the program.
    prompter.whileShowing = [&] {
        if (std::exchange(tried, true)) return;
        window->close();
        exitRefused = !app->prepareExit();
    };
    prompter.queueAnswer(MessageAnswer::Yes);
    app->runCommand(cmd::StartShow);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    ASSERT_TRUE(window) << "the window stays while its start runs";
    EXPECT_TRUE(exitRefused);
    EXPECT_EQ(prompter.messages.back().text, "Möchten Sie die Show an der markierten Position\nstarten?");
    EXPECT_TRUE(app->runState().showRunning);
    EXPECT_NE(std::find(projector->commandLog().begin(), projector->commandLog().end(), "GZ:003"),
              projector->commandLog().end());
}

}  // namespace
}  // namespace vistrel::test
