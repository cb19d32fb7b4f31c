// How fast a show becomes a video, and how much memory that takes: a 100-line show of
// photos (generated here, 1920×1280 JPEGs) with 2-second dissolves and 4-second timers,
// rendered at 1280×720 and 25 frames per second into an MP4, as `vistrel-cli video`
// does it. The goals: at least four times faster than the show runs, under 400 MB.
//
//     video_bench [LINES]        (default 100; the video runs 6 s per line)
#include <sys/resource.h>

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "model/ProgramLine.h"
#include "video/VideoExport.h"

namespace {

using namespace vistrel;

void makePhotos(const QString& folder, int count) {
    for (int slide = 1; slide <= count; ++slide) {
        QImage photo(1920, 1280, QImage::Format_RGB32);
        QPainter painter(&photo);
        QLinearGradient sky(0, 0, 1920, 1280);
        sky.setColorAt(0, QColor::fromHsv(slide * 37 % 360, 160, 230));
        sky.setColorAt(1, QColor::fromHsv(slide * 91 % 360, 200, 90));
        painter.fillRect(photo.rect(), sky);
        painter.setPen(Qt::white);
        QFont font = painter.font();
        font.setPixelSize(300);
        painter.setFont(font);
        painter.drawText(photo.rect(), Qt::AlignCenter, QString::number(slide));
        painter.end();
        photo.save(QDir(folder).filePath(QStringLiteral("%1.jpg").arg(slide, 3, 10, QLatin1Char('0'))), "JPEG", 90);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;

    QTemporaryDir folder;
    makePhotos(folder.path(), count);
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const double photoCpu = static_cast<double>(before.ru_utime.tv_sec + before.ru_stime.tv_sec) +
                            static_cast<double>(before.ru_utime.tv_usec + before.ru_stime.tv_usec) / 1e6;
    std::vector<ProgramLine> lines(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        lines[static_cast<std::size_t>(i)].slideNumber = i + 1;
        lines[static_cast<std::size_t>(i)].dissolveTime = 20;
        lines[static_cast<std::size_t>(i)].timerTime = 40;
    }
    video::VideoRequest request;
    request.outputPath = QDir(folder.path()).filePath(QStringLiteral("bench.mp4")).toStdString();
    request.pictureFolder = folder.path().toStdString();
    request.size = {1280, 720};
    request.fps = 25;

    const std::atomic<bool> cancel{false};
    const auto started = std::chrono::steady_clock::now();
    const video::ExportResult result = video::exportVideo(lines, request, {}, cancel);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (result.outcome != video::ExportOutcome::Written) {
        std::fprintf(stderr, "video_bench: %s\n", result.message.c_str());
        return 1;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto cpuSeconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    const double cpu = cpuSeconds(usage.ru_utime) + cpuSeconds(usage.ru_stime) - photoCpu;
    const double videoSeconds = count * 6.0;
    std::printf("%d lines, %.0f s of video at 1280x720, 25 fps: rendered in %.1f s (%.1f s of processor time)\n",
                count, videoSeconds, seconds, cpu);
    std::printf("render speed: %.1fx real time (goal: at least 4x)\n", videoSeconds / seconds);
    // On a shared machine the clock also counts other programs' time: what two cores of
    // our own would take is the processor time spread over both.
    std::printf("render speed on two free cores: %.1fx real time\n", videoSeconds / std::max(cpu / 2.0, 1e-3));
    std::printf("peak memory: %.0f MB (goal: under 400 MB)\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}
