// The run commands byte by byte, on virtual time: each scenario is a script of what
// the program sends and the exact bytes the projector must answer, with the clock
// moved on in between. The expected answers come from the protocol tables (AZ names
// the 1-based line shown, 0 for none; AB non-zero while a show runs; LZ as
// "%03d %03d %03d %04d %03d"; the status letter "r"/"v" ready, "b" busy), not from
// what our own client happens to accept.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProjectorBench.h"

namespace vistrel::sim {
namespace {

using test::ProjectorBench;

// Slide s, dissolve 1 s, timer 2 s: each such line stands 3 s.
ShowRecord plain(int slide) { return ShowRecord::fromLine(slide, 10, 20, 0); }
ShowRecord line(int slide, int dissolve, int timer, int code) {
    return ShowRecord::fromLine(slide, dissolve, timer, code);
}

// One step of a script:
//   "+N"         let N ms pass
//   "?=L"        the status query is answered by exactly the letter L
//   "CMD"        a text command: every byte echoed, nothing else follows
//   "CMD=TEXT"   a text command: echoed, then exactly TEXT, CR, LF
void runStep(ProjectorBench& bench, const std::string& step) {
    SCOPED_TRACE(step);
    if (step[0] == '+') {
        bench.clock.sleepMs(std::stoi(step.substr(1)));
        return;
    }
    const auto eq = step.find('=');
    if (step[0] == '?') {
        bench.port.writeByte(StatusQueryByte);
        const std::vector<std::uint8_t> answer = bench.drain();
        EXPECT_EQ(std::string(answer.begin(), answer.end()), step.substr(eq + 1));
        return;
    }
    const std::string command = step.substr(0, eq);
    ASSERT_TRUE(bench.command(command)) << "every byte of the command comes back as its echo";
    const std::vector<std::uint8_t> reply = bench.drain();
    const std::string expected = eq == std::string::npos ? "" : step.substr(eq + 1) + "\r\n";
    EXPECT_EQ(std::string(reply.begin(), reply.end()), expected);
}

struct Scenario {
    const char* name;
    std::vector<ShowRecord> show;
    std::vector<std::string> steps;
    int speed = 1;
};

void runScenarios(const std::vector<Scenario>& scenarios) {
    for (const auto& s : scenarios) {
        SCOPED_TRACE(s.name);
        ProjectorOptions options;
        options.speed = s.speed;
        ProjectorBench bench(options);
        bench.projector.loadShow(s.show);
        for (const auto& step : s.steps) runStep(bench, step);
    }
}

TEST(RunCommands, StartHaltContinueAndTheEnd) {
    runScenarios({
        {"idle: no line, no show, ready at home; LZ reads the stored lines and zeros after them",
         {plain(5), plain(6), plain(7)},
         {"?=R", "AZ=0", "AB=0", "LZ:001=001 005 010 0020 000", "LZ:003=003 007 010 0020 000",
          "LZ:004=004 000 000 0000 000"}},
        {"GZ:000 runs from line 1; each line is named from its dissolve on; the end names none",
         {plain(5), plain(6), plain(7)},
         {"GZ:000", "AZ=1", "?=v", "AB=1", "+2900", "AZ=1", "+200", "AZ=2", "+3000", "AZ=3", "+3000", "AZ=0",
          "AB=0", "?=R"}},
        {"GZ:n runs from line n; a line past the show runs nothing",
         {plain(5), plain(6), plain(7)},
         {"GZ:003", "AZ=3", "+3100", "AZ=0", "GZ:002", "AZ=2", "GZ:009", "AZ=0", "AB=0"}},
        {"ST halts and stays ready; WE goes on with the time that was left",
         {plain(5), plain(6), plain(7)},
         {"GZ:000", "+2000", "ST", "?=v", "+60000", "AZ=1", "AB=1", "WE", "+900", "AZ=1", "+200", "AZ=2"}},
        {"BV on a halted show shows the next line and runs on",
         {plain(5), plain(6), plain(7)},
         {"GZ:000", "ST", "BV", "AZ=2", "+3100", "AZ=3"}},
        {"the jump as the program sends it: ST, GZ, WE; the projector then names the target itself",
         {plain(1), plain(2), plain(3), plain(4), plain(5)},
         {"GZ:000", "+1000", "ST", "+250", "GZ:004", "+150", "WE", "+250", "AZ=4", "+2800", "AZ=5"}},
    });
}

TEST(RunCommands, PauseLines) {
    runScenarios({
        {"timer 0: waits after its dissolve, named and ready, until BV; then the next line",
         {plain(5), line(6, 10, 0, 0), plain(7)},
         {"GZ:000", "+3500", "AZ=2", "+60000", "AZ=2", "?=v", "AB=1", "WE", "AZ=2", "BV", "AZ=3"}},
        {"code 70: fades out and in, waits for BV, then stands its timer",
         {plain(5), line(6, 10, 20, 70), plain(7)},
         {"GZ:000", "+3100", "AZ=2", "+60000", "AZ=2", "BV", "+1900", "AZ=2", "+200", "AZ=3"}},
        {"code 470 pauses like 70",
         {plain(5), line(6, 10, 20, 470), plain(7)},
         {"GZ:000", "+3100", "+60000", "AZ=2", "BV", "+2100", "AZ=3"}},
        {"timer 0 and code 70: two BVs",
         {plain(5), line(6, 10, 0, 70), plain(7)},
         {"GZ:000", "+5500", "AZ=2", "BV", "+60000", "AZ=2", "BV", "AZ=3"}},
        {"a BV while the pause line still dissolves in lets it go on after the dissolve",
         {plain(5), line(6, 10, 0, 0), plain(7)},
         {"GZ:000", "+3100", "AZ=2", "BV", "+800", "AZ=2", "+200", "AZ=3"}},
        {"timer 0 and code 70: a BV during the fade counts as the first of the two",
         {plain(5), line(6, 10, 0, 70), plain(7)},
         {"GZ:000", "+3100", "BV", "+60000", "AZ=2", "BV", "AZ=3"}},
        {"a halted pause line still needs its BV",
         {plain(5), line(6, 10, 0, 0), plain(7)},
         {"GZ:000", "+4500", "ST", "WE", "+60000", "AZ=2", "BV", "AZ=3"}},
    });
}

TEST(RunCommands, AutoreverseSendsTheTrayBackNamingNoLine) {
    // The line after the last one named carries the autoreverse; while the tray runs
    // back (that line's dissolve and timer) the projector names no line, though the
    // show still runs.
    runScenarios({
        {"code 100",
         {plain(1), plain(2), line(3, 10, 20, 100), plain(4)},
         {"GZ:000", "+5900", "AZ=2", "+200", "AZ=0", "AB=1", "?=v", "LZ:003=003 003 010 0020 100", "+2800", "AZ=0",
          "+200", "AZ=1", "+3000", "AZ=2"}},
        {"code 570 (slave, autoreverse, fade with pause): goes back without waiting",
         {plain(1), plain(2), line(3, 10, 20, 570), plain(4)},
         {"GZ:000", "+6100", "AZ=0", "LZ:003=003 003 010 0020 570", "+3000", "AZ=1"}},
        {"code 300 goes back as well",
         {plain(1), plain(2), line(3, 10, 20, 300)},
         {"GZ:000", "+6100", "AZ=0", "AB=1", "+3000", "AZ=1"}},
        {"no time on the autoreverse line: from line 2 straight to line 1",
         {plain(1), plain(2), line(3, 0, 0, 100)},
         {"GZ:000", "+3100", "AZ=2", "+3000", "AZ=1"}},
        {"GZ onto the autoreverse line goes back; BV cuts the way back short",
         {plain(1), plain(2), line(3, 10, 20, 100)},
         {"GZ:003", "AZ=0", "AB=1", "BV", "AZ=1"}},
        {"line 1 with autoreverse is shown as a plain line",
         {line(1, 10, 20, 100), plain(2)},
         {"GZ:000", "AZ=1", "+3100", "AZ=2", "+3000", "AZ=0", "AB=0"}},
    });
}

TEST(RunCommands, EndAndHoming) {
    runScenarios({
        {"EN: no line at once, busy while homing, an EN meanwhile does not start over, then home",
         {plain(1), plain(2)},
         {"GZ:000", "+1000", "EN", "AZ=0", "AB=0", "?=B", "+1000", "EN", "?=B", "+1000", "?=R"}},
        {"EN while halted at a pause line",
         {line(1, 10, 0, 70), plain(2)},
         {"GZ:000", "+3000", "AZ=1", "ST", "EN", "AZ=0", "?=B", "+2100", "?=R", "AZ=0"}},
        {"GZ after a stop runs again from the start",
         {plain(1), plain(2)},
         {"GZ:002", "EN", "+2100", "?=R", "GZ:000", "AZ=1", "?=v"}},
    });
}

TEST(RunCommands, SpeedRunsEveryTimerFaster) {
    runScenarios({
        {"lines, the way back and the homing ten times faster",
         {plain(1), plain(2), line(3, 10, 20, 100)},
         {"GZ:000", "+290", "AZ=1", "+20", "AZ=2", "+300", "AZ=0", "+300", "AZ=1", "EN", "?=B", "+210", "?=R"},
         10},
        {"a pause stays a pause however fast",
         {line(1, 10, 0, 0), plain(2)},
         {"GZ:000", "+60000", "AZ=1", "BV", "AZ=2", "+310", "AZ=0"},
         10},
    });
}

TEST(RunCommands, EachLightEffectTakesItsTimeBeforeTheTimer) {
    // Dissolve 1 s and timer 2 s; the next line comes after the effect and the timer.
    const struct {
        int code;
        int lineMs;
    } cases[] = {
        {0, 3000},    // one dissolve
        {60, 4000},   // fade out and in: two dissolves
        {260, 4000},  // a slave trigger changes nothing in time
        {15, 9000},   // fade in for 5 s, and two dissolves
        {29, 13000},  // freeze for 9 s, and two dissolves
        {33, 8000},   // blink three times: three times out and in
        {52, 6000},   // rock twice
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        ProjectorBench bench;
        bench.projector.loadShow({line(1, 10, 20, c.code), plain(2)});
        ASSERT_TRUE(bench.command("GZ:000"));
        bench.clock.sleepMs(c.lineMs - 100);
        EXPECT_EQ(bench.askNumber("AZ"), 1);
        bench.clock.sleepMs(200);
        EXPECT_EQ(bench.askNumber("AZ"), 2);
    }
}

}  // namespace
}  // namespace vistrel::sim
