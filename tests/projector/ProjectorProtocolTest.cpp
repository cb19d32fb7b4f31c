// The command protocol: status waits, block frames with their escapes, the
// descriptor and version reads, the failure messages and "Projektorversion" —
// byte-exact against scripted far ends and end to end against the virtual
// projector on virtual time.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <functional>
#include <numeric>

#include "platform/fake/RecordingPrompter.h"
#include "platform/fake/VirtualClock.h"
#include "platform/fake/WaitingUser.h"
#include "projector/ProjectorLink.h"
#include "projector/ProjectorProtocol.h"
#include "res/StringTable.h"
#include "res/strings/ModelStrings.h"
#include "res/strings/ProjectorStrings.h"
#include "sim/SimulatedSerialPort.h"
#include "tests/projector/ScriptedSerialPort.h"

namespace vistrel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::ScriptedSerialPort;

// Records what the protocol did to the write-progress window.
struct RecordingProgress final : WaitingProgressWindows {
    std::vector<std::string> events;
    int lastDone = -1;
    void openWriteProgress(int total) override { events.push_back("open " + std::to_string(total)); }
    void setWriteProgress(int done) override { lastDone = done; }
    void closeWriteProgress() override { events.push_back("close"); }
    void openReadProgress() override {}
    void setReadLine(int) override {}
    void closeReadProgress() override {}
    void openModuleWindow(bool) override {}
    void closeModuleWindow() override {}
};

// ------------------------------------------------------------ pure pieces

TEST(ProtocolText, VersionTextDecodesWithThePointInEitherPlace) {
    struct Case {
        const char* text;
        int tenths;
    };
    const Case cases[] = {
        {"3.1  ", 31}, {"3.0  ", 30}, {" 3.2 ", 32}, {"3.20 ", 32}, {"4.9x ", 49},
        {"x.1  ", -1}, {" 3.x ", -1}, {"\xff\xff\xff\xff\xff", -1}, {"     ", -1},
    };
    for (const auto& c : cases) {
        const std::string text = c.text;
        const Bytes bytes(text.begin(), text.end());
        EXPECT_EQ(decodeVersionText(bytes), c.tenths) << '"' << c.text << '"';
    }
}

TEST(ProtocolText, LampLevelUsesTheSinglePrecisionFactor) {
    const std::pair<int, int> cases[] = {{100, 254}, {50, 127}, {1, 2}, {20, 50}, {40, 101}, {0, 0}, {200, 255}};
    for (auto [percent, level] : cases) EXPECT_EQ(ProjectorProtocol::lampLevel(percent), level) << percent << " %";
}

TEST(ProtocolText, CommandArgumentsAreZeroPadded) {
    EXPECT_EQ(commandWithArgument("SL", 2, 3), "SL:002");
    EXPECT_EQ(commandWithArgument("GZ", 0, 3), "GZ:000");
    EXPECT_EQ(commandWithArgument("TI", 125, 4), "TI:0125");
    EXPECT_EQ(commandWithArgument("LZ", 999, 3), "LZ:999");
}

