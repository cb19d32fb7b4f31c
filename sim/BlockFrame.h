#pragma once
// One block frame in progress, from the projector's side. The frame starts with
// its command byte (0 write, 1 read show records, 2 read descriptor area), then
// address and count, high bytes first; every header byte is echoed. A write brings
// the data escaped (0x10, then value + 0x80 for values 0x00..0x10), each byte echoed
// and the value stored. A read sends the values escaped the same way, one byte at a
// time, each only after the program has echoed the one before.
#include <cstdint>
#include <optional>

#include "sim/ProjectorMemory.h"

namespace vistrel::sim {

// Where a frame puts the bytes it answers with.
class FrameSink {
public:
    virtual ~FrameSink() = default;
    virtual void echo(std::uint8_t byte) = 0;
    virtual void send(std::uint8_t byte) = 0;
};

class BlockFrame {
public:
    // The command byte has arrived (and is echoed here).
    BlockFrame(ProjectorMemory& memory, std::uint8_t command, FrameSink& sink);

    // The next byte from the program. False when it does not belong to the frame
    // (a wrong echo during a read): the frame has ended and the byte is the caller's.
    bool take(std::uint8_t byte);
    bool finished() const { return stage_ == Stage::Finished; }

private:
    enum class Stage { Header, WriteData, ReadData, Finished };

    void headerByte(std::uint8_t byte);
    void writeByte(std::uint8_t byte);
    bool readEcho(std::uint8_t byte);
    void sendNextValue();

    ProjectorMemory& memory_;
    FrameSink& sink_;
    Stage stage_ = Stage::Header;
    std::uint8_t header_[5] = {};
    int headerCount_ = 1;
    std::uint16_t address_ = 0;
    int remaining_ = 0;
    bool escapePending_ = false;                // write: an escape mark came, its value follows
    std::uint8_t awaitedEcho_ = 0;              // read: the byte whose echo is due
    std::optional<std::uint8_t> escapedValue_;  // read: sent after the escape mark's echo
};

}  // namespace vistrel::sim
