// The Qt serial port on a real pseudo terminal: port names, single bytes both
// ways, purging, and the modem-line calls a pseudo terminal refuses.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QCoreApplication>

#include "platform/qt/core/LowLatency.h"
#include "platform/qt/core/QtSerialPort.h"

namespace vistrel {
namespace {

TEST(QtSerialPortNames, ComNamesFollowTheEnvironmentElseTheSerialDevices) {
    qputenv("VISTREL_COM3", "/tmp/some-pty");
    qunsetenv("VISTREL_COM1");
    const std::pair<const char*, const char*> cases[] = {
        {"COM1", "/dev/ttyS0"}, {"COM3", "/tmp/some-pty"}, {"COM4", "/dev/ttyS3"},
        {"/dev/pts/7", "/dev/pts/7"}, {"com2", "/dev/ttyS1"},
    };
    for (auto [name, device] : cases) {
        EXPECT_EQ(QtSerialPort::deviceForPortName(QString::fromLatin1(name)), QString::fromLatin1(device)) << name;
    }
    qunsetenv("VISTREL_COM3");
}

// The far end of a pseudo terminal, standing in for the projector.
class PseudoTerminal {
public:
    PseudoTerminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
        slavePath_ = ptsname(master_);
    }
    ~PseudoTerminal() {
        if (master_ >= 0) close(master_);
    }
    const std::string& slavePath() const { return slavePath_; }
    void send(std::string_view bytes) { ASSERT_EQ(write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
    std::string receive(std::size_t count) {
        std::string result;
        while (result.size() < count) {
            char buffer[64];
            const ssize_t n = read(master_, buffer, std::min(sizeof buffer, count - result.size()));
            if (n <= 0) break;
            result.append(buffer, static_cast<std::size_t>(n));
        }
        return result;
    }

private:
    int master_ = -1;
    std::string slavePath_;
};

TEST(QtSerialPortOnPty, MovesBytesBothWaysAndPurgesWhatWaits) {
    int argc = 1;
    char name[] = "projector_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    PseudoTerminal pty;
    ASSERT_FALSE(pty.slavePath().empty());
    QtSerialPort port;
    ASSERT_TRUE(port.open(pty.slavePath()));
    EXPECT_TRUE(port.configure()) << "a pseudo terminal refusing RTS is not a configuration failure";
    port.setDtr(true);

    EXPECT_EQ(port.readByte(), -1) << "nothing sent yet";
    pty.send("\x10\x85\xE1");
    EXPECT_EQ(port.readByte(), 0x10);
    EXPECT_EQ(port.readByte(), 0x85);
    EXPECT_EQ(port.readByte(), 0xE1) << "bytes above 0x7F come back unsigned";

    for (std::uint8_t b : {std::uint8_t{'P'}, std::uint8_t{0x00}, std::uint8_t{0xFF}}) EXPECT_TRUE(port.writeByte(b));
    EXPECT_EQ(pty.receive(3), std::string("P\x00\xFF", 3));

    pty.send("stale");
    usleep(20'000);
    port.readByte();  // fetches what is there into the port's buffer
    port.purgeInput();
    EXPECT_EQ(port.readByte(), -1) << "purged bytes must not come back";

    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.writeByte('x'));
    EXPECT_EQ(port.readByte(), -1);
    EXPECT_FALSE(port.open("/dev/no-such-serial-device"));
}

TEST(QtSerialPortOnPty, APseudoTerminalRefusesLowLatencyAndStillWorks) {
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slavePath().empty());
    const int fd = ::open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(requestLowLatency(fd), LowLatency::Refused);
    ::close(fd);
    EXPECT_EQ(requestLowLatency(-1), LowLatency::Refused);
}

}  // namespace
}  // namespace vistrel