TEST(ProtocolText, VersionMessageHasTwoBlanksAndAPointInAnyLocale) {
    const std::string expected = std::string(res::text(ids::ProjectorVersionIs)) + " 3.1";
    EXPECT_EQ(formatVersionMessage(31), "Der Projektor trägt die Firmware-Version  3.1");
    EXPECT_EQ(formatVersionMessage(31), expected);
    EXPECT_EQ(formatVersionMessage(120), expected.substr(0, expected.size() - 3) + "12.0");
    // A German numeric locale must not turn the point into a comma.
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE")) {
        EXPECT_EQ(formatVersionMessage(32), std::string(res::text(ids::ProjectorVersionIs)) + " 3.2");
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

// ------------------------------------------------------------ scripted far ends

class ScriptedProtocolTest : public ::testing::Test {
protected:
    VirtualClock clock;
    ScriptedSerialPort port{clock};
    RecordingPrompter prompter;
    NoEventPump events;
    RecordingProgress progress;
    ProjectorLink link{port, clock, prompter, ""};
    ProjectorProtocol protocol{link, clock, prompter, events, progress};
    ScriptedProtocolTest() { progress.clock = &clock; }

    void plugIn(ScriptedSerialPort::Responder device) {
        port.devices["COM2"] = std::move(device);
        ASSERT_EQ(link.openPort(), 0);
        port.written.clear();
    }
    int statusQueries() const { return static_cast<int>(std::count(port.written.begin(), port.written.end(), 0xE1)); }
};

// Answers each status query with the next letter of `letters`; once they are used
// up it answers nothing (an empty script is a silent projector).
ScriptedSerialPort::Responder statusScript(std::string letters) {
    return [letters, next = std::size_t{0}](std::uint8_t byte, std::deque<std::uint8_t>& input) mutable {
        if (byte != 0xE1) {
            input.push_back(byte);
            return;
        }
        if (next < letters.size()) input.push_back(static_cast<std::uint8_t>(letters[next++]));
    };
}

TEST_F(ScriptedProtocolTest, StatusQueryLowersTheLetterAndSignsIt) {
    const std::pair<char, int> cases[] = {{'R', 'r'}, {'v', 'v'}, {'V', 'v'}, {'B', -'b'}, {'x', -'x'}, {'Z', -'z'}};
    std::string letters;
    for (auto [letter, expected] : cases) letters.push_back(letter);
    plugIn(statusScript(letters));
    for (auto [letter, expected] : cases) EXPECT_EQ(protocol.statusQuery(), expected) << letter;
    EXPECT_EQ(protocol.statusQuery(), -1) << "no answer";
}

struct WaitCase {
    const char* name;
    std::string letters;
    bool moduleWait;
    int expectedResult;
    int expectedQueries;
};
void PrintTo(const WaitCase& c, std::ostream* os) { *os << c.name; }

class WaitLoops : public ScriptedProtocolTest, public ::testing::WithParamInterface<WaitCase> {};

TEST_P(WaitLoops, EndOnTheRightLetterOrAfterAbout30Seconds) {
    const WaitCase& c = GetParam();
    plugIn(statusScript(c.letters));
    const auto start = clock.nowMs();
    EXPECT_EQ(c.moduleWait ? protocol.waitModuleResult() : protocol.waitReady(), c.expectedResult);
    const auto elapsed = clock.nowMs() - start;
    ASSERT_EQ(progress.waits.size(), 1u) << "the user sees the whole wait";
    EXPECT_EQ(progress.waits[0].kind, c.moduleWait ? ProgressWindows::WaitKind::Module : ProgressWindows::WaitKind::Ready);
    if (c.expectedResult == -1) {
        // Whatever a poll costs (a silent line costs three read time-outs per poll),
        // the wait gives up after 30 s, within one more poll.
        EXPECT_GE(elapsed, 30000);
        EXPECT_LE(elapsed, 30000 + 3 * 126 + 50);
        EXPECT_LE(statusQueries(), 600);
    } else {
        EXPECT_EQ(statusQueries(), c.expectedQueries);
        EXPECT_EQ(elapsed, 50 * c.expectedQueries) << "every poll sleeps 50 ms";
    }
}

const std::string kBusyForever(700, 'B');

INSTANTIATE_TEST_SUITE_P(
    Protocol, WaitLoops,
    ::testing::Values(WaitCase{"ReadyAtOnce", "R", false, 0, 1},
                      WaitCase{"BusyThenReady", "BBbR", false, 0, 4},
                      WaitCase{"ShowRunningCountsAsReady", "v", false, 0, 1},
                      WaitCase{"OtherLetterCountsAsReady", "Bx", false, 0, 2},
                      WaitCase{"ModuleFailure", "BZ", false, 122, 2},
                      WaitCase{"LetterJ", "J", false, 106, 1},
                      WaitCase{"SilentRunsOut", "", false, -1, 0},
                      WaitCase{"BusyForeverRunsOut", kBusyForever, false, -1, 0},
                      WaitCase{"ModuleDone", "BBRw", true, 'w', 4},
                      WaitCase{"ModuleAbsentCapital", "BX", true, 'x', 2},
                      WaitCase{"ModuleTooSmall", "y", true, 'y', 1},
                      WaitCase{"ModuleEmpty", "z", true, 'z', 1},
                      WaitCase{"ModuleWaitRunsOut", kBusyForever, true, -1, 0},
                      WaitCase{"SilentModuleWaitRunsOut", "", true, -1, 0}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(ScriptedProtocolTest, AWaitTheUserEndedEndsTheRestOfTheSequenceAtOnce) {
    plugIn(statusScript(std::string(100, 'B') + "R"));
    progress.cancelAfterMs = 300;
    EXPECT_EQ(protocol.waitReady(), -1);
    EXPECT_EQ(clock.nowMs(), 378 + 300) << "ended at the step after the press";
    progress.cancelAfterMs = -1;  // pressed once: enough for the whole sequence
    port.written.clear();
    const auto start = clock.nowMs();
    EXPECT_EQ(protocol.waitModuleResult(), -1);
    Bytes block(6);
    EXPECT_LT(protocol.writeBlock(0x1000, block, 0), 0);
    EXPECT_LT(protocol.readBlock(1, 0x1000, block), 0);
    EXPECT_EQ(clock.nowMs(), start);
    EXPECT_TRUE(port.written.empty()) << "nothing more went out";
    protocol.beginSequence();  // the next command waits again
    EXPECT_EQ(protocol.waitReady(), 0);
    link.closePort();
    EXPECT_EQ(protocol.waitReady(), -1) << "a port that is not open is not waited for";
    EXPECT_EQ(progress.waits.size(), 2u) << "a wait that cannot last shows nothing";
}

TEST_F(ScriptedProtocolTest, TheSearchForTheProjectorIsAWaitTheUserCanEnd) {
    for (const char* name : {"COM1", "COM2", "COM3", "COM4"}) port.devices[name] = test::silentDevice();
    progress.cancelAfterMs = 500;
    prompter.whileShowing = [&] { EXPECT_FALSE(progress.waiting()) << "the window goes before the message"; };
    EXPECT_EQ(protocol.connect(), -1);
    EXPECT_EQ(port.openedNames, std::vector<std::string>{"COM2"}) << "ended after the first port";
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(progress.waits.back().kind, ProgressWindows::WaitKind::Search);
}

TEST_F(ScriptedProtocolTest, WriteBlockEscapesSmallValuesAndSendsTheHeaderRaw) {
    plugIn(test::loopBackPlug());
    const Bytes data = {0x10, 0x11, 0x00, 0xFF, 0x0F, 0x80};
    ASSERT_EQ(protocol.writeBlock(0x0A10, data, 0), 0);
    const Bytes expected = {0x00, 0x0A, 0x10, 0x00, 0x06,  // header
                            0x10, 0x90, 0x11, 0x10, 0x80, 0xFF, 0x10, 0x8F, 0x80};
    EXPECT_EQ(port.written, expected);
}

TEST_F(ScriptedProtocolTest, WriteBlockCountsProgressAndClosesTheWindowOnEveryWayOut) {
    plugIn(test::loopBackPlug());
    const Bytes record(6, 0x20);
    ASSERT_EQ(protocol.writeBlock(0, record, 18), 0);
    EXPECT_EQ(protocol.transferTotal(), 18);
    EXPECT_EQ(protocol.transferDone(), 0) << "the opening block is not counted";
    ASSERT_EQ(protocol.writeBlock(6, record, 0), 0);
    EXPECT_EQ(protocol.transferDone(), 6);
    ASSERT_EQ(protocol.writeBlock(12, record, -1), 0);
    EXPECT_EQ(protocol.transferDone(), 12);
    EXPECT_EQ(progress.lastDone, 12);
    EXPECT_EQ(progress.events, (std::vector<std::string>{"open 18", "close"}));

    // A last block that fails still closes the window, and is reported as failed.
    progress.events.clear();
    port.devices["COM2"] = test::silentDevice();
    EXPECT_EQ(protocol.writeBlock(18, record, 0), -1);
    EXPECT_TRUE(progress.events.empty()) << "a failed middle block leaves the window to the caller";
    EXPECT_EQ(protocol.writeBlock(18, record, -1), -1);
    EXPECT_EQ(progress.events, std::vector<std::string>{"close"});
}

TEST_F(ScriptedProtocolTest, WriteBlockStopsAtAMissingDataEcho) {
    // Echoes the header and the first two data bytes, then falls silent.
    plugIn([n = 0](std::uint8_t byte, std::deque<std::uint8_t>& input) mutable {
        if (n++ < 7) input.push_back(byte);
    });
    EXPECT_EQ(protocol.writeBlock(0x100, Bytes{0x41, 0x42, 0x43, 0x44}, 0), -1);
    EXPECT_EQ(port.written.size(), 8u) << "nothing is sent after the byte whose echo is missing";
}

// Echoes the 5 header bytes, then sends `reply` and stays quiet while the
// program echoes the block back.
ScriptedSerialPort::Responder blockReply(Bytes reply) {
    return [reply, n = 0](std::uint8_t byte, std::deque<std::uint8_t>& input) mutable {
        if (n >= 5) return;
        input.push_back(byte);
        if (++n == 5) input.insert(input.end(), reply.begin(), reply.end());
    };
}

TEST_F(ScriptedProtocolTest, ReadBlockUnescapesAndEchoesEveryRawByte) {
    const Bytes line = {0x05, 0x85, 0x41, 0x10, 0x90, 0x10, 0x80, 0xFF};
    plugIn(blockReply(line));
    link.blockDelay = 25;
    Bytes out(5);
    const auto start = clock.nowMs();
    ASSERT_EQ(protocol.readBlock(block::ReadShowRecords, 0x0A10, out), 0);
    EXPECT_EQ(out, (Bytes{0x05, 0x41, 0x10, 0x00, 0xFF}));
    Bytes expectedWritten = {0x01, 0x0A, 0x10, 0x00, 0x05};
    expectedWritten.insert(expectedWritten.end(), line.begin(), line.end());
    EXPECT_EQ(port.written, expectedWritten);
    EXPECT_EQ(clock.nowMs() - start, 25) << "the block delay follows every block read";
}

TEST_F(ScriptedProtocolTest, ReadBlockFailsOnALostByteAndOnAnEscapeWithoutItsValue) {
    for (const Bytes& line : {Bytes{0x41, 0x42}, Bytes{0x41, 0x42, 0x05}}) {
        ScriptedSerialPort p{clock};
        p.devices["COM2"] = blockReply(line);
        ProjectorLink l(p, clock, prompter, "");
        ProjectorProtocol proto(l, clock, prompter, events, progress);
        ASSERT_EQ(l.openPort(), 0);
        Bytes out(3);
        EXPECT_EQ(proto.readBlock(block::ReadDescriptor, 160, out), -1);
    }
}

TEST_F(ScriptedProtocolTest, EveryFailureCodeShowsItsMessageBetweenPurges) {
    plugIn(test::silentDevice());
    const std::pair<int, std::string> cases[] = {
        {1, res::text(ids::CommunicationError)},
        {2, res::text(ids::CommunicationError)},
        {3, res::text(ids::CommunicationError)},
        {4, "Fehlernummer 4 bekommen"},
        {5, "Fehlernummer 5 bekommen"},
        {6, res::text(ids::LinkDisturbed)},
        {10, res::text(ids::NoModuleInSlot)},
        {11, res::text(ids::ModuleTooSmall)},
        {12, res::text(ids::ModuleCannotStore)},
        {97, res::text(ids::ModuleHoldsNoShow)},
        {98, res::text(ids::ShowStillRunning)},
        {200, res::text(ids::FileSaveFailed)},
        {201, res::text(ids::FileLoadFailed)},
        {122, "Fehlernummer 122 bekommen"},
        {-1, "Fehlernummer -1 bekommen"},
    };
    for (const auto& [code, text] : cases) {
        ASSERT_FALSE(text.empty()) << "string table lacks the text for code " << code;
        prompter.messages.clear();
        const int inputPurges = port.inputPurges;
        const int outputPurges = port.outputPurges;
        protocol.reportProjectorError(code);
        ASSERT_EQ(prompter.messages.size(), 1u) << code;
        EXPECT_EQ(prompter.messages[0].text, text) << code;
        EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(port.outputPurges, outputPurges + 1);
        EXPECT_EQ(port.inputPurges, inputPurges + 2) << "input is purged before and after the message";
    }
    prompter.messages.clear();
    const int inputPurges = port.inputPurges;
    protocol.reportProjectorError(0);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(port.inputPurges, inputPurges + 1) << "code 0 only clears the line";
}

// ------------------------------------------------------------ virtual projector

class SimulatedProtocolTest : public ::testing::Test {
protected:
    VirtualClock clock;
    sim::SimulatedSerialPort port{clock};
    RecordingPrompter prompter;
    NoEventPump events;
    RecordingProgress progress;
    ProjectorLink link{port, clock, prompter, ""};
    ProjectorProtocol protocol{link, clock, prompter, events, progress};

    sim::VirtualProjector& plugInProjector(sim::ProjectorOptions options = {}) {
        auto& projector = port.attachProjector("COM2", options);
        EXPECT_EQ(link.openPort(), 0);
        return projector;
    }
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : prompter.messages) texts.push_back(m.text);
        return texts;
    }
};

TEST_F(SimulatedProtocolTest, EveryByteValueSurvivesAWriteAndAReadBack) {
    auto& projector = plugInProjector();
    Bytes all(256);
    std::iota(all.begin(), all.end(), 0);
    const std::uint16_t start = projector.showStart();
    ASSERT_EQ(protocol.writeBlock(start, all, 0), 0);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(projector.memory().read(static_cast<std::uint16_t>(start + i)), i);
    Bytes back(256);
    ASSERT_EQ(protocol.readBlock(block::ReadShowRecords, start, back), 0);
    EXPECT_EQ(back, all);
    EXPECT_TRUE(projector.inCommandMode());
}

TEST_F(SimulatedProtocolTest, DescriptorGivesShowStartAndFirmware) {
    struct Case {
        std::string firmware;
        int result;
        int tenths;
    };
    const Case cases[] = {{"3.1  ", 0, 31}, {"3.0  ", 0, 30}, {" 3.2 ", 0, 32}, {"3.20 ", 0, 32}, {"abcde", -1, 0}};
    for (const auto& c : cases) {
        VirtualClock clk;
        sim::SimulatedSerialPort p(clk);
        sim::ProjectorOptions options;
        options.firmware = c.firmware;
        options.showStart = 0x0A10;
        p.attachProjector("COM2", options);
        ProjectorLink l(p, clk, prompter, "");
        ProjectorProtocol proto(l, clk, prompter, events, progress);
        ASSERT_EQ(l.openPort(), 0);
        std::uint16_t start = 0;
        ASSERT_EQ(proto.readShowBase(start), 0);
        EXPECT_EQ(start, 0x0A10);
        int tenths = 0;
        EXPECT_EQ(proto.readFirmwareVersion(tenths), c.result) << c.firmware;
        EXPECT_EQ(tenths, c.tenths) << c.firmware;
    }
}

TEST_F(SimulatedProtocolTest, CommandsReachTheProjectorAndLampLevelsArrive) {
    auto& projector = plugInProjector();
    ASSERT_EQ(protocol.sendCommand(command::OpenOperation), 0);
    ASSERT_EQ(protocol.sendLampLevel(ProjectorProtocol::lampLevel(100)), 0);
    EXPECT_EQ(projector.lampLevel(), 254);
    ASSERT_EQ(protocol.sendLampLevel(ProjectorProtocol::lampLevel(50)), 0);
    EXPECT_EQ(projector.lampLevel(), 127);
    ASSERT_EQ(protocol.sendCommand(command::CloseOperation), 0);
    EXPECT_EQ(projector.commandLog(), (std::vector<std::string>{"PE", "SL:254", "SL:127", "PA"}));
}

TEST_F(SimulatedProtocolTest, WaitReadyRidesOutABusyProjector) {
    sim::ProjectorOptions options;
    options.busyMs = 1000;
    plugInProjector(options);
    ASSERT_EQ(protocol.sendCommand(command::OpenOperation), 0);
    const auto start = clock.nowMs();
    EXPECT_EQ(protocol.waitReady(), 0);
    EXPECT_GE(clock.nowMs() - start, 900);
    EXPECT_LT(clock.nowMs() - start, 1300);
}

TEST_F(SimulatedProtocolTest, ReplyLinesComeBackWhole) {
    plugInProjector();
    ASSERT_EQ(protocol.sendCommand(command::CurrentLine), 0);
    std::string reply;
    ASSERT_EQ(link.readLine(reply, 20), 0);
    EXPECT_EQ(reply, "0");
    ASSERT_EQ(protocol.sendReadLine(1), 0);
    ASSERT_EQ(link.readLine(reply, 40), 0);
    EXPECT_EQ(reply.size(), 20u);
}

struct VersionCase {
    const char* name;
    std::function<void(sim::SimulatedSerialPort&)> plug;
    int expectedResult;
    std::vector<int> expectedMessageIds;  // 0 stands for the version message
    const char* expectedPort;
};
void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.name; }

