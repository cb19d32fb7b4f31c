#include "sim/InProcessSerialPort.h"

namespace vistrel::sim {

InProcessSerialPort::InProcessSerialPort(vistrel::Clock& clock, ProjectorOptions options)
    : clock_(clock), projector_(std::move(options)) {
    projector_.advanceTo(clock_.nowMs());
}

VirtualProjector& InProcessSerialPort::projector() {
    projector_.advanceTo(clock_.nowMs());
    return projector_;
}

bool InProcessSerialPort::open(const std::string&) {
    open_ = true;
    return true;
}

bool InProcessSerialPort::writeByte(std::uint8_t byte) {
    if (!open_) return false;
    projector_.receive(byte, clock_.nowMs());
    return true;
}

int InProcessSerialPort::readByte() {
    if (!open_) return -1;
    const auto byte = projector_.takeOutput(clock_.nowMs());
    return byte ? int{*byte} : -1;
}

void InProcessSerialPort::purgeInput() { projector_.discardOutput(); }

}  // namespace vistrel::sim
