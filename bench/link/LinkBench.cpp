// Measures block writes of show records through QtSerialPort, ProjectorLink and
// ProjectorProtocol::writeBlock against vistrel-projector on a pseudo terminal:
//  - with --baud 9600 emulated: elapsed time / wire time, where the wire time is
//    22 bit times per byte on the line (the byte and its echo, 11 bits each) and
//    escaped values count as the two bytes they are;
//  - without baud emulation: bytes per second.
// Usage: link_bench [--records N] [--runs N] [--projector PATH-OF-vistrel-projector]
#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/ProgressWindows.h"
#include "platform/Prompter.h"
#include "platform/qt/core/QtSerialPort.h"
#include "projector/ProjectorLink.h"
#include "projector/ProjectorProtocol.h"
#include "tests/projector/ProjectorProcess.h"

namespace {

using namespace vistrel;

std::string projectorExecutable = VISTREL_PROJECTOR_EXE;

// Messages would only come from connect, which the bench does not use.
class SilentPrompter final : public Prompter {
public:
    MessageAnswer showMessage(const std::string& text, MessageIcon, MessageButtons, int) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return MessageAnswer::Ok;
    }
    void beep() override {}
    void beginWaitCursor() override {}
    void endWaitCursor() override {}
};

// A show of plausible records: slide numbers counting up, 2.0 s dissolve, 5.5 s
// timer, a few special functions. Many bytes are small and travel escaped.
std::vector<std::vector<std::uint8_t>> showRecords(int count) {
    std::vector<std::vector<std::uint8_t>> records;
    for (int i = 0; i < count; ++i) {
        const int slide = i + 1;
        const int timerHundredths = 550;
        records.push_back({static_cast<std::uint8_t>(slide & 0xFF), static_cast<std::uint8_t>(slide >> 8), 20,
                           static_cast<std::uint8_t>(timerHundredths & 0xFF),
                           static_cast<std::uint8_t>(timerHundredths >> 8),
                           static_cast<std::uint8_t>(i % 10 == 0 ? 0x25 : 0)});
    }
    return records;
}

// Bytes the program puts on the line for one block: header and escaped data.
long lineBytes(const std::vector<std::uint8_t>& data) {
    long bytes = 5;
    for (auto v : data) bytes += v <= 0x10 ? 2 : 1;
    return bytes;
}

struct Measurement {
    bool ok = false;
    double seconds = 0;
    long lineBytes = 0;
    long dataBytes = 0;
};

Measurement measure(int baud, int recordCount) {
    Measurement m;
    std::vector<std::string> options;
    if (baud > 0) options = {"--baud", std::to_string(baud)};
    test::ProjectorProcess projector(projectorExecutable, options);
    if (projector.devicePath().empty()) {
        std::fprintf(stderr, "vistrel-projector did not start\n");
        return m;
    }
    QtSerialPort port;
    SystemClock clock;
    SilentPrompter prompter;
    NoEventPump events;
    NoProgressWindows progress;
    ProjectorLink link(port, clock, prompter, "");
    ProjectorProtocol protocol(link, clock, prompter, events, progress);
    link.portName = projector.devicePath();
    if (link.openPort() != 0) {
        std::fprintf(stderr, "cannot open %s\n", projector.devicePath().c_str());
        return m;
    }
    protocol.waitReady();
    std::uint16_t start = 0;
    if (protocol.readShowBase(start) != 0) {
        std::fprintf(stderr, "cannot read the show start\n");
        return m;
    }
    const auto records = showRecords(recordCount);
    const int total = 6 * recordCount;
    const auto began = std::chrono::steady_clock::now();
    for (int i = 0; i < recordCount; ++i) {
        const int mode = i == 0 ? total : (i + 1 == recordCount ? -1 : 0);
        if (protocol.writeBlock(static_cast<std::uint16_t>(start + 6 * i), records[i], mode) != 0) {
            std::fprintf(stderr, "block %d failed\n", i);
            return m;
        }
        m.lineBytes += lineBytes(records[i]);
        m.dataBytes += 6;
    }
    m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    m.ok = true;
    link.closePort();
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int records = 200;
    int runs = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--records") records = std::max(1, std::atoi(argv[i + 1]));
        if (name == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
        if (name == "--projector") projectorExecutable = argv[i + 1];
    }

    constexpr int kBaud = 9600;
    std::printf("block writes of %d show records (6 bytes each), %d runs\n", records, runs);
    std::vector<double> ratios;
    for (int run = 0; run < runs; ++run) {
        const Measurement m = measure(kBaud, records);
        if (!m.ok) return 1;
        const double wireSeconds = static_cast<double>(m.lineBytes) * 22.0 / kBaud;
        ratios.push_back(m.seconds / wireSeconds);
        std::printf("9600 baud: %ld line bytes, wire %.3f s, measured %.3f s, ratio %.4f\n", m.lineBytes,
                    wireSeconds, m.seconds, ratios.back());
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("9600 baud: median ratio %.4f (goal <= 1.05)\n", ratios[ratios.size() / 2]);

    for (int run = 0; run < runs; ++run) {
        const Measurement m = measure(0, records * 5);
        if (!m.ok) return 1;
        std::printf("no baud emulation: %ld line bytes in %.3f s = %.0f line bytes/s (%.0f data bytes/s)\n",
                    m.lineBytes, m.seconds, static_cast<double>(m.lineBytes) / m.seconds,
                    static_cast<double>(m.dataBytes) / m.seconds);
    }
    return 0;
}
