// Measures the show transfer on a real serial path: vistrel-projector on a pseudo
// terminal with 9600-baud timing, QtSerialPort, the link and the protocol as the
// window program uses them.
//
//   transfer_bench [PATH-TO-vistrel-projector]
//
// 1. A 999-line show written with "Diaschau in den Projektor speichern": elapsed time
//    divided by the wire time of every byte that crossed the line (11 bit times each,
//    the echoes included). Goal: at most 1.05.
// 2. The same show written again with differential transfer after one line changed
//    (with the end-marker option on and off): the bytes on the line, against those of
//    the full write.
#include <QCoreApplication>
#include <QProcess>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "model/ApplicationState.h"
#include "model/CVistrelDoc.h"
#include "model/Settings.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/ProgressWindows.h"
#include "platform/qt/core/QtSerialPort.h"
#include "projector/ProjectorLink.h"
#include "projector/ProjectorProtocol.h"
#include "projector/RunState.h"
#include "projector/ShowTransfer.h"

using namespace vistrel;

namespace {

constexpr double BitsPerByte = 11.0;  // start, 8 data, 2 stop
constexpr double Baud = 9600.0;

// Counts the bytes each way on their way through.
class CountingPort final : public SerialPort {
public:
    explicit CountingPort(SerialPort& inner) : inner_(inner) {}
    long long written = 0;
    long long read = 0;
    long long total() const { return written + read; }
    void reset() { written = read = 0; }

    bool open(const std::string& name) override { return inner_.open(name); }
    bool configure() override { return inner_.configure(); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    void setDtr(bool on) override { inner_.setDtr(on); }
    bool writeByte(std::uint8_t byte) override {
        const bool ok = inner_.writeByte(byte);
        written += ok ? 1 : 0;
        return ok;
    }
    int readByte() override {
        const int b = inner_.readByte();
        read += b >= 0 ? 1 : 0;
        return b;
    }
    void purgeOutput() override { inner_.purgeOutput(); }
    void purgeInput() override { inner_.purgeInput(); }

private:
    SerialPort& inner_;
};

class StderrPrompter final : public Prompter {
public:
    using Prompter::showMessage;
    MessageAnswer showMessage(const std::string& text, MessageIcon, MessageButtons, int) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        ++messages;
        return MessageAnswer::Ok;
    }
    void beep() override {}
    void beginWaitCursor() override {}
    void endWaitCursor() override {}
    int messages = 0;
};

// A show with values that need escaping on the line now and then, as real shows do.
void fillShow(CVistrelDoc& doc, int lines) {
    for (int i = 0; i < lines; ++i) {
        ProgramLine& line = doc.lines[i];
        char number[8];
        std::snprintf(number, sizeof number, "%03d", i + 1);
        line.programNumber = number;
        line.slideNumber = i + 1;
        line.dissolveTime = 10 + i % 40;
        line.timerTime = 30 + (i * 7) % 200;
        line.specialFunction = (i % 10 == 0) ? 160 : (i % 7 == 0 ? 33 : 0);
        line.changeMarks = AllChangeMarks;
    }
    doc.lineCount = lines;
}

double seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString exe = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VISTREL_PROJECTOR_EXE);

    QProcess projector;
    projector.start(exe, {QStringLiteral("--baud"), QStringLiteral("9600")});
    if (!projector.waitForStarted(5000) || !projector.waitForReadyRead(5000)) {
        std::fprintf(stderr, "transfer_bench: cannot start %s\n", qPrintable(exe));
        return 1;
    }
    const QByteArray ptyPath = projector.readLine().trimmed();
    qputenv("VISTREL_COM2", ptyPath);

    QtSerialPort serial;
    CountingPort port(serial);
    SystemClock clock;
    StderrPrompter prompter;
    NoEventPump events;
    NoProgressWindows progress;
    ProjectorLink link(port, clock, prompter, "");
    link.portName = "COM2";
    ProjectorProtocol protocol(link, clock, prompter, events, progress);
    Settings settings;
    ApplicationState appState;
    RunState runState;
    ShowTransfer transfer(protocol, settings, appState, runState, prompter, clock, events, progress);

    auto doc = std::make_unique<CVistrelDoc>();
    doc->windowTitle = "Bench.dpd";
    fillShow(*doc, 999);

    link.connect();  // find the projector before the clock starts
    port.reset();
    const auto start = std::chrono::steady_clock::now();
    const bool written = transfer.writeToProjector(*doc);
    const double elapsed = seconds(std::chrono::steady_clock::now() - start);
    const long long fullBytes = port.total();
    const double wire = static_cast<double>(fullBytes) * BitsPerByte / Baud;
    std::printf("999-line upload: %s, %lld bytes on the line, %.2f s elapsed, %.2f s wire time, ratio %.3f\n",
                written ? "ok" : "FAILED", fullBytes, elapsed, wire, elapsed / wire);

    // Differential: the projector now holds every line of this show (the first write was
    // not differential, so it left the marks alone); change one line and write again,
    // once with the 50 end records and once with the single one.
    settings.differentialTransfer = true;
    bool diffWritten = true;
    for (const bool endMarker : {true, false}) {
        settings.endMarker = endMarker;
        for (int i = 0; i < doc->lineCount; ++i) doc->lines[i].changeMarks &= static_cast<std::uint8_t>(~NotInProjector);
        doc->lines[500].slideNumber += 1;
        doc->lines[500].changeMarks = AllChangeMarks;
        port.reset();
        const auto diffStart = std::chrono::steady_clock::now();
        const bool ok = transfer.writeToProjector(*doc);
        const double diffElapsed = seconds(std::chrono::steady_clock::now() - diffStart);
        std::printf("differential write after one line changed, end marker %s: %s, %lld bytes on the line "
                    "(full write %lld), %.2f s\n",
                    endMarker ? "on" : "off", ok ? "ok" : "FAILED", port.total(), fullBytes, diffElapsed);
        diffWritten = diffWritten && ok;
    }

    link.closePort();
    projector.terminate();
    projector.waitForFinished(3000);
    return written && diffWritten && prompter.messages == 0 ? 0 : 1;
}
