#pragma once
// The serial port of the projector link on a real (or pseudo) terminal device,
// through QSerialPort. Used synchronously on the thread that created it: every
// read waits for its byte with the port's own short time-out, no event loop needed.
#include <QSerialPort>
#include <QString>

#include "platform/SerialPort.h"

namespace vistrel {

class QtSerialPort final : public SerialPort {
public:
    // How long one read attempt waits for its byte: the 1 ms interval plus the
    // 125 ms constant the link has always used.
    static constexpr int kReadTimeoutMs = 126;

    // The device for a port name: "COMn" → $VISTREL_COMn, else /dev/ttyS<n-1>;
    // an absolute path is taken as it is; anything else is returned unchanged.
    static QString deviceForPortName(const QString& name);

    bool open(const std::string& name) override;
    bool configure() override;
    void close() override;
    bool isOpen() const override;
    void setDtr(bool on) override;
    bool writeByte(std::uint8_t byte) override;
    int readByte() override;
    void purgeOutput() override;
    void purgeInput() override;

private:
    QSerialPort port_;
};

}  // namespace vistrel
