// The run control against the virtual projector on virtual time: what goes on the
// line, what the list is told to follow, and the run state after each step.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "tests/projector/RunBench.h"

namespace vistrel::test {
namespace {

std::vector<std::string> from(const std::vector<std::string>& log, const std::string& first) {
    // The commands from the last occurrence of `first` on.
    const auto it = std::find(log.rbegin(), log.rend(), first);
    if (it == log.rend()) return {};
    return {std::prev(it.base()), log.end()};
}

long countOf(const std::vector<std::string>& log, const std::string& command) {
    return std::count(log.begin(), log.end(), command);
}

// --- start ------------------------------------------------------------------------------

TEST(RunStart, StartsWhereTheSelectionAndTheAnswerSay) {
    const std::string question = "Möchten Sie die Show an der markierten Position\nstarten?";
    const struct {
        const char* name;
        std::vector<int> selection;
        MessageAnswer answer;
        int lamp;
        std::vector<std::string> commands;  // from the start's own PE on
        bool asked;
        bool started;
    } cases[] = {
        {"nothing selected", {}, MessageAnswer::Yes, 100, {"PE", "SL:254", "GZ:000", "AZ"}, false, true},
        {"first row", {0}, MessageAnswer::Yes, 100, {"PE", "SL:254", "GZ:000", "AZ"}, false, true},
        {"two rows", {2, 4}, MessageAnswer::Yes, 100, {"PE", "SL:254", "GZ:000", "AZ"}, false, true},
        {"row 5, Yes", {4}, MessageAnswer::Yes, 100, {"PE", "SL:254", "GZ:005", "AZ"}, true, true},
        {"row 5, No", {4}, MessageAnswer::No, 50, {"PE", "SL:127", "GZ:000", "AZ"}, true, true},
        {"row 5, Cancel", {4}, MessageAnswer::Cancel, 1, {"PE", "SL:002"}, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunBench bench;
        bench.plainShow(6);
        bench.settings.lampBrightness = c.lamp;
        bench.view.selection = c.selection;
        bench.prompter.queueAnswer(c.answer);

        EXPECT_EQ(bench.control.start(bench.doc, bench.view, bench.windows), c.started);
        EXPECT_EQ(from(bench.projector.commandLog(), "PE"), c.commands);
        EXPECT_EQ(bench.runState.showRunning, c.started);
        EXPECT_EQ(bench.view.polling, c.started);
        EXPECT_EQ(bench.view.selectionClears, c.started ? 1 : 0) << "no row stays selected while the show runs";
        ASSERT_EQ(bench.prompter.messages.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(bench.prompter.messages[0].text, question);
            EXPECT_EQ(bench.prompter.messages[0].buttons, MessageButtons::YesNoCancel);
        }
    }
}

TEST(RunStart, AnEmptyShowIsRefusedAfterTheWriteAttempt) {
    RunBench bench;
    EXPECT_FALSE(bench.control.start(bench.doc, bench.view, bench.windows));
    ASSERT_EQ(bench.messages().size(), 1u);
    EXPECT_EQ(bench.messages()[0], "Die Show ist leer.\nDas Starten macht keinen Sinn!");
    EXPECT_EQ(bench.prompter.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(bench.projector.commandLog(), (std::vector<std::string>{"PE", "SL:254"}));
    EXPECT_FALSE(bench.runState.showRunning);
}

TEST(RunStart, WithDifferentialTransferTheUserDecidesAboutTheWrite) {
    const std::string question =
        "Die Daten der Show wurden verändert bzw.\nsind noch nicht im Projektor.\nMöchten Sie die Daten voher in den "
        "Projektor \nübertragen ?";
    const struct {
        const char* name;
        bool differs;
        MessageAnswer answer;
        bool asked;
        bool written;
    } cases[] = {
        {"changed, Yes", true, MessageAnswer::Yes, true, true},
        {"changed, No", true, MessageAnswer::No, true, false},
        {"unchanged", false, MessageAnswer::Yes, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunBench bench;
        bench.settings.differentialTransfer = true;
        bench.doc.windowTitle = "show.dpd";
        bench.plainShow(3);
        if (!c.differs) {
            for (int i = 0; i < 3; ++i) bench.doc.lines[i].changeMarks = ChangedSinceSave;
            bench.appState.projectorShowTitle = "show.dpd";
        }
        bench.prompter.queueAnswer(c.answer);
        EXPECT_TRUE(bench.control.start(bench.doc, bench.view, bench.windows));
        EXPECT_EQ(bench.messages(), c.asked ? std::vector<std::string>{question} : std::vector<std::string>{});
        // A write opens its own operation before the start opens one.
        EXPECT_EQ(countOf(bench.projector.commandLog(), "PE"), c.written ? 2 : 1);
    }
}

TEST(RunStart, TheInfoWindowOpensWhenTheOptionSaysSo) {
    for (bool option : {false, true}) {
        RunBench bench;
        bench.plainShow(2);
        bench.settings.infoWindowAtStart = option;
        bench.control.start(bench.doc, bench.view, bench.windows);
        EXPECT_EQ(bench.windows.infoOpens, option ? 1 : 0);
    }
}

// --- following the show -----------------------------------------------------------------

TEST(RunPoll, TheListFollowsEachLineOnceAndTheEndRowEndsTheRun) {
    RunBench bench;
    bench.plainShow(4);
    ASSERT_TRUE(bench.control.start(bench.doc, bench.view, bench.windows));
    bench.pollFor(30000);

    EXPECT_EQ(bench.view.followed, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(bench.view.endRow, 4) << "the row after the last line shown";
    EXPECT_EQ(bench.doc.runningLine, 4);
    EXPECT_FALSE(bench.view.polling);
    EXPECT_FALSE(bench.runState.showRunning);
    EXPECT_EQ(bench.runState.lastShownLine, -1);
    EXPECT_TRUE(bench.runState.justStarted);
    EXPECT_EQ(countOf(bench.projector.commandLog(), "LZ:005"), 1) << "the line after the last one seen";
    EXPECT_TRUE(bench.messages().empty());
}

TEST(RunPoll, AFallBackIsAutoreverseOrTheEndAsTheLineAfterTheLastOneSeenSays) {
    const struct {
        const char* name;
        int line4Code;  // -1: the show has three lines
        bool goesOn;
    } cases[] = {{"autoreverse", 100, true},
                 {"slave at the start and autoreverse", 360, true},
                 {"slave in the middle and autoreverse", 570, true},
                 {"end of the show", -1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunBench bench;
        bench.plainShow(3);
        if (c.line4Code >= 0) addLine(bench.doc, 4, 10, 20, c.line4Code);
        ASSERT_TRUE(bench.control.start(bench.doc, bench.view, bench.windows));
        ASSERT_TRUE(bench.pollUntilFollowed(2));
        // Line 3's rest, then the tray runs back for line 4's 3 s naming no line, then line 1.
        bench.pollFor(7700);

        EXPECT_EQ(countOf(bench.projector.commandLog(), "LZ:004"), 1);
        EXPECT_EQ(bench.runState.showRunning, c.goesOn);
        if (c.goesOn) {
            EXPECT_EQ(bench.view.followed, (std::vector<int>{0, 1, 2, 0})) << "the list follows back to the top";
            EXPECT_TRUE(bench.view.polling);
        } else {
            EXPECT_EQ(bench.view.endRow, 3);
            EXPECT_FALSE(bench.view.polling);
        }
    }
}

TEST(RunPoll, TheFirstPollNeverEndsTheShow) {
    // The whole show is over before the first poll comes.
    RunBench bench;
    addLine(bench.doc, 1, 0, 1, 0);
    ASSERT_TRUE(bench.control.start(bench.doc, bench.view, bench.windows));
    bench.clock.advance(RunControl::PollIntervalMs);
    EXPECT_EQ(bench.control.poll(bench.doc, bench.view), RunControl::PollResult::Polled);
    EXPECT_TRUE(bench.runState.showRunning);
    EXPECT_TRUE(bench.view.polling);
    EXPECT_FALSE(bench.runState.justStarted);
}

TEST(RunPoll, PauseLinesStopTheRunUntilContinued) {
    const struct {
        const char* name;
        int timer;
        int code;
        bool stepForward;  // continue with "Bild vorwärts" instead of "Pause bzw. weiter"
        int continuations;
    } cases[] = {
        {"timer 0", 0, 0, false, 1},
        {"code 70", 20, 70, false, 1},
        {"code 470", 20, 470, false, 1},
        {"timer 0, Bild vorwärts", 0, 0, true, 1},
        {"timer 0 and code 70", 0, 70, false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunBench bench;
        addLine(bench.doc, 1, 10, 20, 0);
        addLine(bench.doc, 2, 10, c.timer, c.code);
        addLine(bench.doc, 3, 10, 20, 0);
        ASSERT_TRUE(bench.control.start(bench.doc, bench.view, bench.windows));
        ASSERT_TRUE(bench.pollUntilFollowed(1));
        EXPECT_EQ(bench.runState.pauseState, 2);
        EXPECT_GT(bench.view.pauseChanges, 0) << "\"PAUSE !\" is shown";
        EXPECT_EQ(bench.doc.specialPauseActive, c.continuations == 2);
        bench.pollFor(10000);
        EXPECT_TRUE(bench.projector.isAtPause());
        EXPECT_EQ(bench.view.followed.back(), 1);

        for (int i = 1; i <= c.continuations; ++i) {
            if (c.stepForward) {
                bench.control.stepForward(bench.doc, bench.view);
            } else {
                bench.control.pauseContinue(bench.doc, bench.view);
            }
            EXPECT_EQ(bench.projector.commandLog().back(), "BV");
            EXPECT_EQ(bench.runState.pauseState, i < c.continuations ? 2 : 0) << "continuation " << i;
            EXPECT_FALSE(bench.doc.specialPauseActive);
            EXPECT_FALSE(bench.doc.commandBusy);
        }
        EXPECT_TRUE(bench.pollUntilFollowed(2, 6000));
    }
}

TEST(RunPoll, AStaleDoublePauseDoesNotMakeTheNextPauseNeedTwoContinuations) {
    RunBench bench;
    addLine(bench.doc, 1, 10, 0, 70);  // double pause, left with "Bild vorwärts" twice
    addLine(bench.doc, 2, 10, 20, 0);
    addLine(bench.doc, 3, 10, 0, 0);  // single pause
    addLine(bench.doc, 4, 10, 20, 0);
    ASSERT_TRUE(bench.control.start(bench.doc, bench.view, bench.windows));
    bench.pollFor(3500);
    ASSERT_TRUE(bench.doc.specialPauseActive);
    bench.control.stepForward(bench.doc, bench.view);
    bench.control.stepForward(bench.doc, bench.view);
    ASSERT_TRUE(bench.pollUntilFollowed(2));
    bench.pollFor(2100);
    ASSERT_EQ(bench.runState.pauseState, 2);
    bench.control.pauseContinue(bench.doc, bench.view);
    EXPECT_EQ(bench.runState.pauseState, 0);
    EXPECT_TRUE(bench.pollUntilFollowed(3, 6000)) << "one BV left the single pause, none skipped line 4";
}

TEST(RunPoll, PauseAndContinueSendWhatTheStateAsks) {
    const struct {
        int pauseState;
        bool doublePause;
        const char* command;
        int after;
    } cases[] = {{0, false, "ST", 1}, {1, false, "WE", 0}, {2, false, "BV", 0}, {2, true, "BV", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command + std::to_string(c.pauseState));
        RunBench bench;
        bench.plainShow(3);
        ASSERT_TRUE(bench.control.start(bench.doc, bench.view, bench.windows));
        bench.runState.pauseState = c.pauseState;
        bench.doc.specialPauseActive = c.doublePause;
        bench.control.pauseContinue(bench.doc, bench.view);
        EXPECT_EQ(bench.projector.commandLog().back(), c.command);
        EXPECT_EQ(bench.runState.pauseState, c.after);
    }
}

TEST(RunPoll, StepForwardDuringAPauseExchangeOnlyBeeps) {
    RunBench bench;
    bench.plainShow(3);
    ASSERT_TRUE(bench.control.start(bench.doc, bench.view, bench.windows));
    bench.doc.commandBusy = true;
    const std::size_t before = bench.projector.commandLog().size();
    bench.control.stepForward(bench.doc, bench.view);
    EXPECT_EQ(bench.prompter.beeps, 1);
    EXPECT_EQ(bench.projector.commandLog().size(), before);
}

TEST(RunPoll, AProjectorThatFallsSilentEndsTheRunWithAMessageOnlyWhenItStaysSilent) {
    const std::string lost = "Fehler bei der Kommunikation\nmit dem Projektor";
    const struct {
        const char* name;
        int silentReads;  // each failed poll costs three reads of 126 ms
        bool goesOn;
    } cases[] = {{"three polls lost", 9, true}, {"gone for good", 100000, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunBench bench;
        bench.plainShow(20);
        ASSERT_TRUE(bench.control.start(bench.doc, bench.view, bench.windows));
        ASSERT_TRUE(bench.pollUntilFollowed(1));
        bench.tap.loseAnswersAfter({'A'}, c.silentReads);
        bench.pollFor(RunControl::LinkLostMs + 3000);

        EXPECT_EQ(bench.runState.showRunning, c.goesOn);
        EXPECT_EQ(bench.view.polling, c.goesOn);
        EXPECT_EQ(bench.view.endRow, -1) << "silence is not the end of the show";
        EXPECT_EQ(bench.messages(), c.goesOn ? std::vector<std::string>{} : std::vector<std::string>{lost});
        if (c.goesOn) {
            EXPECT_GT(bench.view.followed.back(), 1);
        }
    }
}

TEST(RunPoll, AProjectorThatNamesNoLineAfterTheStartIsGivenUpAsASilentOne) {
    // AZ says "0" this often (the start's own AZ included), then "1".
    const struct {
        bool gzLost;
        int zeros;
        std::size_t messages;  // the lost GZ's, then the run's end
    } cases[] = {{true, 1000, 2}, {false, 1000, 1}, {false, 15, 0}};
    for (const auto& c : cases) {
        ScriptedRunBench run(std::deque<std::string>(static_cast<std::size_t>(c.zeros), "0"));
        run.script->azReplies.push_back("1");
        if (c.gzLost) run.script->garbledEchoes = "G";
        addLine(*run.doc, 1, 10, 20, 0);
        run.showAlreadyInProjector();
        ASSERT_TRUE(run.control.start(*run.doc, run.view, run.windows));
        const std::int64_t started = run.clock.nowMs();
        while (run.view.polling && run.clock.nowMs() - started < 20000) {
            run.clock.advance(700);
            run.control.poll(*run.doc, run.view);
        }
        EXPECT_EQ(run.prompter.messages.size(), c.messages) << c.zeros;
        EXPECT_EQ(run.runState.showRunning, c.messages == 0);
        if (c.messages > 0) {
            EXPECT_EQ(run.clock.nowMs() - started, 10500) << "the first poll 10 s after the start";
        }
    }
}

TEST(RunPoll, OneReplyAndWhatThePollConcludesFromIt) {
    // The show ran to line 4 (index 3); the projector's line 5 is a plain one.
    const struct {
        const char* name;
        std::string reply;  // "(silent)": AZ is echoed, no reply follows
        bool replyPending;
        RunControl::PollResult result;
        std::vector<std::string> sent;
        int endRow;
    } cases[] = {
        {"next line", "5", false, RunControl::PollResult::Polled, {"AZ"}, -1},
        {"no line running", "0", false, RunControl::PollResult::Ended, {"AZ", "LZ:005"}, 4},
        {"not a number counts as line 0", "x1", false, RunControl::PollResult::Ended, {"AZ", "LZ:005"}, 4},
        {"an empty reply counts as line 0", "", false, RunControl::PollResult::Ended, {"AZ", "LZ:005"}, 4},
        {"no reply at all is no end", "(silent)", false, RunControl::PollResult::NoAnswer, {"AZ"}, -1},
        {"another sequence waits for its reply", "5", true, RunControl::PollResult::Skipped, {}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedRunBench run({c.reply});
        if (c.reply == "(silent)") run.port.devices["COM2"] = echoingProjector('v');
        for (int i = 1; i <= 6; ++i) addLine(*run.doc, i, 10, 20, 0);
        run.runState.showRunning = true;
        run.runState.justStarted = false;
        run.runState.lastShownLine = 3;
        run.runState.replyPending = c.replyPending;
        run.view.polling = true;

        EXPECT_EQ(run.control.poll(*run.doc, run.view), c.result);
        if (c.reply != "(silent)") {
            EXPECT_EQ(run.script->commands, c.sent);
        }
        EXPECT_EQ(run.view.endRow, c.endRow);
        EXPECT_EQ(run.runState.showRunning, c.endRow < 0);
        EXPECT_EQ(run.prompter.messages.size(), 0u);
    }
}

TEST(RunPoll, TheFirstRunOfTheProgramAsksForLineThreeAtItsFirstPoll) {
    // The line seen last is 1 at program start, so the first poll's line 1 looks like a
    // fall-back; after an end of show it is -1 and the next run asks nothing.
    RunBench bench;
    bench.plainShow(2);
    ASSERT_TRUE(bench.control.start(bench.doc, bench.view, bench.windows));
    bench.pollFor(1400);
    EXPECT_EQ(from(bench.projector.commandLog(), "GZ:000"),
              (std::vector<std::string>{"GZ:000", "AZ", "AZ", "LZ:003", "AZ"}));
    bench.pollFor(30000);
    ASSERT_FALSE(bench.runState.showRunning);

    ASSERT_TRUE(bench.control.start(bench.doc, bench.view, bench.windows));
    bench.pollFor(1400);
    EXPECT_EQ(from(bench.projector.commandLog(), "GZ:000"), (std::vector<std::string>{"GZ:000", "AZ", "AZ", "AZ"}));
}

// --- jump -------------------------------------------------------------------------------

TEST(RunJump, TriesUpToSixTimesUntilTheProjectorNamesTheTargetOrALineBeforeIt) {
    const std::vector<std::string> halted = {"GZ:008", "WE", "AZ"};
    const std::vector<std::string> running = {"ST", "GZ:008", "WE", "AZ"};
    const struct {
        const char* name;
        int pauseState;
        std::deque<std::string> replies;
        int attempts;
        bool stThen;
    } cases[] = {
        {"running, the target line 8 at once", 0, {"8"}, 1, true},
        {"running, line 7 at once", 0, {"7"}, 1, true},
        {"running, line 6 at once", 0, {"6"}, 1, true},
        {"halted, line 7 second time", 1, {"9", "7"}, 2, false},
        {"at a pause line, never", 2, {"9"}, 6, false},
        {"running, never", 0, {"5"}, 6, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedRunBench run(c.replies);
        run.runState.showRunning = true;
        run.runState.pauseState = c.pauseState;
        run.runState.lastShownLine = 3;
        run.doc->jumpTarget = 7;
        run.control.jump(*run.doc, run.view);

        std::vector<std::string> expected;
        // ST is sent on every attempt as long as the run state says "running".
        for (int i = 0; i < c.attempts; ++i) {
            const auto& attempt = c.stThen ? running : halted;
            expected.insert(expected.end(), attempt.begin(), attempt.end());
        }
        EXPECT_EQ(run.script->commands, expected);
        EXPECT_EQ(run.runState.pauseState, 0);
        EXPECT_EQ(run.runState.lastShownLine, -1) << "the next poll follows to wherever the show is";
        EXPECT_EQ(run.prompter.beeps, 0);
    }
}

TEST(RunJump, ALostReplyEndsTheJumpWithABeep) {
    ScriptedRunBench run({"7"});
    run.port.devices["COM2"] = echoingProjector('v');  // echoes, never replies
    run.doc->jumpTarget = 7;
    run.control.jump(*run.doc, run.view);
    EXPECT_EQ(run.prompter.beeps, 1);
    EXPECT_FALSE(run.runState.replyPending);
}

TEST(RunPauses, StartAndJumpGiveTheProjectorItsTime) {
    // Every pause in order: 50 ms per status wait, and those after GZ (start), ST, GZ, WE.
    const std::pair<int, std::vector<std::int64_t>> cases[] = {
        {-1, {50, 1000}}, {0, {50, 250, 50, 150, 50, 50, 250}}, {1, {50, 150, 50, 50, 250}}};
    for (const auto& [pauseState, expected] : cases) {
        ScriptedRunBench run({"8"});
        addLine(*run.doc, 1, 10, 20, 0);
        std::vector<std::int64_t> pauses;
        run.clock.onAdvance([&, last = run.clock.nowMs()](std::int64_t now) mutable {
            pauses.push_back(now - std::exchange(last, now));
        });
        run.showAlreadyInProjector();
        run.runState.pauseState = pauseState;
        run.doc->jumpTarget = 7;
        if (pauseState < 0) {
            ASSERT_TRUE(run.control.start(*run.doc, run.view, run.windows));
        } else {
            run.control.jump(*run.doc, run.view);
        }
        EXPECT_EQ(pauses, expected) << pauseState;
    }
}

// --- stop and the homing wait -----------------------------------------------------------

TEST(RunStop, TheHomingWaitEndsTheRunWhenTheProjectorIsHome) {
    RunBench bench;
    bench.plainShow(5);
    ASSERT_TRUE(bench.control.start(bench.doc, bench.view, bench.windows));
    ASSERT_TRUE(bench.pollUntilFollowed(1));
    bench.runState.pauseState = 1;
    const std::size_t before = bench.projector.commandLog().size();

    ASSERT_TRUE(bench.control.stop(bench.doc, bench.windows));
    EXPECT_EQ(bench.windows.homingOpens, 1);
    EXPECT_TRUE(bench.runState.homingDialogOpen);
    EXPECT_TRUE(bench.runState.showRunning) << "running until the projector is home";
    bench.clock.advance(RunControl::PollIntervalMs);
    EXPECT_EQ(bench.control.poll(bench.doc, bench.view), RunControl::PollResult::Skipped);

    EXPECT_EQ(bench.homeFor(100), HomingWait::TickResult::Home);
    const auto log = bench.projector.commandLog();
    EXPECT_EQ(std::vector<std::string>(log.begin() + static_cast<long>(before), log.end()),
              (std::vector<std::string>{"EN", "AZ", "EN", "PA"}));
    EXPECT_FALSE(bench.runState.showRunning);
    EXPECT_EQ(bench.runState.pauseState, 0);
    EXPECT_FALSE(bench.runState.homingDialogOpen);
    EXPECT_EQ(bench.projector.statusLetter(), 'R');

    bench.pollFor(RunControl::PollIntervalMs);
    EXPECT_FALSE(bench.view.polling) << "the next poll stops the timer";
}

TEST(RunStop, TheHomingWaitRepeatsENEveryFifteenthTickAndAbbruchEndsIt) {
    ScriptedRunBench run({"3"});  // a show that never stops
    run.runState.showRunning = true;
    HomingWait wait(run.protocol, run.runState, run.clock);
    EXPECT_TRUE(run.runState.homingDialogOpen);
    for (int i = 1; i <= 15; ++i) wait.tick();
    std::vector<std::string> expected(14, "AZ");
    expected.push_back("EN");
    EXPECT_EQ(run.script->commands, expected);
    EXPECT_EQ(wait.progress(), 14);

    for (int i = 16; i <= 105; ++i) wait.tick();
    EXPECT_EQ(countOf(run.script->commands, "EN"), 7);
    wait.tick();
    EXPECT_EQ(wait.progress(), 1) << "the counter started over after 105";

    wait.cancel();
    EXPECT_EQ(run.script->commands.back(), "PA");
    EXPECT_FALSE(run.runState.showRunning);
    EXPECT_FALSE(run.runState.homingDialogOpen);
}

TEST(RunStop, TheHomingWaitGivesUpOnASilentProjector) {
    ScriptedRunBench run({"0"});
    run.port.devices["COM2"] = silentDevice();
    run.runState.showRunning = true;
    HomingWait wait(run.protocol, run.runState, run.clock);
    HomingWait::TickResult result = HomingWait::TickResult::Waiting;
    int ticks = 0;
    while (result == HomingWait::TickResult::Waiting && ticks < 1000) {
        run.clock.advance(HomingWait::TickMs);
        result = wait.tick();
        ++ticks;
    }
    EXPECT_EQ(result, HomingWait::TickResult::LinkLost);
    EXPECT_LE(ticks * HomingWait::TickMs, HomingWait::LinkLostMs + HomingWait::TickMs);
    ASSERT_EQ(run.prompter.messages.size(), 1u);
    EXPECT_EQ(run.prompter.messages[0].text, "Fehler bei der Kommunikation\nmit dem Projektor");
    EXPECT_FALSE(run.runState.showRunning);
    EXPECT_FALSE(run.runState.homingDialogOpen);
}

TEST(RunStop, AFailedENIsReportedAndOpensNoWait) {
    ScriptedRunBench run({"0"});
    run.port.devices["COM2"] = silentDevice();
    RecordingRunWindows windows(run.protocol, run.runState, run.clock);
    EXPECT_FALSE(run.control.stop(*run.doc, windows));
    EXPECT_EQ(windows.homingOpens, 0);
    ASSERT_EQ(run.prompter.messages.size(), 1u);
    EXPECT_EQ(run.prompter.messages[0].text, "Fehler bei der Kommunikation\nmit dem Projektor");
}

}  // namespace
}  // namespace vistrel::test
