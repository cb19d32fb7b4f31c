#include "projector/ProjectorProtocol.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "res/StringTable.h"
#include "res/strings/ModelStrings.h"
#include "res/strings/ProjectorStrings.h"

namespace vistrel {

namespace {

constexpr std::uint8_t kStatusQuery = 0xE1;
constexpr char kCarriageReturn = '\r';

// Status polls: every 50 ms, at most 600 times and never longer than WaitLimitMs.
constexpr int kMaxPolls = 600;
constexpr int kPollIntervalMs = 50;

// Data bytes 0x00..0x10 travel as the escape mark 0x10 and the value + 0x80, so
// that a byte of that range on the line is always an escape mark.
constexpr std::uint8_t kEscapeMark = 0x10;
constexpr std::uint8_t kEscapeOffset = 0x80;

// Descriptor area: the show start address at 160 (bytes 2 and 3 of 10), the
// pointer to the version text at 202, and the version text itself is 5 bytes long.
constexpr std::uint16_t kDescriptorAddress = 160;
constexpr std::size_t kDescriptorSize = 10;
constexpr std::uint16_t kVersionPointerAddress = 202;
constexpr std::size_t kVersionTextSize = 5;

// The lamp factor is the single-precision 2.55, which lies just below 2.55: it has
// always turned 100 % into 254, and the projector's brightness steps rely on that.
constexpr float kLampFactor = 2.55f;

int digitValue(std::uint8_t c) { return (c >= '0' && c <= '9') ? c - '0' : -1; }

int lowerAscii(int byte) { return (byte >= 'A' && byte <= 'Z') ? byte - 'A' + 'a' : byte; }

}  // namespace

int decodeVersionText(std::span<const std::uint8_t> text) {
    if (text.size() < 4) return -1;
    // "3.1" has its point second; a text padded in front (" 3.2") has its digits one on.
    const bool pointSecond = text[1] == '.';
    const int major = digitValue(pointSecond ? text[0] : text[1]);
    const int minor = digitValue(pointSecond ? text[2] : text[3]);
    if (major < 0 || minor < 0) return -1;
    return major * 10 + minor;
}

std::string formatVersionMessage(int tenths) {
    // The version is printed with a point whatever the user's locale says.
    std::array<char, 32> number{};
    const auto result =
        std::to_chars(number.data(), number.data() + number.size(), tenths / 10.0, std::chars_format::fixed, 1);
    std::string value(number.data(), result.ptr);
    if (value.size() < 2) value.insert(0, 2 - value.size(), ' ');
    // The table text ends in a blank, so two blanks stand before the number.
    return std::string(res::text(ids::ProjectorVersionIs)) + " " + value;
}

std::string commandWithArgument(std::string_view name, int value, int width) {
    std::array<char, 32> argument{};
    std::snprintf(argument.data(), argument.size(), "%0*d", width, value);
    return std::string(name) + ":" + argument.data();
}

ProjectorProtocol::ProjectorProtocol(ProjectorLink& link, Clock& clock, Prompter& prompter, EventPump& events,
                                     ProgressWindows& progress)
    : link_(link), clock_(clock), prompter_(prompter), events_(events), progress_(progress) {}

int ProjectorProtocol::sendCommand(std::string_view textWithoutCr) {
    std::string text(textWithoutCr);
    text.push_back(kCarriageReturn);
    return link_.sendChecked(text);
}

int ProjectorProtocol::statusQuery() {
    if (link_.writeByte(kStatusQuery) < 0) return -1;
    const int reply = link_.readByte();
    if (reply < 0) return -1;
    const int letter = lowerAscii(reply);
    if (letter == status::Ready || letter == status::AlsoReady) return letter;
    return -letter;
}

bool ProjectorProtocol::userStopped() {
    if (!userStopped_ && progress_.waitCancelled()) userStopped_ = true;
    return userStopped_;
}

int ProjectorProtocol::connect() {
    if (link_.connected) return 0;
    ProjectorLink::Search found = ProjectorLink::Search::Found;
    {
        // The message about a failed search comes after its window has gone.
        const WaitScope shown(progress_, ProgressWindows::WaitKind::Search);
        found = link_.search([this] {
            drainEvents();
            return !userStopped();
        });
    }
    return link_.reportSearch(found);
}

int ProjectorProtocol::waitReady(int limitMs, ProgressWindows::WaitKind kind) {
    // A port that is not open never becomes ready: there is nothing to wait for.
    if (!link_.isPortOpen() || userStopped()) return -1;
    const WaitScope shown(progress_, kind);
    const std::int64_t deadline = clock_.nowMs() + limitMs;
    for (int poll = 1; poll <= kMaxPolls; ++poll) {
        const int state = statusQuery();
        clock_.sleepMs(kPollIntervalMs);
        if (state == -status::ModuleFailed) return 122;
        if (state == -status::J) return 106;
        if (state != -status::Busy && state != -1) return 0;
        // On a silent line every poll costs three read time-outs besides its 50 ms:
        // only the clock says when the wait has lasted long enough.
        if (clock_.nowMs() >= deadline) return -1;
        drainEvents();
        if (userStopped()) return -1;
    }
    return -1;
}

int ProjectorProtocol::waitModuleResult(int limitMs) {
    if (!link_.isPortOpen() || userStopped()) return -1;
    const WaitScope shown(progress_, ProgressWindows::WaitKind::Module);
    const std::int64_t deadline = clock_.nowMs() + limitMs;
    for (int poll = 1; poll <= kMaxPolls; ++poll) {
        const int state = statusQuery();
        clock_.sleepMs(kPollIntervalMs);
        switch (-state) {
            case status::ModuleDone:
            case status::NoModule:
            case status::ModuleTooSmall:
            case status::ModuleFailed:
                return -state;
            default:
                break;
        }
        if (clock_.nowMs() >= deadline) return -1;
        drainEvents();
        if (userStopped()) return -1;
    }
    return -1;
}

int ProjectorProtocol::sendHeader(int command, std::uint16_t address, std::size_t count) {
    const std::array<char, 5> header = {
        static_cast<char>(command),          static_cast<char>(address >> 8), static_cast<char>(address & 0xFF),
        static_cast<char>((count >> 8) & 0xFF), static_cast<char>(count & 0xFF)};
    for (char byte : header) {
        if (link_.sendChecked(std::string_view(&byte, 1)) < 0) return -1;
    }
    return 0;
}

int ProjectorProtocol::writeDataByte(std::uint8_t value) {
    // Only the presence of an echo is checked for data bytes, not its value.
    if (value <= kEscapeMark) {
        if (link_.writeByte(kEscapeMark) < 0 || link_.readByte() < 0) return -1;
        value = static_cast<std::uint8_t>(value + kEscapeOffset);
    }
    if (link_.writeByte(value) < 0 || link_.readByte() < 0) return -1;
    return 0;
}

int ProjectorProtocol::writeBlockBody(std::uint16_t address, std::span<const std::uint8_t> data, bool counting) {
    if (data.size() > 0xFFFF) return -1;  // the frame's byte count has 16 bits
    if (userStopped() || sendHeader(block::Write, address, data.size()) < 0) return -1;
    for (std::uint8_t value : data) {
        // A user who said stop during this sequence gets no half transfer that goes on.
        if (userStopped() || writeDataByte(value) < 0) return -1;
        if (counting) progress_.setWriteProgress(++transferDone_);
        drainEvents();
    }
    return 0;
}

int ProjectorProtocol::writeBlock(std::uint16_t address, std::span<const std::uint8_t> data, int progressMode) {
    if (progressMode > 0) {
        transferTotal_ = progressMode;
        transferDone_ = 0;
        progress_.openWriteProgress(progressMode);
    }
    drainEvents();
    const int result = writeBlockBody(address, data, progressMode <= 0);
    // The last block closes the window on every way out; a failed block is still
    // reported as failed, so the transfer does not count a broken end as written.
    if (progressMode == -1) progress_.closeWriteProgress();
    return result;
}

int ProjectorProtocol::readDataByte() {
    // Every byte received is echoed back raw, escape mark included.
    const int first = link_.readByte();
    if (first < 0 || link_.writeByte(static_cast<std::uint8_t>(first)) < 0) return -1;
    if (first > kEscapeMark) return first;
    const int second = link_.readByte();
    if (second < 0 || link_.writeByte(static_cast<std::uint8_t>(second)) < 0) return -1;
    return (second + kEscapeOffset) & 0xFF;
}

int ProjectorProtocol::readBlock(int command, std::uint16_t address, std::span<std::uint8_t> out) {
    if (out.size() > 0xFFFF) return -1;
    if (userStopped() || sendHeader(command, address, out.size()) < 0) return -1;
    for (auto& value : out) {
        if (userStopped()) return -1;
        const int byte = readDataByte();
        if (byte < 0) return -1;
        value = static_cast<std::uint8_t>(byte);
    }
    if (link_.blockDelay != 0) clock_.sleepMs(link_.blockDelay);
    return 0;
}

int ProjectorProtocol::readShowBase(std::uint16_t& start) {
    std::array<std::uint8_t, kDescriptorSize> descriptor{};
    if (readBlock(block::ReadDescriptor, kDescriptorAddress, descriptor) < 0) return -1;
    start = static_cast<std::uint16_t>(descriptor[2] << 8 | descriptor[3]);
    return 0;
}

int ProjectorProtocol::readFirmwareVersion(int& tenths) {
    std::array<std::uint8_t, 2> pointer{};
    if (readBlock(block::ReadDescriptor, kVersionPointerAddress, pointer) < 0) return -1;
    const auto textAddress = static_cast<std::uint16_t>(pointer[0] << 8 | pointer[1]);
    std::array<std::uint8_t, kVersionTextSize> text{};
    if (readBlock(block::ReadDescriptor, textAddress, text) < 0) return -1;
    // A garbled version text is a failed read, not a version number.
    const int version = decodeVersionText(text);
    if (version < 0) return -1;
    tenths = version;
    return 0;
}

std::string ProjectorProtocol::projectorErrorText(int code) {
    switch (code) {
        case 0:
            return {};
        case 1:
        case 2:
        case 3:
            return res::text(ids::CommunicationError);
        case 6:
            return res::text(ids::LinkDisturbed);
        case 10:
            return res::text(ids::NoModuleInSlot);
        case 11:
            return res::text(ids::ModuleTooSmall);
        case 12:
            return res::text(ids::ModuleCannotStore);
        case 97:
            return res::text(ids::ModuleHoldsNoShow);
        case 98:
            return res::text(ids::ShowStillRunning);
        case 200:
            return res::text(ids::FileSaveFailed);
        case 201:
            return res::text(ids::FileLoadFailed);
        default:
            return res::formatInt(ids::GeneralErrorNumber, code);
    }
}

void ProjectorProtocol::reportLinkLost() {
    link_.connected = false;
    if (link_.silenceReported) return;
    link_.silenceReported = true;
    reportProjectorError(1);
}

void ProjectorProtocol::reportProjectorError(int code) {
    // Clearing the queues first keeps a late answer of the failed command from
    // being taken for the reply to the next one.
    if (link_.isPortOpen()) link_.purge();
    if (code == 0) return;
    // A failure on a dead line (nothing came back, or nothing could be sent) says that
    // the projector is gone: the next command opens the port and searches again, and
    // the run's followers, when they give up on it, need not say so once more.
    if (link_.readFailureRun > 0 || link_.lastWriteFailed) {
        link_.silenceReported = true;
        link_.connected = false;
    }
    prompter_.showMessage(projectorErrorText(code), MessageIcon::Exclamation, MessageButtons::Ok);
    if (link_.isPortOpen()) link_.purgeInput();
}

int ProjectorProtocol::showProjectorVersion() {
    connect();
    reportProjectorError(0);
    if (sendCommand(command::OpenOperation) < 0) {
        prompter_.beep();
        reportProjectorError(1);
        return 1;
    }
    waitReady();
    int tenths = 0;
    if (readFirmwareVersion(tenths) < 0) {
        reportProjectorError(3);
        return 3;
    }
    waitReady();
    prompter_.showMessage(formatVersionMessage(tenths), MessageIcon::Information, MessageButtons::Ok);
    if (sendCommand(command::CloseOperation) < 0) {
        reportProjectorError(1);
        return 1;
    }
    waitReady();
    return 0;
}

int ProjectorProtocol::lampLevel(int percent) {
    const double level = static_cast<double>(kLampFactor) * percent;
    if (level <= 0) return 0;
    if (level >= 255) return 255;
    return static_cast<int>(level);
}

}  // namespace vistrel
