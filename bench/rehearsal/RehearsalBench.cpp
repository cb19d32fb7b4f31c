// Measures the rehearsal on the screen (run it on an otherwise quiet machine):
//
//   rehearsal_bench dissolve   frames while two 6000 x 4000 JPEGs dissolve in a
//                              1920 x 1080 window, drawn as the window draws them
//                              (goal: at least 50 frames per second, none over 40 ms)
//   rehearsal_bench start      from the command to the first picture, for a 999-line
//                              show, through the whole window program (goal: < 0.5 s)
//   rehearsal_bench drift [--minutes N]
//                              a show of N minutes (default 10) run in real time on the
//                              in-process projector, sampled at 60 frames per second and
//                              polled every 700 ms as in the window program: how far the
//                              start of each line lies from the sum of the durations
//                              before it (goal: within 50 ms)
//
// Without an argument: dissolve and start, then a one-minute drift.
#include <QApplication>
#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/CSplitterFrame.h"
#include "app/CVistrelApp.h"
#include "app/FileDialogs.h"
#include "model/CVistrelDoc.h"
#include "model/LineTiming.h"
#include "model/Projection.h"
#include "pictures/ProjectionPainter.h"
#include "pictures/SlidePictures.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/ProgressWindows.h"
#include "platform/fake/RecordingPrompter.h"
#include "platform/qt/widgets/QtEventPump.h"
#include "platform/qt/widgets/ResponsiveClock.h"
#include "rehearsal/Rehearsal.h"
#include "rehearsal/RehearsalProjector.h"
#include "rehearsal/RehearsalScene.h"
#include "rehearsal/RehearsalWindow.h"
#include "res/CommandIds.h"

using namespace vistrel;

namespace {

using Clock_ = std::chrono::steady_clock;

double msSince(Clock_::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock_::now() - start).count();
}

// A photo-like picture: gradients and fine noise, so that its JPEG is as costly to
// decode as a camera's.
void writePhoto(const QString& path, QSize size, QColor tint) {
    QImage image(size, QImage::Format_RGB32);
    std::uint32_t noise = 12345;
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int grain = static_cast<int>(noise >> 28);
            row[x] = qRgb(std::min(255, tint.red() * x / size.width() + grain),
                          std::min(255, tint.green() * y / size.height() + grain),
                          std::min(255, tint.blue() / 2 + grain));
        }
    }
    image.save(path, "JPEG", 90);
}

void fillShow(CVistrelDoc& doc, int lines, int dissolve, int timer, const std::vector<int>& codes) {
    for (int i = 0; i < lines; ++i) {
        ProgramLine& line = doc.lines[static_cast<std::size_t>(i)];
        line.programNumber = std::to_string(1000 + i + 1).substr(1);
        line.slideNumber = i % 80 + 1;
        line.dissolveTime = dissolve;
        line.timerTime = timer;
        line.specialFunction = codes[static_cast<std::size_t>(i) % codes.size()];
        line.description = "Dia " + std::to_string(i + 1);
        line.changeMarks = AllChangeMarks;
    }
    doc.lineCount = lines;
}

// --- dissolve --------------------------------------------------------------------------

int dissolve() {
    QTemporaryDir folder;
    std::printf("dissolve: writing two 6000 x 4000 JPEGs ...\n");
    writePhoto(folder.filePath("1.jpg"), {6000, 4000}, QColor(255, 120, 40));
    writePhoto(folder.filePath("2.jpg"), {6000, 4000}, QColor(40, 160, 255));
    const QSize screen(1920, 1080);

    pictures::SlidePictures slides(folder.path(), [](int) { return QString(); });
    const auto decodeStart = Clock_::now();
    slides.now(1, 0, screen);
    std::printf("  one picture decoded and fitted to 1920 x 1080: %.0f ms\n", msSince(decodeStart));

    // The window has both read ahead before the line begins, as it does two lines ahead.
    slides.prefetch(2, 1, screen);
    while (!slides.ready(2, 1, screen)) std::this_thread::sleep_for(std::chrono::milliseconds(2));

    // A 4-second dissolve (the longest wanted frame count) drawn at 60 frames per
    // second, each frame as the window draws it: projection, frame, onto the screen.
    QImage backingStore(screen, QImage::Format_RGB32);
    pictures::ProjectionPainter painter;
    ProjectionInput input;
    input.line = {1, 2, 40, 40, 0};
    input.previousSlide = 1;
    input.previousLineIndex = 0;
    const double dissolveMs = 4000.0;
    const double frameMs = 1000.0 / 60.0;
    std::vector<double> frameTimes;
    const auto start = Clock_::now();
    auto next = start;
    for (;;) {
        const double t = msSince(start);
        if (t >= dissolveMs) break;
        const auto frameStart = Clock_::now();
        input.elapsedMs = static_cast<std::int64_t>(t);
        const Projection projection = projectAt(input);
        QPainter onScreen(&backingStore);
        painter.paint(onScreen, QRect(QPoint(0, 0), screen), projection, [&](const ProjectionLayer& layer) {
            return slides.ready(layer.slide, layer.lineIndex, screen).value_or(QImage());
        });
        onScreen.end();
        frameTimes.push_back(msSince(frameStart));
        next += std::chrono::microseconds(static_cast<long long>(frameMs * 1000));
        std::this_thread::sleep_until(next);
    }
    const double total = msSince(start);
    const double worst = *std::max_element(frameTimes.begin(), frameTimes.end());
    double sum = 0;
    for (double t : frameTimes) sum += t;
    std::printf("  %zu frames in %.0f ms: %.1f frames per second at a 60 Hz display (goal >= 50)\n",
                frameTimes.size(), total, 1000.0 * static_cast<double>(frameTimes.size()) / total);
    std::printf("  drawing a frame: %.1f ms on average, %.1f ms at worst (goal: none over 40 ms)\n",
                sum / static_cast<double>(frameTimes.size()), worst);
    std::printf("  could draw %.0f frames per second unpaced\n", 1000.0 / (sum / static_cast<double>(frameTimes.size())));
    return 0;
}

