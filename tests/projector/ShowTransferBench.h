#pragma once
// Everything a show transfer needs, wired to one virtual projector on "COM2" on
// virtual time, plus a port in between that counts the bytes on the line and can
// lose the answers at a chosen moment (a disturbed line in the middle of a transfer).
#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "model/ApplicationState.h"
#include "model/CVistrelDoc.h"
#include "model/Settings.h"
#include "platform/EventPump.h"
#include "platform/ProgressWindows.h"
#include "platform/fake/RecordingPrompter.h"
#include "platform/fake/VirtualClock.h"
#include "platform/fake/WaitingUser.h"
#include "projector/ProjectorLink.h"
#include "projector/ProjectorProtocol.h"
#include "projector/RunState.h"
#include "projector/ShowTransfer.h"
#include "sim/SimulatedSerialPort.h"

namespace vistrel::test {

// Passes everything to the simulated port; counts the bytes each way; after a chosen
// byte sequence has been written, the next `silentReads` reads get nothing.
class LineTap final : public SerialPort {
public:
    LineTap(SerialPort& inner, VirtualClock& clock) : inner_(inner), clock_(clock) {}

    void loseAnswersAfter(std::vector<std::uint8_t> written, int silentReads) {
        trigger_ = std::move(written);
        silentReadsOnTrigger_ = silentReads;
    }

    long long bytesWritten = 0;
    long long bytesRead = 0;
    std::vector<std::uint8_t> lineBytes;  // every byte written, in order

    bool open(const std::string& name) override { return inner_.open(name); }
    bool configure() override { return inner_.configure(); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    void setDtr(bool on) override { inner_.setDtr(on); }
    bool writeByte(std::uint8_t byte) override {
        recent_.push_back(byte);
        if (recent_.size() > 8) recent_.pop_front();
        if (!trigger_.empty() && recent_.size() >= trigger_.size() &&
            std::equal(trigger_.rbegin(), trigger_.rend(), recent_.rbegin())) {
            silentReads_ = silentReadsOnTrigger_;
            trigger_.clear();
        }
        ++bytesWritten;
        lineBytes.push_back(byte);
        return inner_.writeByte(byte);
    }
    int readByte() override {
        if (silentReads_ > 0) {
            --silentReads_;
            clock_.advance(sim::ReadTimeoutMs);  // a silent line costs the read time-out
            return -1;
        }
        const int b = inner_.readByte();
        if (b >= 0) ++bytesRead;
        return b;
    }
    void purgeOutput() override { inner_.purgeOutput(); }
    void purgeInput() override { inner_.purgeInput(); }

private:
    SerialPort& inner_;
    VirtualClock& clock_;
    std::vector<std::uint8_t> trigger_;
    int silentReadsOnTrigger_ = 0;
    int silentReads_ = 0;
    std::deque<std::uint8_t> recent_;
};

// Remembers what the transfer did with its windows.
class RecordingProgress final : public WaitingProgressWindows {
public:
    std::vector<int> writeTotals;  // one per window opened
    int writeOpen = 0;
    int readOpens = 0;
    int readOpen = 0;
    int lastReadLine = 0;
    std::vector<bool> moduleOpens;  // `reading` of each module window opened
    int moduleOpen = 0;

    void openWriteProgress(int totalBytes) override {
        writeTotals.push_back(totalBytes);
        ++writeOpen;
    }
    void setWriteProgress(int) override {}
    void closeWriteProgress() override { --writeOpen; }
    void openReadProgress() override {
        ++readOpens;
        ++readOpen;
    }
    void setReadLine(int lineNumber) override { lastReadLine = lineNumber; }
    void closeReadProgress() override { --readOpen; }
    void openModuleWindow(bool reading) override {
        moduleOpens.push_back(reading);
        ++moduleOpen;
        if (clock) moduleOpenedAt.push_back(clock->nowMs());
    }
    void closeModuleWindow() override {
        --moduleOpen;
        if (clock) moduleClosedAt.push_back(clock->nowMs());
    }
    // When set (`clock`), when each module window opened and closed.
    std::vector<std::int64_t> moduleOpenedAt;
    std::vector<std::int64_t> moduleClosedAt;

    bool allClosed() const { return writeOpen == 0 && readOpen == 0 && moduleOpen == 0; }

};

struct TransferBench {
    explicit TransferBench(sim::ProjectorOptions options = {}) : projector(simPort.attachProjector("COM2", options)) {
        link.blockDelay = 0;
        progress.clock = &clock;
    }

    VirtualClock clock;
    sim::SimulatedSerialPort simPort{clock};
    sim::VirtualProjector& projector;
    LineTap tap{simPort, clock};
    RecordingPrompter prompter;
    ProjectorLink link{tap, clock, prompter, ""};
    NoEventPump events;
    RecordingProgress progress;
    ProjectorProtocol protocol{link, clock, prompter, events, progress};
    Settings settings;
    ApplicationState appState;
    RunState runState;
    ShowTransfer transfer{protocol, settings, appState, runState, prompter, clock, events, progress};

    // The texts of the message boxes shown so far.
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& m : prompter.messages) texts.push_back(m.text);
        return texts;
    }
    // Text commands the projector received since `from`.
    std::vector<std::string> commandsSince(std::size_t from) const {
        const auto& log = projector.commandLog();
        return {log.begin() + static_cast<long>(std::min(from, log.size())), log.end()};
    }
    std::uint16_t recordAddress(int index) const {
        return static_cast<std::uint16_t>(projector.showStart() + 6 * index);
    }
    // The header of the block frame for record `index`: command, address high and low,
    // count high and low (one record).
    std::vector<std::uint8_t> frameStart(int command, int index) const {
        const std::uint16_t address = recordAddress(index);
        return {static_cast<std::uint8_t>(command), static_cast<std::uint8_t>(address >> 8),
                static_cast<std::uint8_t>(address & 0xFF), 0x00, 0x06};
    }
};

// Fills `doc` with lines; each line gets the given values, marks 7 (edited) and "%03d".
inline void addLine(CVistrelDoc& doc, int slide, int dissolve, int timer, int code, const std::string& text = "") {
    ProgramLine& line = doc.lines[static_cast<std::size_t>(doc.lineCount)];
    char number[16];
    std::snprintf(number, sizeof number, "%03d", doc.lineCount + 1);
    line.programNumber = number;
    line.slideNumber = slide;
    line.dissolveTime = dissolve;
    line.timerTime = timer;
    line.specialFunction = code;
    line.description = text;
    line.changeMarks = AllChangeMarks;
    ++doc.lineCount;
}

}  // namespace vistrel::test

namespace vistrel::test {

// Names parameterised cases after their `name` member.
struct CaseName {
    template <class ParamInfo>
    std::string operator()(const ParamInfo& param) const {
        return param.param.name;
    }
};
inline constexpr CaseName caseName{};

// Every special-function code the line editor can compose.
inline std::vector<int> editorComposableCodes() {
    std::vector<int> codes{0, 60, 70};
    for (int light = 1; light <= 5; ++light)
        for (int parameter = 1; parameter <= 9; ++parameter) codes.push_back(light * 10 + parameter);
    for (int mechanical = 1; mechanical <= 5; ++mechanical)
        for (int light : {0, 6, 7}) codes.push_back(mechanical * 100 + light * 10);
    return codes;
}

}  // namespace vistrel::test
