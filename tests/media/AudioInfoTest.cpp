// The length of a piece of music decides the length a show is scaled to: a wrong
// millisecond count or a crash on a file that is not music would both reach the user.
#include "media/AudioInfo.h"
#include "media/MediaFailureText.h"
#include "media/MusicDecoder.h"
#include "media/VideoEncoder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "SoundFiles.h"

namespace vistrel::media {
namespace {

using test::ScratchFolder;
using test::writeWav;

TEST(AudioInfo, LengthOfPcmSound) {
    struct Case {
        int sampleRate;
        int channels;
        std::int64_t frames;
        std::int64_t milliseconds;
    };
    const Case cases[] = {
        {44100, 2, 44100 * 3, 3000},  // CD sound, three seconds
        {48000, 1, 48000 * 61 + 24000, 61500},
        {8000, 1, 800, 100},
        {22050, 2, 22050 * 600, 600000},  // ten minutes
    };
    ScratchFolder folder;
    for (const auto& c : cases) {
        const auto path = folder.file("sound.wav");
        writeWav(path, c.sampleRate, c.channels, c.frames);
        const AudioLength length = audioLength(path);
        EXPECT_TRUE(length.ok()) << mediaFailureText(length.failure);
        EXPECT_EQ(length.milliseconds, c.milliseconds) << c.sampleRate << " Hz, " << c.frames << " frames";
    }
}

// A video of grey frames without a sound track: a file FFmpeg reads that is no music.
void writeSilentVideo(const std::string& path) {
    VideoEncoder encoder;
    ASSERT_TRUE(encoder.open({path, 64, 48, 10, 50, false}));
    auto pixels = std::make_shared<std::vector<std::uint32_t>>(64 * 48, 0xff808080u);
    for (int k = 0; k < 10; ++k)
        ASSERT_TRUE(encoder.addFrame({reinterpret_cast<const std::uint8_t*>(pixels->data()), 64 * 4, pixels}));
    ASSERT_TRUE(encoder.finish());
}

// What is not music is refused at once, never waited for nor read without end: a named
// pipe without a writer would block the opening, /dev/zero never ends. The music's
// decoder says the same as its length.
TEST(AudioInfo, FilesThatHoldNoMusicAreNamedInTheMessage) {
    using Problem = MediaFailure::Problem;
    ScratchFolder folder;
    std::ofstream(folder.file("notes.txt")) << "Das ist keine Musik, nur ein Text.\n";
    std::filesystem::create_directory(folder.file("Musik.wav"));
    std::ofstream(folder.file("empty.mp3"));
    ASSERT_EQ(::mkfifo(folder.file("pipe.wav").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder.file("zero.mp3"));
    writeSilentVideo(folder.file("stumm.mp4"));
    struct Case {
        std::string path;
        Problem problem;
        std::string message;
    };
    const Case cases[] = {
        {folder.file("missing.ogg"), Problem::MusicMissing,
         "Die Musikdatei " + folder.file("missing.ogg") + " wurde nicht gefunden."},
        {folder.file("notes.txt"), Problem::NotMusic,
         "Die Datei " + folder.file("notes.txt") + " enthält keine Musik, die Vistrel lesen kann."},
        {folder.file("Musik.wav"), Problem::NotMusic,
         "Die Datei " + folder.file("Musik.wav") + " enthält keine Musik, die Vistrel lesen kann."},
        {folder.file("empty.mp3"), Problem::NotMusic,
         "Die Datei " + folder.file("empty.mp3") + " enthält keine Musik, die Vistrel lesen kann."},
        {folder.file("pipe.wav"), Problem::NotMusic,
         "Die Datei " + folder.file("pipe.wav") + " enthält keine Musik, die Vistrel lesen kann."},
        {folder.file("zero.mp3"), Problem::NotMusic,
         "Die Datei " + folder.file("zero.mp3") + " enthält keine Musik, die Vistrel lesen kann."},
        {"/dev/null", Problem::NotMusic, "Die Datei /dev/null enthält keine Musik, die Vistrel lesen kann."},
        {folder.file("stumm.mp4"), Problem::NotMusic,
         "Die Datei " + folder.file("stumm.mp4") + " enthält keine Musik, die Vistrel lesen kann."},
    };
    for (const auto& c : cases) {
        const AudioLength length = audioLength(c.path);
        EXPECT_FALSE(length.ok()) << c.path;
        EXPECT_EQ(length.failure.problem, c.problem) << c.path;
        EXPECT_EQ(length.failure.file, c.path);
        EXPECT_EQ(mediaFailureText(length.failure), c.message);
        MusicDecoder music;
        EXPECT_FALSE(music.open(c.path)) << c.path;
        EXPECT_EQ(music.failure(), length.failure) << c.path;
    }
}

}  // namespace
}  // namespace vistrel::media

namespace vistrel::media {
namespace {

// Whatever the music's rate and channels, the video gets 48 kHz stereo of the same
// length and loudness.
TEST(MusicDecoder, ResamplesToTheSoundOfTheVideo) {
    struct Case {
        int sampleRate;
        int channels;
        double seconds;
    };
    const Case cases[] = {{48000, 2, 2.0}, {44100, 1, 1.5}, {22050, 2, 3.0}, {8000, 1, 0.5}};
    test::ScratchFolder folder;
    for (const auto& c : cases) {
        const auto path = folder.file("music.wav");
        test::writeWav(path, c.sampleRate, c.channels, static_cast<std::int64_t>(c.seconds * c.sampleRate), 8000);
        MusicDecoder music;
        ASSERT_TRUE(music.open(path)) << mediaFailureText(music.failure());
        std::vector<float> samples(4096 * 2);
        std::int64_t frames = 0;
        float middleLeft = 0, middleRight = 0;
        for (int got; (got = music.read(samples.data(), 4096)) > 0;) {
            if (frames < 24000 && frames + got > 24000 / 2) {
                middleLeft = samples[0];
                middleRight = samples[1];
            }
            frames += got;
        }
        EXPECT_NEAR(static_cast<double>(frames), c.seconds * 48000, 48) << c.sampleRate << " Hz";
        EXPECT_NEAR(middleLeft, 8000.0 / 32768, 0.01) << c.sampleRate << " Hz";
        EXPECT_NEAR(middleRight, 8000.0 / 32768, 0.01) << c.sampleRate << " Hz";
        EXPECT_EQ(music.read(samples.data(), 4096), 0) << "stays at its end";
    }
}

// Surround music at full scale in every channel: a downmix that adds the centre and
// rear channels to each side must scale them, or the video's sound clips (six channels
// came out at 2.6 times full scale). Still loud, not made quiet by the mix.
TEST(MusicDecoder, SurroundIsMixedDownToStereoWithoutClipping) {
    struct Case {
        int channels;
        std::int16_t level;
    };
    const Case cases[] = {{4, 32767}, {6, 32767}, {8, 32767}, {6, -32768}};
    test::ScratchFolder folder;
    for (const auto& c : cases) {
        const auto path = folder.file("surround.wav");
        test::writeWav(path, 48000, c.channels, 48000, c.level);
        MusicDecoder music;
        ASSERT_TRUE(music.open(path)) << mediaFailureText(music.failure());
        std::vector<float> samples(4096 * 2);
        float peak = 0;
        for (int got; (got = music.read(samples.data(), 4096)) > 0;)
            for (int i = 0; i < got * 2; ++i) peak = std::max(peak, std::abs(samples[static_cast<std::size_t>(i)]));
        EXPECT_LE(peak, 1.0f) << c.channels << " channels at " << c.level;
        EXPECT_GE(peak, 0.5f) << c.channels << " channels at " << c.level;
    }
}

}  // namespace
}  // namespace vistrel::media