// --- start -----------------------------------------------------------------------------

class NoFileDialogs final : public FileDialogs {
public:
    QString answer;
    QString getOpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString getSaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString getExistingFolder(QWidget*, const QString&, const QString&) override { return answer; }
};

// No projector on any port: the rehearsal never asks for one.
class NoSerialPort final : public SerialPort {
public:
    bool open(const std::string&) override { return false; }
    bool configure() override { return false; }
    void close() override {}
    bool isOpen() const override { return false; }
    void setDtr(bool) override {}
    bool writeByte(std::uint8_t) override { return false; }
    int readByte() override { return -1; }
    void purgeOutput() override {}
    void purgeInput() override {}
};

int start() {
    QTemporaryDir folder;
    qputenv("VISTREL_CONFIG_DIR", folder.path().toUtf8());
    qputenv("XDG_STATE_HOME", folder.path().toUtf8());
    qputenv("VISTREL_LOG", (folder.path() + "/DIA.LOG").toUtf8());
    const QString pictureFolder = folder.filePath("bilder");
    QDir().mkpath(pictureFolder);
    for (int slide = 1; slide <= 80; ++slide) {
        writePhoto(pictureFolder + QString("/%1.jpg").arg(slide), {1800, 1200}, QColor(3 * slide, 200, 120));
    }

    RecordingPrompter prompter;
    NoFileDialogs dialogs;
    dialogs.answer = pictureFolder;
    NoSerialPort port;
    ResponsiveClock clock;
    QtEventPump events;
    NoProgressWindows progress;
    CVistrelApp app({prompter, dialogs, port, clock, events, progress, false, {}});
    app.startUp({});
    CSplitterFrame* frame = app.activeFrame();
    fillShow(frame->document(), 999, 20, 40, {0, 15, 33, 60, 41, 52, 22});
    frame->document().linesReplaced(CVistrelDoc::Replaced::ReadIn);
    app.runCommand(cmd::ChoosePictureFolder);
    QApplication::processEvents();

    QElapsedTimer sinceCommand;
    double firstPictureMs = -1;
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        RehearsalWindow* window = app.rehearsal().window();
        RehearsalScene* scene = app.rehearsal().scene();
        if (firstPictureMs >= 0 || !window || !window->isVisible() || !scene) return;
        const Projection& projection = scene->lastMoment().projection;
        if (projection.after.slide == 0 || projection.after.brightness <= 0) return;
        if (!scene->pictures().ready(projection.after.slide, projection.after.lineIndex, window->size())) return;
        firstPictureMs = static_cast<double>(sinceCommand.nsecsElapsed()) / 1e6;
    });
    watch.start();
    sinceCommand.start();
    app.runCommand(cmd::Rehearse);
    const double commandReturnedMs = static_cast<double>(sinceCommand.nsecsElapsed()) / 1e6;
    while (firstPictureMs < 0 && sinceCommand.elapsed() < 10000) QApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("start: 999-line show, from the command to the first picture on the screen: %.0f ms (goal < 500)\n",
                firstPictureMs);
    std::printf("  (the command itself returns after %.0f ms: the run control waits a second after the start,\n"
                "   as it does for the projector, while the window already plays)\n",
                commandReturnedMs);
    app.runCommand(cmd::StopShow);
    app.rehearsal().abandon();
    app.prepareExit();
    return firstPictureMs >= 0 ? 0 : 1;
}

