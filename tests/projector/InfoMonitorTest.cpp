// The info window's tick: its fields, the time left on a line, and when it stops the show.
#include <gtest/gtest.h>

#include "projector/InfoMonitor.h"
#include "tests/projector/RunBench.h"

namespace vistrel::test {
namespace {

// The monitor against a scripted projector and a show of `lines` lines (2.5 s, 4.0 s).
struct ScriptedInfo : ScriptedRunBench {
    ScriptedInfo(std::deque<std::string> azReplies, int lines) : ScriptedRunBench(std::move(azReplies)) {
        for (int i = 0; i < lines; ++i) addLine(*doc, i + 1, 25, 40, 0, "Zeile " + std::to_string(i + 1));
    }
    InfoMonitor monitor{protocol, runState, settings, prompter};
};

TEST(InfoMonitor, ANewLineShowsItsValuesAndItsWholeDuration) {
    ScriptedInfo info({"2"}, 3);
    info.doc->lines[1].specialFunction = 33;  // blink 3 times: 2 * 3 * 2.5 s + 4.0 s
    EXPECT_EQ(info.monitor.tick(info.doc.get()), InfoMonitor::TickResult::Continue);
    const InfoFields& f = info.monitor.fields();
    EXPECT_EQ(f.programNumber, "2");
    EXPECT_EQ(f.slide, "002");
    EXPECT_EQ(f.special, "033");
    EXPECT_EQ(f.dissolve, "  2.5");
    EXPECT_EQ(f.timer, "  4.0");
    EXPECT_EQ(f.remaining, " 19.0");
    EXPECT_EQ(f.description, "Zeile 2");
}

TEST(InfoMonitor, TheTimeLeftCountsDownWhileTheShowRunsOnly) {
    // Timer 4.0 s and dissolve 2.5 s: 6.5 s, then 0.7 s less with each running tick.
    ScriptedInfo info({"1"}, 2);
    const struct {
        int pauseState;
        const char* remaining;
    } ticks[] = {{0, "  6.5"}, {0, "  5.8"}, {0, "  5.1"}, {1, "  5.1"}, {1, "  5.1"}, {0, "  4.4"},
                 {0, "  3.7"}, {0, "  3.0"}, {0, "  2.3"}, {0, "  1.6"}, {0, "  0.9"}, {0, "  0.2"},
                 {0, "  0.0"}, {0, "  0.0"}, {2, "Pause !"}};
    for (const auto& t : ticks) {
        info.runState.pauseState = t.pauseState;
        info.monitor.tick(info.doc.get());
        EXPECT_EQ(info.monitor.fields().remaining, t.remaining);
    }
}

TEST(InfoMonitor, ALineWithTimerZeroKeepsTheLastValueUntilThePauseIsKnown) {
    ScriptedInfo info({"1", "1", "2", "2"}, 2);
    info.doc->lines[1].timerTime = 0;
    info.monitor.tick(info.doc.get());
    info.monitor.tick(info.doc.get());
    EXPECT_EQ(info.monitor.fields().remaining, "  5.8");
    info.monitor.tick(info.doc.get());
    EXPECT_EQ(info.monitor.fields().remaining, "  5.8");
    EXPECT_EQ(info.monitor.fields().timer, "  0.0");
    info.runState.pauseState = 2;
    info.monitor.tick(info.doc.get());
    EXPECT_EQ(info.monitor.fields().remaining, "Pause !");
}

TEST(InfoMonitor, NoLineBeforeAnyWasShownIsTheEndOfTheShow) {
    ScriptedInfo info({"0"}, 3);
    EXPECT_EQ(info.monitor.tick(info.doc.get()), InfoMonitor::TickResult::Stop);
    const InfoFields& f = info.monitor.fields();
    EXPECT_EQ(f.description, " Diaschauende erreicht...");
    EXPECT_EQ(f.slide, "???");
    EXPECT_EQ(f.dissolve, "???");
    EXPECT_EQ(f.timer, "???");
    EXPECT_TRUE(info.prompter.messages.empty());
}

TEST(InfoMonitor, NoLineAfterLinesWereShownAsksTheLineAfterTheLastOne) {
    const struct {
        const char* name;
        const char* line13;
        InfoMonitor::TickResult result;
        const char* description;
    } cases[] = {
        {"autoreverse", "013 005 025 0040 100", InfoMonitor::TickResult::Continue, "Autoreverse"},
        {"slave and autoreverse", "013 005 025 0040 300", InfoMonitor::TickResult::Continue, "Autoreverse"},
        {"slave in the middle and autoreverse", "013 005 025 0040 560", InfoMonitor::TickResult::Continue,
         "Autoreverse"},
        {"slave alone", "013 005 025 0040 200", InfoMonitor::TickResult::Stop, "Zeile 12"},
        {"end of the show", "013 000 000 0000 000", InfoMonitor::TickResult::Stop, "Zeile 12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInfo info({"12", "0"}, 20);
        info.script->lzReplies[13] = c.line13;
        EXPECT_EQ(info.monitor.tick(info.doc.get()), InfoMonitor::TickResult::Continue);
        EXPECT_EQ(info.monitor.tick(info.doc.get()), c.result);
        EXPECT_EQ(info.script->commands.back(), "LZ:013");
        EXPECT_EQ(info.monitor.fields().description, c.description);
    }
}

TEST(InfoMonitor, AProjectorBeyondTheShowIsReportedOnceAndStops) {
    const std::string mismatch =
        "Die aktuelle Diaschau in Vistrel scheint nicht mit der im Projektor\nübereinzustimmen!\nBitte stoppen Sie "
        "die Show und laden diese anschließend aus den Projektor.";
    ScriptedInfo info({"25"}, 20);
    EXPECT_EQ(info.monitor.tick(info.doc.get()), InfoMonitor::TickResult::Stop);
    ASSERT_EQ(info.prompter.messages.size(), 1u);
    EXPECT_EQ(info.prompter.messages[0].text, mismatch);
    EXPECT_EQ(info.prompter.messages[0].icon, MessageIcon::Exclamation);

    EXPECT_EQ(info.monitor.tick(info.doc.get()), InfoMonitor::TickResult::Continue);
    EXPECT_EQ(info.prompter.messages.size(), 1u);
    // Line 25 is not in the show: nothing of the storage behind the show is shown.
    EXPECT_EQ(info.monitor.fields().slide, "???");
    EXPECT_EQ(info.monitor.fields().programNumber, "25");
}

TEST(InfoMonitor, WithoutAShowWindowEveryLineIsUnknownAndNothingIsCalledAMismatch) {
    ScriptedInfo info({"3", "4", "0"}, 0);
    EXPECT_EQ(info.monitor.tick(nullptr), InfoMonitor::TickResult::Continue);
    EXPECT_EQ(info.monitor.tick(nullptr), InfoMonitor::TickResult::Continue);
    EXPECT_TRUE(info.prompter.messages.empty()) << "there is no show the projector could differ from";
    EXPECT_EQ(info.monitor.fields().programNumber, "4");
    EXPECT_EQ(info.monitor.fields().slide, "???");
    EXPECT_EQ(info.monitor.fields().description, "???");
    EXPECT_EQ(info.monitor.tick(nullptr), InfoMonitor::TickResult::Stop) << "the end of the show is still seen";
}

TEST(InfoMonitor, FollowsARunningShowOnTheVirtualProjector) {
    RunBench bench;
    addLine(bench.doc, 1, 25, 40, 0, "Erstes");
    addLine(bench.doc, 2, 10, 20, 0, "Zweites");
    ASSERT_EQ(bench.transfer.uploadShow(bench.doc, ShowTransfer::WorkingMemory), ShowTransfer::UploadDone);
    ASSERT_EQ(bench.protocol.sendStartAt(0), 0);
    InfoMonitor monitor(bench.protocol, bench.runState, bench.settings, bench.prompter);
    std::vector<std::string> descriptions;
    InfoMonitor::TickResult result = InfoMonitor::TickResult::Continue;
    for (int i = 0; i < 30 && result == InfoMonitor::TickResult::Continue; ++i) {
        result = monitor.tick(&bench.doc);
        if (descriptions.empty() || descriptions.back() != monitor.fields().description)
            descriptions.push_back(monitor.fields().description);
        bench.clock.advance(InfoMonitor::TickMs);
    }
    EXPECT_EQ(result, InfoMonitor::TickResult::Stop) << "the end of the show stops it";
    EXPECT_EQ(descriptions, (std::vector<std::string>{"Erstes", "Zweites"}));
    EXPECT_EQ(bench.projector.commandLog().back(), "LZ:003");
    monitor.stopShow();
    EXPECT_EQ(bench.projector.commandLog().back(), "EN");
}

}  // namespace
}  // namespace vistrel::test
