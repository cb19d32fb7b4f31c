#pragma once
// A serial port that leads straight into a virtual projector in this process, on
// the program's own clock. No wire lies between them: a byte written reaches the
// projector at once and its answer is there at once, so a whole show is written
// in a blink. A read that finds nothing returns at once as well, since nothing
// more can come from a projector that answers as it is spoken to.
//
// The rehearsal on the screen runs the program's own run control through this
// port; the window then reads from projector() what it shows.
#include <cstdint>
#include <string>

#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "sim/VirtualProjector.h"

namespace vistrel::sim {

class InProcessSerialPort final : public vistrel::SerialPort {
public:
    explicit InProcessSerialPort(vistrel::Clock& clock, ProjectorOptions options = {});

    // The projector, brought up to the clock's time.
    VirtualProjector& projector();
    vistrel::Clock& clock() { return clock_; }

    // SerialPort: any name opens this one projector.
    bool open(const std::string& name) override;
    bool configure() override { return open_; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    void setDtr(bool) override {}
    bool writeByte(std::uint8_t byte) override;
    int readByte() override;
    void purgeOutput() override {}
    void purgeInput() override;

private:
    vistrel::Clock& clock_;
    VirtualProjector projector_;
    bool open_ = false;
};

}  // namespace vistrel::sim