// --- drift -----------------------------------------------------------------------------

class SilentView final : public RunView {
public:
    std::vector<int> selectedRows() override { return {}; }
    void clearSelection() override {}
    void followLine(int) override {}
    void pauseStateChanged() override {}
    void updateViews() override {}
    void startPolling() override {}
    void stopPolling() override {}
};

class NoWindows final : public RunWindows {
public:
    bool infoWindowOpen() const override { return false; }
    void openInfoWindow() override {}
    void closeInfoWindow() override {}
    void openHomingWait() override {}
};

int drift(int minutes) {
    // Lines of every kind, about 7 s each, until the show lasts `minutes`.
    CVistrelDoc doc;
    const std::vector<int> codes = {0, 15, 33, 60, 41, 52, 22, 200, 400, 0, 61};
    const int dissolve = 20, timer = 43;
    std::int64_t total = 0;
    int lines = 0;
    while (total < minutes * 600LL && lines < 998) {
        total += lineTiming(codes[static_cast<std::size_t>(lines) % codes.size()], dissolve, timer).effectTenths + timer;
        ++lines;
    }
    fillShow(doc, lines, dissolve, timer, codes);
    std::vector<std::int64_t> expectedStartMs(static_cast<std::size_t>(lines) + 1, 0);
    for (int i = 0; i < lines; ++i) {
        const LineTiming timing = lineTiming(doc.lines[static_cast<std::size_t>(i)].specialFunction, dissolve, timer);
        expectedStartMs[static_cast<std::size_t>(i) + 1] =
            expectedStartMs[static_cast<std::size_t>(i)] + (timing.effectTenths + timing.timerTenths) * 100;
    }
    std::printf("drift: %d lines, %.1f minutes in real time ...\n", lines,
                static_cast<double>(expectedStartMs.back()) / 60000.0);

    Settings settings;
    RunState run;
    RecordingPrompter prompter;
    SystemClock clock;
    NoEventPump events;
    RehearsalProjector rehearsal(settings, run, prompter, clock, events);
    SilentView view;
    NoWindows windows;
    if (!rehearsal.runControl().start(doc, view, windows)) return 1;

    // Sampled at 60 frames per second like the window; polled every 700 ms.
    const auto frame = std::chrono::microseconds(16667);
    auto next = Clock_::now();
    auto lastPoll = Clock_::now();
    int lastLine = 0;
    std::int64_t lineOneAtMs = -1;
    double worstScheduled = 0, worstSeen = 0;
    int linesSeen = 0;
    while (rehearsal.projector().isRunning()) {
        next += frame;
        std::this_thread::sleep_until(next);
        if (Clock_::now() - lastPoll >= std::chrono::milliseconds(700)) {
            lastPoll = Clock_::now();
            rehearsal.runControl().poll(doc, view);
        }
        const std::int64_t now = clock.nowMs();
        const auto at = rehearsal.projector().showPosition();
        if (!at.running || at.line == lastLine) continue;
        lastLine = at.line;
        const std::int64_t startedAt = now - at.phaseElapsedMs;  // as the projector began it
        if (lineOneAtMs < 0) lineOneAtMs = startedAt;
        const auto expected = lineOneAtMs + expectedStartMs[static_cast<std::size_t>(at.line) - 1];
        worstScheduled = std::max(worstScheduled, std::abs(static_cast<double>(startedAt - expected)));
        // Line 1 begins while the start still waits, before this loop samples.
        if (linesSeen > 0) worstSeen = std::max(worstSeen, static_cast<double>(now - expected));
        ++linesSeen;
    }
    std::printf("  %d line starts: the projector began each within %.0f ms of the sum of the durations before it\n",
                linesSeen, worstScheduled);
    std::printf("  (goal: 50 ms); the window saw each new line at most %.0f ms after that moment (one frame is 17 ms)\n",
                worstSeen);
    return linesSeen == lines ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::string what = argc > 1 ? argv[1] : "";
    int minutes = 10;
    for (int i = 2; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--minutes") minutes = std::max(1, std::atoi(argv[i + 1]));
    }
    if (what == "dissolve") return dissolve();
    if (what == "start") return start();
    if (what == "drift") return drift(minutes);
    if (!what.empty()) {
        std::fprintf(stderr, "usage: rehearsal_bench [dissolve | start | drift [--minutes N]]\n");
        return 2;
    }
    int failed = dissolve();
    failed |= start();
    failed |= drift(1);
    return failed;
}
