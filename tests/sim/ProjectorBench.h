#pragma once
// A test bench: one virtual projector on "COM2" of a simulated port, and the byte
// exchanges the program performs on it, written out plainly so that the tests
// check the projector against the protocol and not against our own link code.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/fake/VirtualClock.h"
#include "sim/SimulatedSerialPort.h"

namespace vistrel::sim::test {

class ProjectorBench {
public:
    explicit ProjectorBench(ProjectorOptions options = {}) : projector(port.attachProjector("COM2", options)) {
        port.open("COM2");
        port.configure();
    }

    // Each byte must come back unchanged before the next goes out.
    bool sendChecked(const std::vector<std::uint8_t>& bytes) {
        for (std::uint8_t b : bytes) {
            if (!port.writeByte(b)) return false;
            if (port.readByte() != b) return false;
        }
        return true;
    }
    bool sendText(const std::string& text) { return sendChecked(std::vector<std::uint8_t>(text.begin(), text.end())); }

    // A text command with its CR; true when every byte was echoed.
    bool command(const std::string& text) { return sendText(text + "\r"); }

    // The reply line that follows a command: the text up to CR, the LF swallowed.
    std::optional<std::string> readLine() {
        std::string text;
        for (int i = 0; i < 40; ++i) {
            const int b = port.readByte();
            if (b < 0) return std::nullopt;
            if (b == '\r') {
                port.readByte();  // the line feed
                return text;
            }
            text.push_back(static_cast<char>(b));
        }
        return text;
    }

    std::optional<std::string> ask(const std::string& text) {
        if (!command(text)) return std::nullopt;
        return readLine();
    }
    int askNumber(const std::string& text) {
        const auto reply = ask(text);
        return reply ? std::stoi(*reply) : -1;
    }

    // The status letter, or -1 when nothing came.
    int status() {
        port.writeByte(StatusQueryByte);
        return port.readByte();
    }

    bool writeBlock(std::uint16_t address, const std::vector<std::uint8_t>& data) {
        if (!sendChecked(header(0, address, data.size()))) return false;
        for (std::uint8_t value : data) {
            if (value <= 0x10) {
                if (!sendChecked({0x10, static_cast<std::uint8_t>(value + 0x80)})) return false;
            } else if (!sendChecked({value})) {
                return false;
            }
        }
        return true;
    }

    std::optional<std::vector<std::uint8_t>> readBlock(std::uint8_t command, std::uint16_t address, int count) {
        if (!sendChecked(header(command, address, count))) return std::nullopt;
        std::vector<std::uint8_t> values;
        for (int i = 0; i < count; ++i) {
            int b = port.readByte();
            if (b < 0) return std::nullopt;
            port.writeByte(static_cast<std::uint8_t>(b));
            if (b <= 0x10) {
                b = port.readByte();
                if (b < 0) return std::nullopt;
                port.writeByte(static_cast<std::uint8_t>(b));
                b = (b + 0x80) & 0xFF;
            }
            values.push_back(static_cast<std::uint8_t>(b));
        }
        return values;
    }

    static std::vector<std::uint8_t> header(std::uint8_t command, std::uint16_t address, std::size_t count) {
        return {command, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF),
                static_cast<std::uint8_t>((count >> 8) & 0xFF), static_cast<std::uint8_t>(count & 0xFF)};
    }

    // Everything the projector has sent and not yet been read.
    std::vector<std::uint8_t> drain() {
        std::vector<std::uint8_t> bytes;
        while (auto b = projector.takeOutput(clock.nowMs())) bytes.push_back(*b);
        return bytes;
    }

    VirtualClock clock;
    SimulatedSerialPort port{clock};
    VirtualProjector& projector;
};

}  // namespace vistrel::sim::test
