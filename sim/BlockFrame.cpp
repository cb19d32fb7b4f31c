#include "sim/BlockFrame.h"

namespace vistrel::sim {

namespace {

constexpr std::uint8_t EscapeMark = 0x10;
constexpr int HeaderSize = 5;

bool needsEscape(std::uint8_t value) { return value <= EscapeMark; }

}  // namespace

BlockFrame::BlockFrame(ProjectorMemory& memory, std::uint8_t command, FrameSink& sink)
    : memory_(memory), sink_(sink) {
    header_[0] = command;
    sink_.echo(command);
}

bool BlockFrame::take(std::uint8_t byte) {
    switch (stage_) {
        case Stage::Header: headerByte(byte); return true;
        case Stage::WriteData: writeByte(byte); return true;
        case Stage::ReadData: return readEcho(byte);
        case Stage::Finished: return false;
    }
    return false;
}

void BlockFrame::headerByte(std::uint8_t byte) {
    sink_.echo(byte);
    header_[headerCount_++] = byte;
    if (headerCount_ < HeaderSize) return;
    address_ = static_cast<std::uint16_t>((header_[1] << 8) | header_[2]);
    remaining_ = (header_[3] << 8) | header_[4];
    if (remaining_ == 0) {
        stage_ = Stage::Finished;
    } else if (header_[0] == 0) {
        stage_ = Stage::WriteData;
    } else {
        stage_ = Stage::ReadData;
        sendNextValue();
    }
}

void BlockFrame::writeByte(std::uint8_t byte) {
    sink_.echo(byte);
    std::uint8_t value = byte;
    if (escapePending_) {
        escapePending_ = false;
        value = static_cast<std::uint8_t>(byte - 0x80);
    } else if (needsEscape(byte)) {
        escapePending_ = true;
        return;
    }
    memory_.write(address_++, value);
    if (--remaining_ == 0) stage_ = Stage::Finished;
}

void BlockFrame::sendNextValue() {
    if (remaining_ == 0) {
        stage_ = Stage::Finished;
        return;
    }
    const std::uint8_t value = memory_.read(address_);
    if (needsEscape(value)) {
        awaitedEcho_ = EscapeMark;
        escapedValue_ = static_cast<std::uint8_t>(value + 0x80);
    } else {
        awaitedEcho_ = value;
        escapedValue_.reset();
    }
    sink_.send(awaitedEcho_);
}

bool BlockFrame::readEcho(std::uint8_t byte) {
    if (byte != awaitedEcho_) {
        stage_ = Stage::Finished;
        return false;
    }
    if (escapedValue_) {
        awaitedEcho_ = *escapedValue_;
        escapedValue_.reset();
        sink_.send(awaitedEcho_);
        return true;
    }
    ++address_;
    --remaining_;
    sendNextValue();
    return true;
}

}  // namespace vistrel::sim