class ProjectorVersion : public ::testing::TestWithParam<VersionCase> {};

sim::ProjectorOptions withFirmware(std::string firmware) {
    sim::ProjectorOptions options;
    options.firmware = std::move(firmware);
    return options;
}

TEST_P(ProjectorVersion, EndsWithTheVersionOrTheRightMessageWithinBoundedTime) {
    const VersionCase& c = GetParam();
    VirtualClock clock;
    sim::SimulatedSerialPort port(clock);
    c.plug(port);
    RecordingPrompter prompter;
    NoEventPump events;
    NoProgressWindows progress;
    ProjectorLink link(port, clock, prompter, "");
    ProjectorProtocol protocol(link, clock, prompter, events, progress);

    EXPECT_EQ(protocol.showProjectorVersion(), c.expectedResult);
    std::vector<std::string> expected;
    for (int id : c.expectedMessageIds) expected.push_back(id == 0 ? formatVersionMessage(31) : res::text(id));
    std::vector<std::string> shown;
    for (const auto& m : prompter.messages) shown.push_back(m.text);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(link.portName, c.expectedPort);
    if (c.expectedResult == 0) {
        EXPECT_EQ(prompter.messages.back().icon, MessageIcon::Information);
        EXPECT_EQ(port.projector(c.expectedPort)->commandLog(), (std::vector<std::string>{"PE", "PA"}));
    }
    // Failures must come within the bounded waits: two 30 s status waits at most.
    EXPECT_LT(clock.nowMs(), 70'000);
}

INSTANTIATE_TEST_SUITE_P(
    Protocol, ProjectorVersion,
    ::testing::Values(
        VersionCase{"OnCom2", [](auto& p) { p.attachProjector("COM2", withFirmware("3.1  ")); }, 0, {0}, "COM2"},
        VersionCase{"FoundOnCom3",
                    [](auto& p) {
                        p.attachSilent("COM1");
                        p.attachProjector("COM3", withFirmware(" 3.1 "));
                    },
                    0, {0}, "COM3"},
        VersionCase{"NoPortAtAll", [](auto&) {}, 1, {ids::NoPortsAvailable, ids::CommunicationError}, "COM4"},
        VersionCase{"NothingOnThePort", [](auto& p) { p.attachSilent("COM2"); }, 1,
                    {ids::ProjectorNotConnected, ids::CommunicationError}, "COM4"},
        // A loop-back plug left open at the end of the search echoes PE back, but
        // it holds no memory to read a version from.
        VersionCase{"LoopBackPlug", [](auto& p) { p.attachLoopback("COM4"); }, 3,
                    {ids::ProjectorNotConnected, ids::CommunicationError}, "COM4"},
        VersionCase{"WrongEcho",
                    [](auto& p) {
                        sim::ProjectorOptions o;
                        o.badEchoAfter = 1;
                        p.attachProjector("COM2", o);
                    },
                    1, {ids::CommunicationError}, "COM2"},
        VersionCase{"LostBytes",
                    [](auto& p) {
                        sim::ProjectorOptions o;
                        o.dropEvery = 7;
                        p.attachProjector("COM2", o);
                    },
                    3, {ids::CommunicationError}, "COM2"},
        VersionCase{"GarbledVersionText", [](auto& p) { p.attachProjector("COM2", withFirmware("?????")); }, 3,
                    {ids::CommunicationError}, "COM2"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ProjectorVersionOldFirmware, StillShowsTheVersionItRead) {
    // The minimum firmware is the transfer's business; the version query only reports.
    VirtualClock clock;
    sim::SimulatedSerialPort port(clock);
    port.attachProjector("COM2", withFirmware("2.9  "));
    RecordingPrompter prompter;
    NoEventPump events;
    NoProgressWindows progress;
    ProjectorLink link(port, clock, prompter, "");
    ProjectorProtocol protocol(link, clock, prompter, events, progress);
    EXPECT_EQ(protocol.showProjectorVersion(), 0);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, formatVersionMessage(29));
}

}  // namespace
}  // namespace vistrel
