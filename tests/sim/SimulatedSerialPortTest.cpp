// The in-process serial port: what is plugged in under each name, the wire time
// of a byte, the read time-out and purging, all on virtual time.
#include <gtest/gtest.h>

#include "platform/fake/VirtualClock.h"
#include "sim/SimulatedSerialPort.h"

namespace vistrel::sim {
namespace {

TEST(SimulatedSerialPort, EachKindOfDeviceBehavesAsItsHardware) {
    VirtualClock clock;
    SimulatedSerialPort port(clock);
    port.attachProjector("COM3");
    port.attachLoopback("COM1");
    port.attachSilent("COM4");

    const struct {
        const char* name;
        bool opens;
        int answerToStatusQuery;
    } cases[] = {
        {"COM1", true, StatusQueryByte},  // the loop-back plug returns the query itself
        {"COM2", false, -1},              // nothing there
        {"COM3", true, 'R'},
        {"COM4", true, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(port.open(c.name), c.opens);
        if (!c.opens) {
            EXPECT_FALSE(port.isOpen());
            EXPECT_FALSE(port.writeByte(StatusQueryByte));
            continue;
        }
        EXPECT_TRUE(port.configure());
        EXPECT_TRUE(port.writeByte(StatusQueryByte));
        EXPECT_EQ(port.readByte(), c.answerToStatusQuery);
        port.close();
    }
    EXPECT_EQ(port.openAttempts(), (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4"}));
}

TEST(SimulatedSerialPort, ConfigureCanBeMadeToFail) {
    VirtualClock clock;
    SimulatedSerialPort port(clock);
    port.attachProjector("COM2");
    port.setConfigureFails("COM2");
    ASSERT_TRUE(port.open("COM2"));
    EXPECT_FALSE(port.configure());
    EXPECT_TRUE(port.isOpen()) << "the caller closes it";
}

TEST(SimulatedSerialPort, WritingCostsWireTimeAndAnEmptyReadCostsTheTimeOut) {
    VirtualClock clock;
    SimulatedSerialPort port(clock);
    port.attachSilent("COM2");
    ASSERT_TRUE(port.open("COM2"));
    // 96 bytes of 11 bit times at 9600 baud are exactly 110 ms; rounding each byte
    // on its own would give 96 or 192.
    for (int i = 0; i < 96; ++i) port.writeByte(0x41);
    EXPECT_EQ(clock.nowMs(), 110);
    EXPECT_EQ(port.readByte(), -1);
    EXPECT_EQ(clock.nowMs(), 110 + ReadTimeoutMs);
}

TEST(SimulatedSerialPort, PurgeDiscardsWhatWasNotYetRead) {
    VirtualClock clock;
    SimulatedSerialPort port(clock);
    port.attachProjector("COM2");
    ASSERT_TRUE(port.open("COM2"));
    for (char c : std::string("AZ\r")) port.writeByte(static_cast<std::uint8_t>(c));
    port.purgeInput();
    EXPECT_EQ(port.readByte(), -1);
    port.writeByte(StatusQueryByte);
    EXPECT_EQ(port.readByte(), 'R') << "the projector goes on after a purge";
}

TEST(SimulatedSerialPort, SleepingOnTheClockRunsTheShow) {
    VirtualClock clock;
    SimulatedSerialPort port(clock);
    VirtualProjector& projector = port.attachProjector("COM2");
    projector.loadShow({ShowRecord::fromLine(1, 0, 10, 0), ShowRecord::fromLine(2, 0, 10, 0)});
    ASSERT_TRUE(port.open("COM2"));
    for (char c : std::string("GZ:000\r")) port.writeByte(static_cast<std::uint8_t>(c));
    EXPECT_EQ(projector.currentLine(), 1);
    clock.sleepMs(1000);
    EXPECT_EQ(projector.currentLine(), 2);
}

}  // namespace
}  // namespace vistrel::sim
