// How fast a show becomes a video, and how much memory that takes: a 100-line show of
// photos (generated here, 1920×1280 JPEGs) with 2-second dissolves and 4-second timers,
// rendered at 1280×720 and 25 frames per second into an MP4, as `vistrel-cli video`
// does it. The goals: at least four times faster than the show runs, under 400 MB.
//
// When MLT's command-line tool `melt` is installed, the same photos go through it as a
// slide show with the same dissolves and the same encoder settings (x264 "veryfast",
// constant quality 23, a key frame every 5 s, 4:2:0, no sound), and the ratios are
// printed (goal: at least 1.2 times as fast). Without melt that part is skipped.
//
//     video_bench [LINES [WIDTHxHEIGHT]]   (default 100 and 1280x720; 6 s per line)
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

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
#include <string>
#include <vector>

#include "media/MediaFailureText.h"
#include "model/ProgramLine.h"
#include "video/VideoExport.h"

extern char** environ;

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

struct Run {
    double seconds = 0;
    double cpu = 0;
    double peakMb = 0;
};

// melt on the same photos: each shown 8 s, the next dissolving in over its last 2 s, so
// that each line takes 6 s as in the show.
bool runMelt(const QString& folder, int count, QSize size, Run& run) {
    const std::string profile = size.height() >= 1080 ? "atsc_1080p_25" : "atsc_720p_25";
    std::vector<std::string> words{"melt", "-quiet", "-profile", profile};
    for (int slide = 1; slide <= count; ++slide) {
        words.push_back(QDir(folder).filePath(QStringLiteral("%1.jpg").arg(slide, 3, 10, QLatin1Char('0'))).toStdString());
        words.push_back("out=199");
        if (slide > 1) {
            for (const char* word : {"-mix", "50", "-mixer", "luma"}) words.push_back(word);
        }
    }
    const std::string out = QDir(folder).filePath(QStringLiteral("melt.mp4")).toStdString();
    const std::vector<std::string> consumer{"-consumer", "avformat:" + out, "vcodec=libx264", "preset=veryfast",
                                            "crf=23", "g=125", "pix_fmt=yuv420p", "movflags=+faststart", "an=1",
                                            "real_time=-2", "threads=0"};
    words.insert(words.end(), consumer.begin(), consumer.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const auto started = std::chrono::steady_clock::now();
    const int spawned = posix_spawnp(&pid, "melt", &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) return false;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const auto cpuSeconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    run.cpu = cpuSeconds(usage.ru_utime) + cpuSeconds(usage.ru_stime);
    run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool meltInstalled() {
    const QByteArray path = qgetenv("PATH");
    for (const QByteArray& folder : path.split(':'))
        if (!folder.isEmpty() && access((folder + "/melt").constData(), X_OK) == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    QSize size(1280, 720);
    if (argc > 2 && std::sscanf(argv[2], "%dx%d", &size.rwidth(), &size.rheight()) != 2) {
        std::fprintf(stderr, "usage: video_bench [LINES [WIDTHxHEIGHT]]\n");
        return 2;
    }

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
    request.size = size;
    request.fps = 25;

    const std::atomic<bool> cancel{false};
    const auto started = std::chrono::steady_clock::now();
    const video::ExportResult result = video::exportVideo(lines, request, {}, cancel);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (result.outcome != video::ExportOutcome::Written) {
        std::fprintf(stderr, "video_bench: %s\n", media::mediaFailureText(result.failure).c_str());
        return 1;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto cpuSeconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    const double cpu = cpuSeconds(usage.ru_utime) + cpuSeconds(usage.ru_stime) - photoCpu;
    const double videoSeconds = count * 6.0;
    std::printf("%d lines, %.0f s of video at %dx%d, 25 fps: rendered in %.1f s (%.1f s of processor time)\n",
                count, videoSeconds, size.width(), size.height(), seconds, cpu);
    std::printf("render speed: %.1fx real time (goal: at least 4x)\n", videoSeconds / seconds);
    // On a shared machine the clock also counts other programs' time: what two cores of
    // our own would take is the processor time spread over both.
    std::printf("render speed on two free cores: %.1fx real time\n", videoSeconds / std::max(cpu / 2.0, 1e-3));
    std::printf("peak memory: %.0f MB (goal: under 400 MB)\n", static_cast<double>(usage.ru_maxrss) / 1024.0);

    if (!meltInstalled()) {
        std::printf("melt: not installed, comparison skipped\n");
        return 0;
    }
    Run melt;
    if (!runMelt(folder.path(), count, size, melt)) {
        std::fprintf(stderr, "video_bench: melt failed\n");
        return 1;
    }
    std::printf("melt: %.1f s (%.1f s of processor time), peak memory %.0f MB\n", melt.seconds, melt.cpu, melt.peakMb);
    std::printf("against melt: %.2fx as fast, %.2fx in processor time (goal: at least 1.2x)\n", melt.seconds / seconds,
                melt.cpu / std::max(cpu, 1e-3));
    return 0;
}
