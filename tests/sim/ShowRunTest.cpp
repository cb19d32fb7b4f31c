// The show as the projector runs it, seen the way the program sees it: through AZ,
// AB, the status letter and the run commands, with the clock moved on in between.
#include <gtest/gtest.h>

#include <algorithm>

#include "ProjectorBench.h"

namespace vistrel::sim {
namespace {

using test::ProjectorBench;

// Dissolve 1 s and timer 2 s: each plain line stands 3 s.
ShowRecord plain(int slide) { return ShowRecord::fromLine(slide, 10, 20, 0); }

class ShowRun : public ::testing::Test {
protected:
    explicit ShowRun(int speed = 1) : bench(optionsWithSpeed(speed)) {}
    static ProjectorOptions optionsWithSpeed(int speed) {
        ProjectorOptions options;
        options.speed = speed;
        return options;
    }
    void start(const std::vector<ShowRecord>& show, const char* gz = "GZ:000") {
        bench.projector.loadShow(show);
        ASSERT_TRUE(bench.command(gz));
    }
    int az() { return bench.askNumber("AZ"); }
    void wait(int ms) { bench.clock.sleepMs(ms); }

    ProjectorBench bench;
};

TEST_F(ShowRun, RunsLineByLineAndEndsAtTheEndRecord) {
    start({plain(1), plain(2), plain(3)});
    EXPECT_EQ(az(), 1);
    EXPECT_EQ(bench.askNumber("AB"), 1);
    EXPECT_EQ(bench.status(), 'v');
    // Commands cost a few ms of wire time; sample in the middle of each line.
    const int expectedAt[] = {1, 2, 3, 0, 0};
    for (int sample = 0; sample < 5; ++sample) {
        SCOPED_TRACE(sample);
        EXPECT_EQ(bench.projector.currentLine(), expectedAt[sample]);
        wait(3000);
    }
    EXPECT_EQ(az(), 0);
    EXPECT_EQ(bench.askNumber("AB"), 0);
    EXPECT_EQ(bench.status(), 'R');
}

TEST_F(ShowRun, StartsAtTheLineGZNames) {
    const struct {
        const char* gz;
        int line;
    } cases[] = {{"GZ:000", 1}, {"GZ:001", 1}, {"GZ:003", 3}, {"GZ:004", 0}, {"GZ:999", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gz);
        start({plain(1), plain(2), plain(3)}, c.gz);
        EXPECT_EQ(az(), c.line);
        ASSERT_TRUE(bench.command("EN"));
    }
}

TEST_F(ShowRun, PauseLinesWaitForBV) {
    const struct {
        const char* what;
        ShowRecord line2;
        int bvNeeded;
    } cases[] = {
        {"timer 0", ShowRecord::fromLine(2, 10, 0, 0), 1},
        {"code 70", ShowRecord::fromLine(2, 10, 20, 70), 1},
        {"code 470", ShowRecord::fromLine(2, 10, 20, 470), 1},
        {"timer 0 and code 70", ShowRecord::fromLine(2, 10, 0, 70), 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        start({plain(1), c.line2, plain(3)});
        wait(3500);
        EXPECT_EQ(az(), 2);
        wait(60000);
        EXPECT_EQ(az(), 2) << "a pause line waits however long it takes";
        EXPECT_TRUE(bench.projector.isAtPause());
        for (int i = 1; i < c.bvNeeded; ++i) {
            ASSERT_TRUE(bench.command("BV"));
            wait(5000);
            EXPECT_EQ(az(), 2) << "the first half of a double pause";
        }
        ASSERT_TRUE(bench.command("BV"));
        wait(2900);  // a remaining timer of at most 2 s, then line 3 dissolves in
        EXPECT_EQ(az(), 3);
        ASSERT_TRUE(bench.command("EN"));
    }
}

TEST_F(ShowRun, BVOnARunningLineMovesOnAtOnce) {
    start({plain(1), plain(2), plain(3)});
    ASSERT_TRUE(bench.command("BV"));
    EXPECT_EQ(az(), 2);
    wait(2900);
    EXPECT_EQ(az(), 2) << "line 2 gets its full time from the BV on";
}

TEST_F(ShowRun, STHaltsAndWEContinuesWithTheTimeThatWasLeft) {
    start({plain(1), plain(2), plain(3)});
    wait(2000);
    ASSERT_TRUE(bench.command("ST"));
    wait(60000);
    EXPECT_EQ(az(), 1);
    EXPECT_EQ(bench.askNumber("AB"), 1) << "a halted show is still a running show";
    ASSERT_TRUE(bench.command("WE"));
    wait(900);
    EXPECT_EQ(az(), 1);
    wait(200);
    EXPECT_EQ(az(), 2);
}

TEST_F(ShowRun, GZWhileHaltedMovesButStaysHalted) {
    // The program's jump: ST, GZ, WE.
    start({plain(1), plain(2), plain(3), plain(4)});
    ASSERT_TRUE(bench.command("ST"));
    ASSERT_TRUE(bench.command("GZ:003"));
    wait(10000);
    EXPECT_EQ(az(), 3);
    ASSERT_TRUE(bench.command("WE"));
    wait(3100);
    EXPECT_EQ(az(), 4);
}

// What a screen that draws the show reads from the projector: the line, the one
// before it, the phase and how far into it, to the millisecond, with commands given
// at exact moments (no wire time).
TEST(ShowPosition, FollowsTheShowToTheMillisecond) {
    VirtualProjector projector;
    projector.loadShow({
        ShowRecord::fromLine(11, 10, 20, 0),   // 1: dissolve 1 s, timer 2 s
        ShowRecord::fromLine(12, 5, 0, 0),     // 2: dissolve 0.5 s, then waits
        ShowRecord::fromLine(13, 10, 10, 15),  // 3: fade in 5 s: 7 s of effect, timer 1 s
        ShowRecord::fromLine(14, 10, 10, 100), // 4: autoreverse, 2 s back
    });
    auto commandAt = [&](const std::string& text, std::int64_t ms) {
        for (char c : text + "\r") projector.receive(static_cast<std::uint8_t>(c), ms);
        projector.discardOutput();
    };
    using Phase = ShowRunner::Phase;
    const struct {
        std::int64_t ms;
        const char* command;  // given at `ms`, before looking
        int line, previous;
        Phase phase;
        std::int64_t elapsed, length;
        bool halted;
    } steps[] = {
        {1000, "GZ:000", 1, 0, Phase::Effect, 0, 1000, false},
        {1400, nullptr, 1, 0, Phase::Effect, 400, 1000, false},
        {2500, nullptr, 1, 0, Phase::Timer, 500, 2000, false},
        {3000, "ST", 1, 0, Phase::Timer, 1000, 2000, true},
        {60000, nullptr, 1, 0, Phase::Timer, 1000, 2000, true},  // halted: time stands
        {61000, "WE", 1, 0, Phase::Timer, 1000, 2000, false},
        {62000, nullptr, 2, 1, Phase::Effect, 0, 500, false},
        {62499, nullptr, 2, 1, Phase::Effect, 499, 500, false},
        {70000, nullptr, 2, 1, Phase::Pause, 0, 0, false},
        {70000, "BV", 3, 2, Phase::Effect, 0, 7000, false},
        {77000, nullptr, 3, 2, Phase::Timer, 0, 1000, false},
        {78500, nullptr, 4, 3, Phase::Reverse, 500, 2000, false},
        {80000, nullptr, 1, 0, Phase::Effect, 0, 1000, false},  // dark before line 1 again
        {80300, "GZ:003", 3, 1, Phase::Effect, 0, 7000, false},  // a jump: from what was shown
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << step.ms << " ms" << (step.command ? " " : "")
                                        << (step.command ? step.command : ""));
        projector.advanceTo(step.ms);
        if (step.command) commandAt(step.command, step.ms);
        const ShowRunner::Position at = projector.showPosition();
        EXPECT_TRUE(at.running);
        EXPECT_EQ(at.line, step.line);
        EXPECT_EQ(at.previousLine, step.previous);
        EXPECT_EQ(at.phase, step.phase);
        EXPECT_EQ(at.phaseElapsedMs, step.elapsed);
        EXPECT_EQ(at.phaseLengthMs, step.length);
        EXPECT_EQ(at.halted, step.halted);
    }
    commandAt("EN", 90000);
    EXPECT_FALSE(projector.showPosition().running);
}

TEST_F(ShowRun, ShowOfOnlyAutoreverseLinesDoesNotSpin) {
    start({ShowRecord::fromLine(1, 0, 1, 100), ShowRecord::fromLine(2, 0, 1, 100)});
    wait(100000);
    EXPECT_EQ(az(), 1);
}

TEST_F(ShowRun, ENEndsTheShowAndHomesBeforeReportingReady) {
    start({plain(1), plain(2)});
    ASSERT_TRUE(bench.command("EN"));
    EXPECT_EQ(az(), 0);
    EXPECT_EQ(bench.status(), 'B');
    wait(HomingMs / 2);
    ASSERT_TRUE(bench.command("EN")) << "EN again does not start the homing over";
    wait(HomingMs / 2);
    EXPECT_EQ(bench.status(), 'R');
    EXPECT_FALSE(bench.projector.isHoming());
}

TEST_F(ShowRun, EditedLineTakesEffectWhenItIsReached) {
    // The program's change during a run: ST, SZ.., LZ, WE.
    start({plain(1), plain(2), plain(3)});
    ASSERT_TRUE(bench.command("ST"));
    for (const char* c : {"SZ:002", "BN:042", "DI:000", "TI:0000", "SF:000"}) ASSERT_TRUE(bench.command(c));
    ASSERT_TRUE(bench.command("WE"));
    wait(3100);
    EXPECT_EQ(az(), 2);
    EXPECT_TRUE(bench.projector.isAtPause()) << "line 2 now has timer 0";
}

TEST(ShowRunStates, EveryRunStateAnswersStatusAZAndABAsTheProtocolSays) {
    // Status "r"/"v" are ready, "b" busy; AZ names the 1-based line shown (0: none);
    // AB is non-zero while a show runs, halted or waiting at a pause.
    const struct {
        const char* state;
        std::vector<const char*> commands;
        int waitMs;
        int status;
        int az;
        int ab;
    } cases[] = {
        {"idle at home", {}, 0, 'R', 0, 0},
        {"running", {"GZ:000"}, 3500, 'v', 2, 1},
        {"halted", {"GZ:000", "ST"}, 3500, 'v', 1, 1},
        {"at a pause line", {"GZ:003"}, 2000, 'v', 3, 1},
        {"homing after EN", {"GZ:000", "EN"}, 0, 'B', 0, 0},
        {"home after EN", {"GZ:000", "EN"}, HomingMs + 1, 'R', 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        ProjectorBench fresh;
        fresh.projector.loadShow({plain(1), plain(2), ShowRecord::fromLine(3, 10, 0, 0), plain(4)});
        for (const char* command : c.commands) ASSERT_TRUE(fresh.command(command));
        fresh.clock.sleepMs(c.waitMs);
        EXPECT_EQ(fresh.status(), c.status);
        EXPECT_EQ(fresh.askNumber("AZ"), c.az);
        EXPECT_EQ(fresh.askNumber("AB"), c.ab);
    }
}

class FastShowRun : public ShowRun {
protected:
    FastShowRun() : ShowRun(10) {}
};

TEST_F(FastShowRun, SpeedDividesLineTimesAndHoming) {
    start({plain(1), plain(2), plain(3)});
    wait(310);
    EXPECT_EQ(az(), 2);
    ASSERT_TRUE(bench.command("EN"));
    EXPECT_EQ(bench.status(), 'B');
    wait(HomingMs / 10 + 1);
    EXPECT_EQ(bench.status(), 'R');
}

}  // namespace
}  // namespace vistrel::sim
