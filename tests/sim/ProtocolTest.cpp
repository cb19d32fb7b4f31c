// The projector's side of the protocol byte by byte: echoes, replies, status
// letters, escaped block frames and the memory places the program reads.
#include <gtest/gtest.h>

#include "ProjectorBench.h"

namespace vistrel::sim {
namespace {

using test::ProjectorBench;
using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(Protocol, EchoesEveryCommandByteAndRepliesOnlyWhereAReplyIsDue) {
    struct Case {
        const char* command;
        std::optional<std::string> reply;
    };
    const Case cases[] = {
        {"PE", std::nullopt},
        {"SL:254", std::nullopt},
        {"AZ", "0"},
        {"AB", "0"},
        {"LZ:001", "001 000 000 0000 000"},
        {"ST", std::nullopt},
        {"MOT", std::nullopt},
        {"QQ:12", std::nullopt},  // unknown: echoed, nothing else
        {"PA", std::nullopt},
    };
    ProjectorBench bench;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_TRUE(bench.command(c.command));
        if (c.reply) {
            EXPECT_EQ(bench.drain(), bytesOf(*c.reply + "\r\n"));
        } else {
            EXPECT_TRUE(bench.drain().empty());
        }
    }
    const std::vector<std::string> expectedLog = {"PE", "SL:254", "AZ", "AB", "LZ:001", "ST", "MOT", "QQ:12", "PA"};
    EXPECT_EQ(bench.projector.commandLog(), expectedLog);
    EXPECT_EQ(bench.projector.lampLevel(), 254);
}

TEST(Protocol, StatusQueryIsAnsweredNotEchoedEvenInsideACommand) {
    ProjectorBench bench;
    EXPECT_EQ(bench.status(), 'R');
    ASSERT_TRUE(bench.sendText("A"));
    EXPECT_EQ(bench.status(), 'R');
    ASSERT_TRUE(bench.sendText("Z\r"));
    EXPECT_EQ(bench.readLine(), "0");
    EXPECT_TRUE(bench.drain().empty());
}

TEST(Protocol, WriteFrameStoresUnescapedValues) {
    ProjectorBench bench;
    const Bytes values = {0x00, 0x01, 0x10, 0x11, 0x7F, 0x80, 0x90, 0xE1, 0xFF};
    ASSERT_TRUE(bench.writeBlock(0x2000, values));
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(bench.projector.memory().read(static_cast<std::uint16_t>(0x2000 + i)), values[i]) << i;
    }
    EXPECT_EQ(bench.projector.memory().read(0x2000 + 9), 0) << "nothing written past the count";
    // The frame is over: the next byte is a command again.
    EXPECT_TRUE(bench.projector.inCommandMode());
    EXPECT_EQ(bench.askNumber("AZ"), 0);
}

TEST(Protocol, ReadFrameSendsEscapedValuesAndWaitsForEachEcho) {
    ProjectorBench bench;
    bench.projector.setMemory(0x3000, {0x05, 0x11, 0x10, 0xE1});
    ASSERT_TRUE(bench.sendChecked(ProjectorBench::header(1, 0x3000, 4)));

    const Bytes wire = {0x10, 0x85, 0x11, 0x10, 0x90, 0xE1};
    for (std::uint8_t expected : wire) {
        EXPECT_EQ(bench.port.readByte(), expected);
        // Nothing more comes until the program has echoed this byte.
        EXPECT_EQ(bench.port.readByte(), -1);
        bench.port.writeByte(expected);
    }
    EXPECT_EQ(bench.port.readByte(), -1);
    EXPECT_TRUE(bench.projector.inCommandMode());
}

TEST(Protocol, ReadFrameEndsAtAWrongEchoAndTakesItAsACommandByte) {
    ProjectorBench bench;
    bench.projector.setMemory(0x3000, {0x60, 0x61, 0x62});
    ASSERT_TRUE(bench.sendChecked(ProjectorBench::header(1, 0x3000, 3)));
    EXPECT_EQ(bench.port.readByte(), 0x60);
    // The program gave up and starts a command instead of echoing.
    ASSERT_TRUE(bench.command("AB"));
    EXPECT_EQ(bench.readLine(), "0");
}

TEST(Protocol, UnfinishedFrameIsDroppedAfterQuiet) {
    ProjectorBench bench;
    // A write frame that announced 6 bytes but got only 2.
    ASSERT_TRUE(bench.sendChecked(ProjectorBench::header(0, 0x2000, 6)));
    ASSERT_TRUE(bench.sendChecked({0x41, 0x42}));
    bench.clock.advance(PartialInputTimeoutMs + 1);
    ASSERT_TRUE(bench.command("PA"));
    EXPECT_EQ(bench.projector.memory().read(0x2002), 0) << "'P' must not be stored as data";
    EXPECT_EQ(bench.projector.commandLog().back(), "PA");

    // A read frame whose echo never comes.
    ASSERT_TRUE(bench.sendChecked(ProjectorBench::header(2, 160, 10)));
    EXPECT_GE(bench.port.readByte(), 0);
    bench.clock.advance(PartialInputTimeoutMs + 1);
    EXPECT_TRUE(bench.projector.inCommandMode());
}

TEST(Protocol, FrameWithCountZeroReturnsToCommandModeAtOnce) {
    ProjectorBench bench;
    ASSERT_TRUE(bench.sendChecked(ProjectorBench::header(1, 0x1234, 0)));
    EXPECT_EQ(bench.askNumber("AB"), 0);
}

