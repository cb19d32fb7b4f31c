// The terminal player on virtual time against the in-process virtual projector: what
// it prints, what the user's commands put on the line, and how each run ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>

#include "model/DecimalText.h"
#include "projector/ShowPlayer.h"
#include "tests/projector/RunBench.h"

namespace vistrel::test {
namespace {

// A user at the terminal who answers what the player prints: after the n-th time a
// line is printed, a command follows after a short moment. Time passes only while the
// player waits. A run that goes on too long is ended by Ctrl+C.
class ScriptedTerminal final : public PlayerTerminal {
public:
    struct Reaction {
        std::string printed;
        int occurrence;
        std::string command;  // "^C" for Ctrl+C
    };

    ScriptedTerminal(VirtualClock& clock, std::vector<Reaction> reactions)
        : clock_(clock), reactions_(std::move(reactions)) {}

    // How many text commands have gone out so far; lets a test see what one command sent.
    std::function<std::size_t()> lineCommandCount;
    // For each command given: the text commands sent from its return to the next wait.
    std::vector<std::pair<std::size_t, std::size_t>> commandSpans;

    std::vector<std::string> printed;
    std::vector<std::string> notes;
    std::vector<std::int64_t> commandTimes;  // when each command was given
    // Commands typed at a given time, whatever was printed.
    std::deque<std::pair<std::int64_t, std::string>> typed;
    std::int64_t giveUpAtMs = 10 * 60 * 1000;

    Input waitForInput(int timeoutMs, std::string& line) override {
        if (lineCommandCount && !commandSpans.empty() && commandSpans.back().second == npos)
            commandSpans.back().second = lineCommandCount();
        const std::int64_t until = clock_.nowMs() + timeoutMs;
        if (!typed.empty() && typed.front().first <= until) {
            clock_.advance(typed.front().first - clock_.nowMs());
            line = typed.front().second;
            typed.pop_front();
            commandTimes.push_back(clock_.nowMs());
            if (lineCommandCount) commandSpans.emplace_back(lineCommandCount(), npos);
            return line == "^C" ? Input::Interrupt : Input::Line;
        }
        clock_.advance(until - clock_.nowMs());
        if (clock_.nowMs() > giveUpAtMs) return Input::Interrupt;
        return Input::Nothing;
    }
    void printLine(const std::string& text) override {
        printed.push_back(text);
        const auto count = std::count(printed.begin(), printed.end(), text);
        for (const Reaction& r : reactions_) {
            if (r.printed != text || r.occurrence != count) continue;
            const std::pair<std::int64_t, std::string> entry{clock_.nowMs() + ReactionMs, r.command};
            typed.insert(std::upper_bound(typed.begin(), typed.end(), entry,
                                          [](const auto& a, const auto& b) { return a.first < b.first; }),
                         entry);
        }
    }
    void printNote(const std::string& text) override { notes.push_back(text); }

private:
    static constexpr int ReactionMs = 400;
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    VirtualClock& clock_;
    std::vector<Reaction> reactions_;
};

struct PlayerBench : RunBench {
    explicit PlayerBench(std::vector<ScriptedTerminal::Reaction> reactions = {})
        : terminal(clock, std::move(reactions)) {
        terminal.lineCommandCount = [this] { return projector.commandLog().size(); };
    }
    // The text commands the n-th command of the user put on the line.
    std::vector<std::string> sentBy(std::size_t n) const {
        const auto& log = projector.commandLog();
        if (n >= terminal.commandSpans.size()) return {"(no such command)"};
        const auto [from, to] = terminal.commandSpans[n];
        return {log.begin() + static_cast<long>(from), log.begin() + static_cast<long>(std::min(to, log.size()))};
    }
    ScriptedTerminal terminal;
    ShowPlayer player{control, protocol, runState, clock, terminal};

