#include "platform/qt/core/QtSerialPort.h"

#include <QRegularExpression>

#include "platform/qt/core/LowLatency.h"

namespace vistrel {

namespace {

// A one-byte write goes to the driver at once; only a device that takes nothing
// (a pseudo terminal nobody reads) gets here without being done.
constexpr int kWriteTimeoutMs = 100;

}  // namespace

QString QtSerialPort::deviceForPortName(const QString& name) {
    static const QRegularExpression comPort(QStringLiteral("^COM([1-9])$"), QRegularExpression::CaseInsensitiveOption);
    const auto match = comPort.match(name);
    if (!match.hasMatch()) return name;
    const QString digit = match.captured(1);
    const QString overridden = qEnvironmentVariable(qPrintable(QStringLiteral("VISTREL_COM") + digit));
    if (!overridden.isEmpty()) return overridden;
    return QStringLiteral("/dev/ttyS%1").arg(digit.toInt() - 1);
}

bool QtSerialPort::open(const std::string& name) {
    // The port holds one device at a time; opening another one replaces it.
    if (port_.isOpen()) port_.close();
    port_.setPortName(deviceForPortName(QString::fromStdString(name)));
    return port_.open(QIODevice::ReadWrite);
}

bool QtSerialPort::configure() {
    if (!port_.isOpen()) return false;
    const bool configured = port_.setBaudRate(QSerialPort::Baud9600) && port_.setDataBits(QSerialPort::Data8) &&
                            port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::TwoStop) &&
                            port_.setFlowControl(QSerialPort::NoFlowControl);
    // A pseudo terminal has no modem lines: lowering RTS fails there, harmlessly.
    port_.setRequestToSend(false);
    port_.clearError();
    // Every byte is answered by its echo before the next one goes: a USB adapter that
    // holds bytes back for its latency timer slows the whole link down. Where the driver
    // has no such mode (a pseudo terminal, a plain serial port) nothing is lost.
    requestLowLatency(static_cast<int>(port_.handle()));
    return configured;
}

void QtSerialPort::close() {
    if (port_.isOpen()) port_.close();
}

bool QtSerialPort::isOpen() const { return port_.isOpen(); }

void QtSerialPort::setDtr(bool on) {
    if (!port_.isOpen()) return;
    port_.setDataTerminalReady(on);
    port_.clearError();  // no modem lines on a pseudo terminal: not an error
}

bool QtSerialPort::writeByte(std::uint8_t byte) {
    if (!port_.isOpen()) return false;
    if (!port_.putChar(static_cast<char>(byte))) return false;
    // Wait until the byte has left our buffer; the echo that the link reads next
    // cannot come before that.
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(kWriteTimeoutMs)) {
            port_.clear(QSerialPort::Output);
            port_.clearError();
            return false;
        }
    }
    return true;
}

int QtSerialPort::readByte() {
    if (!port_.isOpen()) return -1;
    // QSerialPort keeps what it fetched from the device in its own buffer; only
    // when that is empty do we wait, and the wait ends as soon as a byte arrives.
    if (port_.bytesAvailable() == 0 && !port_.waitForReadyRead(kReadTimeoutMs)) {
        port_.clearError();  // a time-out leaves an error flag that would stick
        return -1;
    }
    char byte = 0;
    if (!port_.getChar(&byte)) return -1;
    return static_cast<unsigned char>(byte);
}

void QtSerialPort::purgeOutput() {
    if (port_.isOpen()) port_.clear(QSerialPort::Output);
}

void QtSerialPort::purgeInput() {
    if (port_.isOpen()) port_.clear(QSerialPort::Input);
}

}  // namespace vistrel
