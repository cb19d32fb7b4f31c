#pragma once
// A serial port for tests, on virtual time: each port name leads to a virtual
// projector, a loop-back plug, a silent device or nothing at all (the default).
// Writing a byte costs its wire time at 9600 baud, 8 data bits, 2 stop bits (11 bit
// times, about 1.15 ms); a read that finds nothing waits the port's read time-out
// (126 ms). No threads and no real time: a whole transfer runs in milliseconds.
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/SerialPort.h"
#include "platform/fake/VirtualClock.h"
#include "sim/VirtualProjector.h"

namespace vistrel::sim {

constexpr int ReadTimeoutMs = 126;

class SimulatedSerialPort final : public vistrel::SerialPort {
public:
    explicit SimulatedSerialPort(vistrel::VirtualClock& clock);
    ~SimulatedSerialPort() override;

    // What is plugged in under a name ("COM1" .. "COM4" or any other name).
    VirtualProjector& attachProjector(const std::string& name, ProjectorOptions options = {});
    void attachLoopback(const std::string& name);  // echoes every byte, 0xE1 too
    void attachSilent(const std::string& name);    // opens, never answers
    void detach(const std::string& name);          // absent: open fails
    void setConfigureFails(const std::string& name, bool fails = true);
    // The projector under a name, or nullptr.
    VirtualProjector* projector(const std::string& name);

    // Every name open() was called with, in order.
    const std::vector<std::string>& openAttempts() const { return openAttempts_; }
    const std::string& openName() const { return openName_; }
    bool dtr() const { return dtr_; }

    // SerialPort
    bool open(const std::string& name) override;
    bool configure() override;
    void close() override;
    bool isOpen() const override { return !openName_.empty(); }
    void setDtr(bool on) override;
    bool writeByte(std::uint8_t byte) override;
    int readByte() override;
    void purgeOutput() override;
    void purgeInput() override;

private:
    enum class Kind { Projector, Loopback, Silent };
    struct Device {
        Kind kind = Kind::Silent;
        std::unique_ptr<VirtualProjector> projector;
        std::deque<std::uint8_t> loopback;
        bool configureFails = false;
    };
    // Shared with the clock's listener, which may outlive this port.
    struct Devices {
        std::map<std::string, Device> byName;
    };

    Device* openDevice();
    Device& plug(const std::string& name, Kind kind);
    void spendWireTime();
    int takeDueByte();

    vistrel::VirtualClock& clock_;
    std::shared_ptr<Devices> devices_;
    std::string openName_;
    std::vector<std::string> openAttempts_;
    bool dtr_ = false;
    int wireRemainder_ = 0;  // in 1/9600 ms, carried from byte to byte
};

}  // namespace vistrel::sim