    std::vector<std::string> commandsFrom(const std::string& first) const {
        const auto& log = projector.commandLog();
        const auto it = std::find(log.rbegin(), log.rend(), first);
        if (it == log.rend()) return {};
        return {std::prev(it.base()), log.end()};
    }
};

TEST(ShowPlayer, PrintsEachLineThePausesAndTheEnd) {
    // Lines stand 5 s (dissolve 1 s, timer 4 s), so that the poll sees every one.
    PlayerBench bench({{"PAUSE !", 1, ""}, {"PAUSE !", 2, ""}, {"003\tDoppelt", 1, ""}});
    addLine(bench.doc, 1, 10, 40, 0, "Anfang");
    addLine(bench.doc, 2, 1, 0, 0, "Halt");
    addLine(bench.doc, 3, 1, 0, 70, "Doppelt");  // timer 0 and "Ab-/Aufblenden mit Pause": two continuations
    addLine(bench.doc, 4, 10, 40, 0, "Schl\xFC" "ss");

    EXPECT_EQ(bench.player.play(bench.doc, -1), ShowPlayer::Outcome::Ended);
    EXPECT_EQ(bench.terminal.printed, (std::vector<std::string>{"001\tAnfang", "002\tHalt", "PAUSE !", "003\tDoppelt",
                                                                 "PAUSE !", "004\tSchlüss", "Diaschauende"}));
    EXPECT_EQ(std::count(bench.projector.commandLog().begin(), bench.projector.commandLog().end(), "BV"), 3);
    EXPECT_TRUE(bench.messages().empty());
    EXPECT_FALSE(bench.runState.showRunning);
}

TEST(ShowPlayer, PrintsEveryLineItPassedAlsoWhenThePollSteppedOverItAndSaysPauseAndWeiter) {
    for (const int fromRow : {-1, 3}) {
        PlayerBench bench;
        // 0.3 s a line: the 700 ms poll sees only every second or third of them.
        for (int i = 1; i <= 14; ++i) addLine(bench.doc, i, 1, 2, 0, std::to_string(i));
        bench.prompter.queueAnswer(MessageAnswer::Yes);
        EXPECT_EQ(bench.player.play(bench.doc, fromRow), ShowPlayer::Outcome::Ended);
        std::vector<std::string> expected;
        for (int i = std::max(fromRow, 0) + 1; i <= 14; ++i) expected.push_back(zeroPadded(i, 3) + "\t" + std::to_string(i));
        expected.push_back("Diaschauende");
        EXPECT_EQ(bench.terminal.printed, expected) << fromRow;
    }
    PlayerBench bench({{"001\tA", 1, ""}, {"Pause", 1, ""}, {"weiter", 1, "s"}});
    for (int i = 1; i <= 3; ++i) addLine(bench.doc, i, 10, 200, 0, std::string(1, char('A' + i - 1)));
    EXPECT_EQ(bench.player.play(bench.doc, -1), ShowPlayer::Outcome::Stopped);
    EXPECT_EQ(bench.terminal.printed, (std::vector<std::string>{"001\tA", "Pause", "weiter"}));
}

TEST(ShowPlayer, FollowsAnAutoreverseAndAJumpAndStopsAtTheUsersWord) {
    const struct {
        const char* name;
        std::string stopWith;
        ShowPlayer::Outcome outcome;
        std::vector<std::string> tail;  // from the last EN on
        char status;                    // the projector's when the player returns
    } cases[] = {
        // Home, then the poll's last look ends the run; Ctrl+C does not wait for home.
        {"s", "s", ShowPlayer::Outcome::Stopped, {"EN", "PA", "AZ"}, 'R'},
        {"Ctrl+C", "^C", ShowPlayer::Outcome::Interrupted, {"EN", "PA"}, 'B'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlayerBench bench({{"001\tEins", 2, "j 4"}, {"004\tVier", 1, c.stopWith}});
        addLine(bench.doc, 1, 10, 40, 0, "Eins");
        addLine(bench.doc, 2, 10, 40, 0, "Zwei");
        addLine(bench.doc, 3, 10, 40, 100, "Zur\xFC" "ck");  // autoreverse: back to line 1
        addLine(bench.doc, 4, 10, 400, 0, "Vier");

        EXPECT_EQ(bench.player.play(bench.doc, -1), c.outcome);
        EXPECT_EQ(bench.terminal.printed, (std::vector<std::string>{"001\tEins", "002\tZwei", "001\tEins", "004\tVier"}));
        EXPECT_EQ(std::count(bench.projector.commandLog().begin(), bench.projector.commandLog().end(), "LZ:003"), 2)
            << "the first poll (the line seen last is 1 at program start) and the fall-back from line 2 to 1 "
               "ask for line 3";
        EXPECT_NE(std::find(bench.projector.commandLog().begin(), bench.projector.commandLog().end(), "GZ:004"),
                  bench.projector.commandLog().end());
        EXPECT_EQ(bench.commandsFrom("EN"), c.tail);
        EXPECT_EQ(bench.projector.statusLetter(), c.status);
        EXPECT_FALSE(bench.runState.showRunning);
        EXPECT_LE(bench.clock.nowMs() - bench.terminal.commandTimes.back(), c.status == 'B' ? 1000 : 10000);
    }
}

TEST(ShowPlayer, TheUsersCommandsReachTheRunControl) {
    const struct {
        const char* typed;
        std::vector<std::string> sent;  // the first text commands it puts on the line
        bool noted;
    } cases[] = {
        {"", {"ST"}, false},
        {"  ", {"ST"}, false},
        {"n", {"BV"}, false},
        {"j 3", {"ST", "GZ:003", "WE", "AZ"}, false},
        {"j3", {"ST", "GZ:003", "WE", "AZ"}, false},
        {"j 0", {}, true},
        {"j 7", {}, true},
        {"j x", {}, true},
        {"stop", {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("typed '") + c.typed + "'");
        PlayerBench bench({{"001\tA", 1, c.typed}});
        for (int i = 1; i <= 6; ++i) addLine(bench.doc, i, 10, 200, 0, std::string(1, char('A' + i - 1)));
        bench.terminal.typed.emplace_back(8000, "^C");  // ends the run once the command had its effect
        EXPECT_EQ(bench.player.play(bench.doc, -1), ShowPlayer::Outcome::Interrupted);

        const std::vector<std::string> sent = bench.sentBy(0);
        ASSERT_GE(sent.size(), c.sent.size());
        EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + static_cast<long>(c.sent.size())), c.sent);
        if (c.sent.empty()) {
            EXPECT_TRUE(sent.empty());
        }
        EXPECT_EQ(bench.terminal.notes.size(), c.noted ? 1u : 0u);
        EXPECT_EQ(bench.sentBy(1).front(), "EN") << "Ctrl+C stops the show";
    }
}

TEST(ShowPlayer, StartsAtTheLineGivenAfterTheQuestion) {
    PlayerBench bench({{"003\tC", 1, "s"}});
    for (int i = 1; i <= 4; ++i) addLine(bench.doc, i, 10, 40, 0, std::string(1, char('A' + i - 1)));
    bench.prompter.queueAnswer(MessageAnswer::Yes);
    EXPECT_EQ(bench.player.play(bench.doc, 2), ShowPlayer::Outcome::Stopped);
    EXPECT_EQ(bench.messages(),
              (std::vector<std::string>{"Möchten Sie die Show an der markierten Position\nstarten?"}));
    EXPECT_FALSE(bench.commandsFrom("GZ:003").empty());
    EXPECT_EQ(bench.terminal.printed.front(), "003\tC");
}

TEST(ShowPlayer, FailuresEndTheRunWithTheProgramsMessages) {
    const std::string lost = "Fehler bei der Kommunikation\nmit dem Projektor";
    const struct {
        const char* name;
        int lines;
        bool silentAfterStart;
        std::vector<std::string> messages;
    } cases[] = {
        {"empty show", 0, false, {"Die Show ist leer.\nDas Starten macht keinen Sinn!"}},
        {"projector gone during the show", 3, true, {lost}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlayerBench bench;
        if (c.silentAfterStart) bench.tap.loseAnswersAfter({'A', 'Z', '\r'}, 1000000);
        for (int i = 1; i <= c.lines; ++i) addLine(bench.doc, i, 10, 40, 0, "x");
        EXPECT_EQ(bench.player.play(bench.doc, -1), ShowPlayer::Outcome::Failed);
        EXPECT_EQ(bench.messages(), c.messages);
        EXPECT_LT(bench.clock.nowMs(), 60000) << "a silent projector does not keep the player waiting";
        EXPECT_TRUE(std::find(bench.terminal.printed.begin(), bench.terminal.printed.end(), "Diaschauende") ==
                    bench.terminal.printed.end())
            << "a lost projector is no end of the show";
    }
}

TEST(ShowPlayer, StopAloneWaitsForTheHomePosition) {
    const struct {
        const char* name;
        std::vector<std::pair<std::int64_t, std::string>> typed;
        ShowPlayer::Outcome outcome;
    } cases[] = {{"waits", {}, ShowPlayer::Outcome::Stopped},
                 {"Ctrl+C is Abbruch", {{0, "^C"}}, ShowPlayer::Outcome::Interrupted}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlayerBench bench;
        for (const auto& t : c.typed) bench.terminal.typed.push_back(t);
        EXPECT_EQ(bench.player.stop(bench.doc), c.outcome);
        ASSERT_FALSE(bench.projector.commandLog().empty());
        EXPECT_EQ(bench.projector.commandLog().front(), "EN");
        EXPECT_EQ(bench.projector.commandLog().back(), "PA");
        EXPECT_FALSE(bench.runState.homingDialogOpen);
    }
}

}  // namespace
}  // namespace vistrel::test
