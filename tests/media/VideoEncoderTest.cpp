// The encoder seen from outside: what a player finds in the file (container, codecs,
// length, colours, sound, the MP4 index in front), and that a file that is not
// complete never takes the place of the one that was there.
#include "media/VideoEncoder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>

#include "SoundFiles.h"
#include "VideoProbe.h"
#include "media/MediaFailureText.h"
#include "media/Soundtrack.h"

namespace vistrel::media {
namespace {

using test::Rgb;
using test::ScratchFolder;

// A frame of one colour, held by shared ownership as the renderer hands its images over.
RgbFrame flatFrame(int width, int height, std::uint32_t argb) {
    auto pixels = std::make_shared<std::vector<std::uint32_t>>(static_cast<std::size_t>(width * height), argb);
    return {reinterpret_cast<const std::uint8_t*>(pixels->data()), width * 4, pixels};
}

// Noise does not compress: the file grows with every frame.
RgbFrame noiseFrame(int width, int height, unsigned seed) {
    auto pixels = std::make_shared<std::vector<std::uint32_t>>(static_cast<std::size_t>(width * height));
    for (auto& p : *pixels) p = 0xff000000u | ((seed = seed * 1664525u + 1013904223u) >> 8);
    return {reinterpret_cast<const std::uint8_t*>(pixels->data()), width * 4, pixels};
}

// One second red, one second blue (standing still: repeated), and a steady tone.
bool writeRedThenBlue(VideoEncoder& encoder, const VideoSettings& settings) {
    if (!encoder.open(settings)) return false;
    for (int k = 0; k < 2 * settings.fps; ++k) {
        const bool still = k != 0 && k != settings.fps;
        const bool added = still ? encoder.repeatFrame()
                                 : encoder.addFrame(flatFrame(settings.width, settings.height,
                                                              k < settings.fps ? 0xffff0000u : 0xff0000ffu));
        if (!added) return false;
        const auto sound = Soundtrack::soundFramesBefore(k + 1, settings.fps) - Soundtrack::soundFramesBefore(k, settings.fps);
        if (settings.withAudio && !encoder.addAudio(std::vector<float>(static_cast<std::size_t>(sound * 2), 0.25f)))
            return false;
    }
    return encoder.finish();
}

TEST(VideoEncoder, EachEndingGivesItsContainerAndCodecs) {
    struct Case {
        const char* name;
        const char* container;
        const char* videoCodec;
        const char* audioCodec;
    };
    const Case cases[] = {
        {"show.mp4", "mov,mp4,m4a,3gp,3g2,mj2", "h264", "aac"},
        {"show.MKV", "matroska,webm", "h264", "aac"},
        {"show.webm", "matroska,webm", "vp9", "opus"},
    };
    ScratchFolder folder;
    for (const auto& c : cases) {
        VideoSettings settings{folder.file(c.name), 64, 48, 10, 70, true};
        VideoEncoder encoder;
        ASSERT_TRUE(writeRedThenBlue(encoder, settings)) << c.name << ": " << mediaFailureText(encoder.failure());
        const auto probed = test::probeVideo(settings.outputPath);
        ASSERT_TRUE(probed.opened) << c.name;
        EXPECT_EQ(probed.container, c.container);
        ASSERT_TRUE(probed.video && probed.audio) << c.name;
        EXPECT_EQ(probed.video->codec, c.videoCodec);
        EXPECT_EQ(probed.audio->codec, c.audioCodec);
        EXPECT_EQ(probed.width, 64);
        EXPECT_EQ(probed.height, 48);
        ASSERT_EQ(probed.frameCentres.size(), 20u) << c.name;
        EXPECT_TRUE(probed.frameCentres[5].near({255, 0, 0})) << c.name << " " << probed.frameCentres[5];
        EXPECT_TRUE(probed.frameCentres[9].near({255, 0, 0})) << c.name << " " << probed.frameCentres[9];
        EXPECT_TRUE(probed.frameCentres[15].near({0, 0, 255})) << c.name << " " << probed.frameCentres[15];
        EXPECT_NEAR(probed.video->seconds, 2.0, 0.1) << c.name;
        EXPECT_NEAR(probed.audio->seconds, 2.0, 0.05) << c.name;
        EXPECT_NEAR(probed.peakSound, 0.25, 0.03) << c.name;
        EXPECT_FALSE(test::temporaryFileIn(folder.path())) << c.name;
        if (std::string_view(c.name).ends_with(".mp4")) {
            // The index before the data: the video plays while it is still loading.
            const std::string bytes = test::readWholeText(settings.outputPath);
            EXPECT_LT(bytes.find("moov"), bytes.find("mdat"));
        }
    }
}

// A full disk, in a child process whose files may not grow past 64 KB: the write
// fails as on a full disk, the old file is as it was, and no temporary file is left,
// neither its own nor the one a killed export left before.
TEST(VideoEncoder, FullDiskIsReportedAndLeavesNothingBehind) {
    ScratchFolder folder;
    const std::string out = folder.file("big.mkv");
    std::ofstream(out) << "old";
    std::ofstream(folder.file(".vistrel-999999999.tmp")) << "half a video of a killed export";
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64 * 1024, 64 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        VideoEncoder encoder;
        bool written = encoder.open({out, 320, 240, 25, 100, false});
        for (unsigned k = 0; written && k < 100; ++k) written = encoder.addFrame(noiseFrame(320, 240, k));
        written = written && encoder.finish();
        const std::string report = (written ? "written" : mediaFailureText(encoder.failure()));
        [[maybe_unused]] auto ignored = ::write(pipeEnds[1], report.data(), report.size());
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) report.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(report, "Die Videodatei " + out +
                          " konnte nicht geschrieben werden: Auf dem Datenträger ist kein Platz mehr.");
    EXPECT_EQ(test::readWholeText(out), "old");
    EXPECT_FALSE(test::temporaryFileIn(folder.path()));
}

// OUT must be a plain file of the user's, as for a save: a device, a pipe, a socket, a
// link to one of them or a link loop is never replaced by a video, nor is a read-only
// file, which keeps its bytes and its mode. Nothing is left beside them.
TEST(VideoEncoder, WhatIsNotAPlainFileOfOursIsNeverReplaced) {
    using Problem = MediaFailure::Problem;
    ScratchFolder folder;
    ASSERT_EQ(::mkfifo(folder.file("pipe.mp4").c_str(), 0600), 0);
    std::filesystem::create_symlink(folder.file("pipe.mp4"), folder.file("to-pipe.mkv"));
    std::filesystem::create_symlink("/dev/null", folder.file("to-null.webm"));
    std::filesystem::create_symlink(folder.file("loop-b.mp4"), folder.file("loop-a.mp4"));
    std::filesystem::create_symlink(folder.file("loop-a.mp4"), folder.file("loop-b.mp4"));
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = folder.file("socket.mp4");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    std::ofstream(folder.file("readonly.mp4")) << "old video";
    ::chmod(folder.file("readonly.mp4").c_str(), 0444);
    struct Case {
        std::string out;
        MediaFailure failure;
    };
    const Case cases[] = {
        {folder.file("pipe.mp4"), {Problem::OutputNotReplaceable, folder.file("pipe.mp4"), EINVAL, 0}},
        {folder.file("to-pipe.mkv"), {Problem::OutputNotReplaceable, folder.file("to-pipe.mkv"), EINVAL, 0}},
        {folder.file("to-null.webm"), {Problem::OutputNotReplaceable, folder.file("to-null.webm"), EINVAL, 0}},
        {folder.file("socket.mp4"), {Problem::OutputNotReplaceable, folder.file("socket.mp4"), EINVAL, 0}},
        {folder.file("loop-a.mp4"), {Problem::OutputNotReplaceable, folder.file("loop-a.mp4"), ELOOP, 0}},
        {folder.file("readonly.mp4"), {Problem::OutputNotReplaceable, folder.file("readonly.mp4"), EACCES, 0}},
    };
    for (const Case& c : cases) {
        VideoEncoder encoder;
        EXPECT_FALSE(encoder.open({c.out, 64, 48, 10, 50, false})) << c.out;
        EXPECT_EQ(encoder.failure(), c.failure) << c.out << ": " << mediaFailureText(encoder.failure());
    }
    ::close(listening);
    EXPECT_EQ(mediaFailureText(cases[0].failure), "Die Datei konnte nicht unter dem \nangegebenden Pfad gespeichert\n werden.\n");
    EXPECT_EQ(test::readWholeText(folder.file("readonly.mp4")), "old video");
    struct stat info {};
    ASSERT_EQ(::stat(folder.file("readonly.mp4").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
    EXPECT_TRUE(std::filesystem::is_fifo(folder.file("pipe.mp4")));
    EXPECT_FALSE(test::temporaryFileIn(folder.path()));
}

}  // namespace
}  // namespace vistrel::media