TEST(Protocol, DescriptorAndVersionAreWhereTheProgramLooks) {
    struct Case {
        std::string firmware;
        std::uint16_t showStart;
        std::string expectedText;
    };
    const Case cases[] = {
        {"3.20 ", 0x0A10, "3.20 "},
        {" 3.2", 0x0A10, " 3.2 "},  // short texts are padded with blanks
        {"3.0  ", 0x1000, "3.0  "},
        {"V3.15", 0xFFF0, "V3.15"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firmware);
        ProjectorOptions options;
        options.firmware = c.firmware;
        options.showStart = c.showStart;
        ProjectorBench bench(options);
        const auto descriptor = bench.readBlock(2, 160, 10);
        ASSERT_TRUE(descriptor);
        EXPECT_EQ((*descriptor)[2] << 8 | (*descriptor)[3], c.showStart);
        const auto pointer = bench.readBlock(2, 202, 2);
        ASSERT_TRUE(pointer);
        const auto text = bench.readBlock(2, static_cast<std::uint16_t>((*pointer)[0] << 8 | (*pointer)[1]), 5);
        ASSERT_TRUE(text);
        EXPECT_EQ(std::string(text->begin(), text->end()), c.expectedText);
    }
}

TEST(Protocol, RecordsWrittenByFramesAreReadBackByLZ) {
    ProjectorBench bench;
    const std::uint16_t start = bench.projector.showStart();
    // Line 2: slide 300, dissolve 2.5 s, timer 12.5 s, code 260.
    ASSERT_TRUE(bench.writeBlock(static_cast<std::uint16_t>(start + 6), {0x2C, 0x01, 25, 0xE2, 0x04, 0x62}));
    EXPECT_EQ(bench.ask("LZ:002"), "002 300 025 0125 260");
    EXPECT_EQ(bench.ask("LZ:001"), "001 000 000 0000 000");
    const auto back = bench.readBlock(1, static_cast<std::uint16_t>(start + 6), 6);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, (Bytes{0x2C, 0x01, 25, 0xE2, 0x04, 0x62}));
}

TEST(Protocol, LineEditingCommandsChangeTheSelectedRecord) {
    ProjectorBench bench;
    bench.projector.loadShow({ShowRecord::fromLine(1, 10, 50, 0), ShowRecord::fromLine(2, 10, 50, 0),
                              ShowRecord::fromLine(3, 10, 50, 0)});
    for (const char* c : {"SZ:003", "BN:300", "DI:025", "TI:0125", "SF:045"}) ASSERT_TRUE(bench.command(c));
    EXPECT_EQ(bench.ask("LZ:003"), "003 300 025 0125 045");
    EXPECT_EQ(bench.projector.memory().record(2).toBytes(),
              (std::array<std::uint8_t, 6>{0x2C, 0x01, 25, 0xE2, 0x04, 0x25}));
    EXPECT_EQ(bench.ask("LZ:002"), "002 002 010 0050 000") << "other lines untouched";

    // SZ:000 selects nothing; the following changes go nowhere.
    const auto before = bench.projector.memory().showRecords();
    for (const char* c : {"SZ:000", "BN:999", "TI:0001"}) ASSERT_TRUE(bench.command(c));
    EXPECT_EQ(bench.projector.memory().showRecords(), before);
}

TEST(Protocol, GarbledCommandsAreEchoedAndIgnored) {
    ProjectorBench bench;
    bench.projector.loadShow({ShowRecord::fromLine(1, 10, 50, 0)});
    for (const char* c : {"GZ:", "GZ:0x1", ":12", "GZ:00000000000000000000000000000000000001"}) {
        SCOPED_TRACE(c);
        ASSERT_TRUE(bench.command(c));
        EXPECT_FALSE(bench.projector.isRunning());
    }
    EXPECT_EQ(bench.askNumber("AZ"), 0);
}

TEST(Faults, SilentProjectorSendsNothing) {
    ProjectorOptions options;
    options.silent = true;
    ProjectorBench bench(options);
    EXPECT_FALSE(bench.command("PE"));
    EXPECT_EQ(bench.status(), -1);
}

TEST(Faults, BadEchoAfterNCorruptsEveryLaterEcho) {
    ProjectorOptions options;
    options.badEchoAfter = 2;
    ProjectorBench bench(options);
    bench.port.writeByte('P');
    EXPECT_EQ(bench.port.readByte(), 'P');
    bench.port.writeByte('E');
    EXPECT_EQ(bench.port.readByte(), 'E');
    bench.port.writeByte('\r');
    EXPECT_EQ(bench.port.readByte(), '\r' + 1);
    bench.port.writeByte('A');
    EXPECT_EQ(bench.port.readByte(), 'A' + 1);
    EXPECT_EQ(bench.status(), 'R') << "the status letter is not an echo";
}

TEST(Faults, DropEveryNLosesEveryNthSentByte) {
    ProjectorOptions options;
    options.dropEvery = 3;
    ProjectorBench bench(options);
    std::vector<int> received;
    for (char c : std::string("ABCDEFG")) {
        bench.port.writeByte(static_cast<std::uint8_t>(c));
        received.push_back(bench.port.readByte());
    }
    EXPECT_EQ(received, (std::vector<int>{'A', 'B', -1, 'D', 'E', -1, 'G'}));
}

TEST(Faults, BusyMsReportsBusyAfterEachCommand) {
    ProjectorOptions options;
    options.busyMs = 500;
    ProjectorBench bench(options);
    EXPECT_EQ(bench.status(), 'R');
    ASSERT_TRUE(bench.command("PE"));
    EXPECT_EQ(bench.status(), 'B');
    bench.clock.advance(450);
    EXPECT_EQ(bench.status(), 'B');
    bench.clock.advance(60);
    EXPECT_EQ(bench.status(), 'R');
}

}  // namespace
}  // namespace vistrel::sim
