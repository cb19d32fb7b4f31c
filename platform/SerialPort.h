#pragma once
// One serial port as the projector link needs it: open by name, configure for
// 9600 baud, no parity, 8 data bits, 2 stop bits without flow control, move single
// bytes with a time-out, purge the queues, raise DTR.
#include <cstdint>
#include <string>

namespace vistrel {

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the port named "COM1" .. "COM4" (or a device path). False when it cannot be opened.
    virtual bool open(const std::string& name) = 0;
    // Sets 9600/none/8/2, no flow control, RTS off and the read time-out of one byte
    // (about 126 ms). False when the port refuses; the port then stays open.
    virtual bool configure() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Raises or lowers DTR. A port that cannot do it (a pseudo terminal) is not an error.
    virtual void setDtr(bool on) = 0;

    // Writes one byte; false when it could not be written.
    virtual bool writeByte(std::uint8_t byte) = 0;
    // One read attempt: a byte 0..255, or -1 when none came within the port's time-out.
    virtual int readByte() = 0;

    virtual void purgeOutput() = 0;
    virtual void purgeInput() = 0;
};

}  // namespace vistrel
