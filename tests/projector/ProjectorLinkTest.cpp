// The serial link against scripted far ends: the port search, byte retries and
// purges, echo checks, reply lines and the raw traffic log.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/fake/RecordingPrompter.h"
#include "platform/fake/VirtualClock.h"
#include "projector/ProjectorLink.h"
#include "res/StringTable.h"
#include "res/strings/ProjectorStrings.h"
#include "tests/projector/ScriptedSerialPort.h"

namespace vistrel {
namespace {

using test::ScriptedSerialPort;

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class LinkTest : public ::testing::Test {
protected:
    VirtualClock clock;
    ScriptedSerialPort port{clock};
    RecordingPrompter prompter;
    ProjectorLink link{port, clock, prompter, ""};

    void openOn(ScriptedSerialPort::Responder device) {
        port.devices["COM2"] = std::move(device);
        ASSERT_EQ(link.openPort(), 0);
    }
    std::string messageText(std::size_t i) const { return prompter.messages.at(i).text; }
};

struct SearchCase {
    const char* name;
    std::map<std::string, ScriptedSerialPort::Responder> devices;
    std::vector<std::string> expectedOpens;
    int expectedResult;
    const char* expectedPort;
    int expectedMessage;  // 0: none
    bool portLeftOpen;
};
void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.name; }

class ConnectSearch : public ::testing::TestWithParam<SearchCase> {};

TEST_P(ConnectSearch, FollowsTheSearchOrderAndNamesTheRightFailure) {
    const SearchCase& c = GetParam();
    VirtualClock clock;
    ScriptedSerialPort port{clock};
    port.devices = c.devices;
    RecordingPrompter prompter;
    ProjectorLink link(port, clock, prompter, "");

    EXPECT_EQ(link.connect(), c.expectedResult);
    EXPECT_EQ(port.openedNames, c.expectedOpens);
    EXPECT_EQ(link.portName, c.expectedPort);
    EXPECT_EQ(link.connected, c.expectedResult == 0);
    EXPECT_EQ(link.isPortOpen(), c.portLeftOpen);
    if (c.expectedMessage == 0) {
        EXPECT_TRUE(prompter.messages.empty());
    } else {
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text, res::text(c.expectedMessage));
        EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Exclamation);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Link, ConnectSearch,
    ::testing::Values(
        SearchCase{"ProjectorOnCurrentPort", {{"COM2", test::echoingProjector()}}, {"COM2"}, 0, "COM2", 0, true},
        SearchCase{"ProjectorOnCom3SkipsCom2",
                   {{"COM1", test::silentDevice()}, {"COM2", test::silentDevice()},
                    {"COM3", test::echoingProjector('v')}, {"COM4", test::silentDevice()}},
                   {"COM2", "COM1", "COM3"}, 0, "COM3", 0, true},
        SearchCase{"NoPortsAtAll", {}, {}, -1, "COM4", ids::NoPortsAvailable, false},
        SearchCase{"OnlyALoopBackPlug", {{"COM2", test::loopBackPlug()}}, {"COM2"}, -1, "COM4",
                   ids::ProjectorNotConnected, false},
        SearchCase{"SilentPortsEverywhere",
                   {{"COM1", test::silentDevice()}, {"COM2", test::silentDevice()},
                    {"COM3", test::silentDevice()}, {"COM4", test::silentDevice()}},
                   {"COM2", "COM1", "COM3", "COM4"}, -1, "COM4", ids::ProjectorNotConnected, true},
        // A lower-case "r" is not one of the letters that identify a projector.
        SearchCase{"WrongCaseStatusLetter", {{"COM2", test::echoingProjector('r')}}, {"COM2"}, -1, "COM4",
                   ids::ProjectorNotConnected, false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(LinkTest, ConnectSendsNothingWhileConnectedAndOpensAClosedPortAgain) {
    port.devices["COM2"] = test::echoingProjector();
    ASSERT_EQ(link.connect(), 0);
    const auto bytesBefore = port.written.size();
    EXPECT_EQ(link.connect(), 0);
    EXPECT_EQ(port.written.size(), bytesBefore);

    // Connected on a closed port would make every command fail without a search.
    link.closePort();
    EXPECT_FALSE(link.connected);
    EXPECT_EQ(link.connect(), 0);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.written.size(), bytesBefore + 1) << "probed again";
}

TEST_F(LinkTest, OpenPortConfiguresRaisesDtrAndDrainsStaleInput) {
    port.devices["COM2"] = test::silentDevice();
    port.input = {'x', 'y', 'z'};
    ASSERT_EQ(link.openPort(), 0);
    EXPECT_TRUE(port.dtr);
    EXPECT_TRUE(port.input.empty());

    ScriptedSerialPort refusing{clock};
    refusing.devices["COM2"] = test::silentDevice();
    refusing.configureSucceeds = false;
    ProjectorLink other(refusing, clock, prompter, "");
    EXPECT_EQ(other.openPort(), -1);
    EXPECT_TRUE(refusing.isOpen()) << "the caller closes a port that failed to configure";
}

TEST_F(LinkTest, ProbeAcceptsExactlyTheProjectorStatusLetters) {
    const std::string accepted = "RBgiepjvwxy";
    for (int letter = 0; letter < 256; ++letter) {
        ScriptedSerialPort p{clock};
        p.devices["COM2"] = test::echoingProjector(static_cast<std::uint8_t>(letter));
        ProjectorLink l(p, clock, prompter, "");
        ASSERT_EQ(l.openPort(), 0);
        const bool isProjector = letter != 0 && accepted.find(static_cast<char>(letter)) != std::string::npos;
        EXPECT_EQ(l.probe(), isProjector ? 0 : -1) << "status byte " << letter;
        EXPECT_EQ(p.written, std::vector<std::uint8_t>{0xE1}) << "the probe sends the bare status query";
    }
}

TEST_F(LinkTest, ReadByteRetriesThreeTimesAndPurgesOnlyOnTheFirstFailureOfARun) {
    openOn(test::silentDevice());
    // openPort's drain ended in a failed read; a byte that arrives ends that run.
    port.input = {0x01};
    ASSERT_EQ(link.readByte(), 0x01);
    const int purgesAfterOpen = port.inputPurges;
    ASSERT_EQ(port.outputPurges, purgesAfterOpen);
    port.readAttempts = 0;

    EXPECT_EQ(link.readByte(), -1);
    EXPECT_EQ(port.readAttempts, 3);
    EXPECT_EQ(link.readFailureRun, 1);
    EXPECT_EQ(port.inputPurges, purgesAfterOpen + 1);
    EXPECT_EQ(port.outputPurges, purgesAfterOpen + 1);

    EXPECT_EQ(link.readByte(), -1);
    EXPECT_EQ(link.readFailureRun, 2);
    EXPECT_EQ(port.inputPurges, purgesAfterOpen + 1) << "a run of failures purges once";

    port.input = {0x42};
    EXPECT_EQ(link.readByte(), 0x42);
    EXPECT_EQ(link.readFailureRun, 0);

    EXPECT_EQ(link.readByte(), -1);
    EXPECT_EQ(port.inputPurges, purgesAfterOpen + 2) << "a new run purges again";
}

TEST_F(LinkTest, WriteFailurePurgesBothQueues) {
    openOn(test::silentDevice());
    port.failWritesAfter = 0;
    const int inputPurges = port.inputPurges;
    const int outputPurges = port.outputPurges;
    EXPECT_EQ(link.writeByte(0x50), -1);
    EXPECT_EQ(port.inputPurges, inputPurges + 1);
    EXPECT_EQ(port.outputPurges, outputPurges + 1);
}

struct EchoCase {
    const char* name;
    ScriptedSerialPort::Responder device;
    int expectedResult;
    std::string expectedWritten;
};
void PrintTo(const EchoCase& c, std::ostream* os) { *os << c.name; }

class SendChecked : public ::testing::TestWithParam<EchoCase> {};

TEST_P(SendChecked, StopsAtTheFirstByteWithoutItsEcho) {
    const EchoCase& c = GetParam();
    VirtualClock clock;
    ScriptedSerialPort port{clock};
    port.devices["COM2"] = c.device;
    RecordingPrompter prompter;
    ProjectorLink link(port, clock, prompter, "");
    ASSERT_EQ(link.openPort(), 0);
    EXPECT_EQ(link.sendChecked("PEX\r"), c.expectedResult);
    EXPECT_EQ(std::string(port.written.begin(), port.written.end()), c.expectedWritten);
}

INSTANTIATE_TEST_SUITE_P(
    Link, SendChecked,
    ::testing::Values(EchoCase{"AllEchoed", test::echoingProjector(), 0, "PEX\r"},
                      EchoCase{"Silent", test::silentDevice(), -1, "P"},
                      // "P" and "E" come back, the third byte comes back changed.
                      EchoCase{"WrongThirdEcho",
                               [](std::uint8_t b, std::deque<std::uint8_t>& in) {
                                   in.push_back(b == 'X' ? 'Y' : b);
                               },
                               -1, "PEX"},
                      // Only the first byte is echoed, then the line goes quiet.
                      EchoCase{"EchoLostAfterFirstByte",
                               [n = 0](std::uint8_t b, std::deque<std::uint8_t>& in) mutable {
                                   if (n++ == 0) in.push_back(b);
                               },
                               -1, "PE"}),
    [](const auto& param) { return std::string(param.param.name); });

struct LineCase {
    const char* name;
    std::string arriving;
    int max;
    int expectedResult;
    std::string expectedText;
    std::size_t expectedLeftOver;
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class ReadLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ReadLine, StoresTheTextBeforeTheCarriageReturn) {
    const LineCase& c = GetParam();
    VirtualClock clock;
    ScriptedSerialPort port{clock};
    port.devices["COM2"] = test::silentDevice();
    RecordingPrompter prompter;
    ProjectorLink link(port, clock, prompter, "");
    ASSERT_EQ(link.openPort(), 0);
    port.input.assign(c.arriving.begin(), c.arriving.end());
    std::string text = "old";
    EXPECT_EQ(link.readLine(text, c.max), c.expectedResult);
    if (c.expectedResult == 0) {
        EXPECT_EQ(text, c.expectedText);
        EXPECT_EQ(port.input.size(), c.expectedLeftOver);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Link, ReadLine,
    ::testing::Values(LineCase{"CrLf", "17\r\nNEXT", 20, 0, "17", 4},
                      LineCase{"BytesAfterCrReadUpToLf", "5\rxy\nNEXT", 20, 0, "5", 4},
                      LineCase{"LongerThanMaxWithoutCr", "0123456789ABCDEFGHIJKLMN", 20, 0, "0123456789ABCDEFGHIJ", 4},
                      // A reply ended by CR alone is complete; the missing LF is no failure.
                      LineCase{"CrWithoutLf", "012 005 030 0125 000\r", 40, 0, "012 005 030 0125 000", 0},
                      LineCase{"NothingArrives", "", 20, -1, "", 0},
                      LineCase{"BrokenOffBeforeCr", "12", 20, -1, "", 0}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(LinkTest, DrainInputEndsEvenWhenTheDeviceNeverStopsSending) {
    // A device that refills its output on every read: drainInput must still return.
    struct Chatter : ScriptedSerialPort {
        using ScriptedSerialPort::ScriptedSerialPort;
        int readByte() override { return 'g'; }
    };
    Chatter chatter{clock};
    chatter.devices["COM2"] = test::silentDevice();
    ProjectorLink chattyLink(chatter, clock, prompter, "");
    EXPECT_EQ(chattyLink.openPort(), 0);  // openPort drains; returning at all is the test
}

class LinkLogTest : public LinkTest {
protected:
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("vistrel-link-log-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }
};

TEST_F(LinkLogTest, LogHoldsEveryByteInLineOrderAndReplacesAnOldLog) {
    const auto logPath = folder / "DIA.LOG";
    {
        std::ofstream old(logPath, std::ios::binary);
        old << "an older run's traffic";
    }
    port.devices["COM2"] = test::echoingProjector('R');
    ProjectorLink logged(port, clock, prompter, logPath.string());
    ASSERT_EQ(logged.openPort(), 0);
    ASSERT_EQ(logged.sendChecked("PE\r"), 0);
    ASSERT_EQ(logged.probe(), 0);
    std::vector<std::uint8_t> binary = {0x00, 0xFF, 0x10};
    for (auto b : binary) {
        logged.writeByte(b);
        logged.readByte();
    }
    logged.closeLog();
    logged.writeByte('Z');  // after the log is closed nothing more is added

    const std::string expected = std::string("PPEE\r\r") + "\xE1R" + std::string("\x00\x00\xFF\xFF\x10\x10", 6);
    EXPECT_EQ(readFile(logPath), expected);
}

TEST_F(LinkLogTest, AnUnwritableLogNeverStopsTheTraffic) {
    port.devices["COM2"] = test::echoingProjector();
    ProjectorLink logged(port, clock, prompter, (folder / "no-such-folder" / "DIA.LOG").string());
    ASSERT_EQ(logged.openPort(), 0);
    EXPECT_EQ(logged.sendChecked("PE\r"), 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "no-such-folder"));

    ProjectorLink full(port, clock, prompter, "/dev/full");
    EXPECT_EQ(full.sendChecked(std::string(10000, 'A')), 0) << "a log that fills up is simply dropped";
    EXPECT_EQ(full.readByte(), -1);
}

}  // namespace
}  // namespace vistrel
