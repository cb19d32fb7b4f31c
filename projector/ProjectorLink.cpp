#include "projector/ProjectorLink.h"

#include <utility>

#include "res/strings/ProjectorStrings.h"

namespace vistrel {

namespace {

constexpr std::uint8_t kStatusQuery = 0xE1;
constexpr int kReadAttempts = 3;
constexpr std::uint8_t kCarriageReturn = 0x0D;
constexpr std::uint8_t kLineFeed = 0x0A;

// A device that never stops sending must not hold drainInput forever; this is far
// more than the 1024-byte input queue the port keeps.
constexpr int kMaxDrainedBytes = 4096;

bool isProjectorStatusLetter(int byte) {
    constexpr std::string_view letters = "RBgiepjvwxy";
    return byte >= 0 && letters.find(static_cast<char>(byte)) != std::string_view::npos;
}

}  // namespace

ProjectorLink::ProjectorLink(SerialPort& port, Clock& clock, Prompter& prompter, std::string logPath)
    : port_(port), clock_(clock), prompter_(prompter), logPath_(std::move(logPath)) {}

ProjectorLink::~ProjectorLink() { closeLog(); }

int ProjectorLink::openPort() {
    if (!port_.open(portName)) return -1;
    if (!port_.configure()) return -1;
    port_.setDtr(true);
    drainInput();
    return 0;
}

void ProjectorLink::closePort() {
    if (port_.isOpen()) port_.close();
    // A closed port has no projector behind it: the next command opens and searches again.
    connected = false;
}

bool ProjectorLink::isPortOpen() const { return port_.isOpen(); }

void ProjectorLink::purge() {
    port_.purgeOutput();
    port_.purgeInput();
}

void ProjectorLink::purgeInput() { port_.purgeInput(); }

int ProjectorLink::readByte() {
    openLogOnce();
    int byte = -1;
    for (int attempt = 0; attempt < kReadAttempts && byte < 0; ++attempt) byte = port_.readByte();
    if (byte >= 0) {
        readFailureRun = 0;
        silenceReported = false;
        logByte(static_cast<std::uint8_t>(byte));
        return byte;
    }
    // Only the first failure of a run purges: it throws away a half-received reply;
    // purging again on every further miss would gain nothing.
    if (++readFailureRun == 1) purge();
    flushLog();  // a quiet line is a good moment to make the log current
    return -1;
}

int ProjectorLink::writeByte(std::uint8_t byte) {
    const bool written = port_.writeByte(byte);
    lastWriteFailed = !written;
    openLogOnce();
    if (!written) {
        purge();
        return -1;
    }
    logByte(byte);
    return byte;
}

int ProjectorLink::sendChecked(std::string_view bytes) {
    for (char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (writeByte(byte) < 0) return -1;
        if (readByte() != byte) return -1;
    }
    return 0;
}

int ProjectorLink::readLine(std::string& text, int max) {
    text.clear();
    bool carriageReturnSeen = false;
    for (int i = 0; i < max; ++i) {
        const int byte = readByte();
        if (byte < 0) {
            // The text is complete once its carriage return came; a projector that
            // leaves out the line feed has still answered.
            return carriageReturnSeen ? 0 : -1;
        }
        if (byte == kLineFeed) break;
        if (byte == kCarriageReturn) carriageReturnSeen = true;
        if (!carriageReturnSeen) text.push_back(static_cast<char>(byte));
    }
    return 0;
}

void ProjectorLink::drainInput() {
    for (int i = 0; i < kMaxDrainedBytes; ++i) {
        if (readByte() < 0) return;
    }
}

int ProjectorLink::probe() {
    if (writeByte(kStatusQuery) < 0) return -1;
    const int reply = readByte();
    // A loop-back plug hands the query byte straight back: that is no projector.
    if (reply < 0 || reply == kStatusQuery) return -1;
    return isProjectorStatusLetter(reply) ? 0 : -1;
}

ProjectorLink::Search ProjectorLink::search(const std::function<bool()>& goOn) {
    if (connected) return Search::Found;

    int portsOpened = 0;
    int probedDigit = 0;
    if (openPort() == 0) {
        if (probe() == 0) {
            connected = true;
            return Search::Found;
        }
        ++portsOpened;
        probedDigit = portName.size() >= 4 ? portName[3] - '0' : 0;
    }

    for (int digit = 1; digit <= 4; ++digit) {
        if (digit == probedDigit) continue;
        if (goOn && !goOn()) break;
        closePort();
        setPortDigit(digit);
        if (openPort() != 0) {
            closePort();
            continue;
        }
        ++portsOpened;
        if (probe() == 0) {
            connected = true;
            return Search::Found;
        }
    }
    return portsOpened > 0 ? Search::NoAnswer : Search::NoPorts;
}

int ProjectorLink::reportSearch(Search result) {
    if (result == Search::Found) return 0;
    prompter_.showMessage(result == Search::NoAnswer ? ids::ProjectorNotConnected : ids::NoPortsAvailable,
                          MessageIcon::Exclamation, MessageButtons::Ok);
    return -1;
}

void ProjectorLink::setPortDigit(int digit) {
    portName = "COM" + std::to_string(digit);
}

void ProjectorLink::openLogOnce() {
    if (logOpened_) return;
    logOpened_ = true;
    if (logPath_.empty()) return;
    // Replaced at every run. If it cannot be created the traffic simply goes unlogged.
    log_ = std::fopen(logPath_.c_str(), "wb");
}

void ProjectorLink::logByte(std::uint8_t byte) {
    if (!log_) return;
    if (std::fputc(byte, log_) == EOF) {
        // A log that cannot be written never fails a transfer: stop logging for this run.
        std::fclose(log_);
        log_ = nullptr;
    }
}

void ProjectorLink::flushLog() {
    if (log_ && std::fflush(log_) != 0) {
        std::fclose(log_);
        log_ = nullptr;
    }
}

void ProjectorLink::closeLog() {
    logOpened_ = true;  // never reopened in the same run
    if (!log_) return;
    std::fclose(log_);
    log_ = nullptr;
}

}  // namespace vistrel
