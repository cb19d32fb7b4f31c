#include "sim/SimulatedSerialPort.h"

namespace vistrel::sim {

namespace {

constexpr int BitsPerByte = 11;  // start, 8 data, 2 stop
constexpr int Baud = 9600;

}  // namespace

SimulatedSerialPort::SimulatedSerialPort(vistrel::VirtualClock& clock)
    : clock_(clock), devices_(std::make_shared<Devices>()) {
    // Every sleep of the program moves the projectors' show timers on as well.
    std::weak_ptr<Devices> weak = devices_;
    clock_.onAdvance([weak](std::int64_t nowMs) {
        if (auto devices = weak.lock()) {
            for (auto& [name, device] : devices->byName) {
                if (device.projector) device.projector->advanceTo(nowMs);
            }
        }
    });
}

SimulatedSerialPort::~SimulatedSerialPort() = default;

SimulatedSerialPort::Device& SimulatedSerialPort::plug(const std::string& name, Kind kind) {
    Device& device = devices_->byName[name];
    device.kind = kind;
    device.projector.reset();
    device.loopback.clear();
    return device;
}

VirtualProjector& SimulatedSerialPort::attachProjector(const std::string& name, ProjectorOptions options) {
    Device& device = plug(name, Kind::Projector);
    device.projector = std::make_unique<VirtualProjector>(std::move(options));
    device.projector->advanceTo(clock_.nowMs());
    return *device.projector;
}

void SimulatedSerialPort::attachLoopback(const std::string& name) { plug(name, Kind::Loopback); }

void SimulatedSerialPort::attachSilent(const std::string& name) { plug(name, Kind::Silent); }

void SimulatedSerialPort::detach(const std::string& name) {
    if (name == openName_) close();
    devices_->byName.erase(name);
}

void SimulatedSerialPort::setConfigureFails(const std::string& name, bool fails) {
    auto it = devices_->byName.find(name);
    if (it != devices_->byName.end()) it->second.configureFails = fails;
}

VirtualProjector* SimulatedSerialPort::projector(const std::string& name) {
    auto it = devices_->byName.find(name);
    return it == devices_->byName.end() ? nullptr : it->second.projector.get();
}

SimulatedSerialPort::Device* SimulatedSerialPort::openDevice() {
    if (openName_.empty()) return nullptr;
    auto it = devices_->byName.find(openName_);
    return it == devices_->byName.end() ? nullptr : &it->second;
}

bool SimulatedSerialPort::open(const std::string& name) {
    openAttempts_.push_back(name);
    close();
    if (devices_->byName.count(name) == 0) return false;
    openName_ = name;
    return true;
}

bool SimulatedSerialPort::configure() {
    Device* device = openDevice();
    return device != nullptr && !device->configureFails;
}

void SimulatedSerialPort::close() {
    openName_.clear();
    dtr_ = false;
}

void SimulatedSerialPort::setDtr(bool on) {
    if (isOpen()) dtr_ = on;
}

void SimulatedSerialPort::spendWireTime() {
    // 11 bit times at 9600 baud are 11000/9600 ms; the remainder is carried so that
    // a long transfer takes exactly as long as on the wire.
    wireRemainder_ += BitsPerByte * 1000;
    const int wholeMs = wireRemainder_ / Baud;
    wireRemainder_ %= Baud;
    clock_.advance(wholeMs);
}

bool SimulatedSerialPort::writeByte(std::uint8_t byte) {
    Device* device = openDevice();
    if (device == nullptr) return false;
    spendWireTime();
    switch (device->kind) {
        case Kind::Projector: device->projector->receive(byte, clock_.nowMs()); break;
        case Kind::Loopback: device->loopback.push_back(byte); break;
        case Kind::Silent: break;
    }
    return true;
}

int SimulatedSerialPort::takeDueByte() {
    Device* device = openDevice();
    if (device == nullptr) return -1;
    if (device->kind == Kind::Loopback && !device->loopback.empty()) {
        const std::uint8_t byte = device->loopback.front();
        device->loopback.pop_front();
        return byte;
    }
    if (device->kind == Kind::Projector) {
        if (auto byte = device->projector->takeOutput(clock_.nowMs())) return *byte;
    }
    return -1;
}

int SimulatedSerialPort::readByte() {
    if (!isOpen()) return -1;
    int byte = takeDueByte();
    if (byte >= 0) return byte;
    clock_.advance(ReadTimeoutMs);
    return takeDueByte();
}

void SimulatedSerialPort::purgeOutput() {
    // Bytes written reach the device at once; nothing waits in an output queue.
}

void SimulatedSerialPort::purgeInput() {
    Device* device = openDevice();
    if (device == nullptr) return;
    device->loopback.clear();
    if (device->projector) device->projector->discardOutput();
}

}  // namespace vistrel::sim
