#pragma once
// A serial port for link tests whose far end is a small script: each device name
// that exists gets a responder that sees every written byte and may queue bytes
// to be read. Records what the link did to the port. Like a real port, a read that
// finds nothing costs its time-out on the clock: a wait that counts polls instead of
// watching the clock then shows up as the minutes it would take.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/SerialPort.h"
#include "platform/fake/VirtualClock.h"

namespace vistrel::test {

class ScriptedSerialPort : public SerialPort {
public:
    // The read time-out of one attempt, as the real port is configured.
    static constexpr int ReadTimeoutMs = 126;

    explicit ScriptedSerialPort(VirtualClock& clock) : clock_(clock) {}

    // Called for every written byte; pushes the far end's answer onto `input`.
    using Responder = std::function<void(std::uint8_t written, std::deque<std::uint8_t>& input)>;

    // Devices that exist, by port name; names missing here cannot be opened.
    std::map<std::string, Responder> devices;
    bool configureSucceeds = true;
    // Writes fail from this many written bytes on (-1: never).
    int failWritesAfter = -1;

    // What the link did.
    std::vector<std::string> openedNames;  // every successful open, in order
    std::vector<std::uint8_t> written;
    std::deque<std::uint8_t> input;
    int readAttempts = 0;
    int inputPurges = 0;
    int outputPurges = 0;
    bool dtr = false;
    std::string currentName;

    bool open(const std::string& name) override {
        if (!devices.count(name)) return false;
        isOpen_ = true;
        currentName = name;
        openedNames.push_back(name);
        return true;
    }
    bool configure() override { return isOpen_ && configureSucceeds; }
    void close() override { isOpen_ = false; }
    bool isOpen() const override { return isOpen_; }
    void setDtr(bool on) override { dtr = on; }

    bool writeByte(std::uint8_t byte) override {
        if (!isOpen_) return false;
        if (failWritesAfter >= 0 && static_cast<int>(written.size()) >= failWritesAfter) return false;
        written.push_back(byte);
        auto& responder = devices[currentName];
        if (responder) responder(byte, input);
        return true;
    }
    int readByte() override {
        ++readAttempts;
        if (!isOpen_ || input.empty()) {
            clock_.advance(ReadTimeoutMs);
            return -1;
        }
        const int byte = input.front();
        input.pop_front();
        return byte;
    }
    void purgeOutput() override { ++outputPurges; }
    void purgeInput() override {
        ++inputPurges;
        input.clear();
    }

protected:
    VirtualClock& clock_;

private:
    bool isOpen_ = false;
};

// Far ends used by several tests.
inline ScriptedSerialPort::Responder silentDevice() {
    return [](std::uint8_t, std::deque<std::uint8_t>&) {};
}
inline ScriptedSerialPort::Responder loopBackPlug() {
    return [](std::uint8_t byte, std::deque<std::uint8_t>& input) { input.push_back(byte); };
}
// Echoes every byte and answers the status query with `status`.
inline ScriptedSerialPort::Responder echoingProjector(std::uint8_t status = 'R') {
    return [status](std::uint8_t byte, std::deque<std::uint8_t>& input) {
        input.push_back(byte == 0xE1 ? status : byte);
    };
}

}  // namespace vistrel::test
