// The length of a piece of music decides the length a show is scaled to: a wrong
// millisecond count or a crash on a file that is not music would both reach the user.
#include "media/AudioInfo.h"
#include "media/MusicDecoder.h"

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
        EXPECT_TRUE(length.ok()) << length.error;
        EXPECT_EQ(length.milliseconds, c.milliseconds) << c.sampleRate << " Hz, " << c.frames << " frames";
    }
}

TEST(AudioInfo, FilesThatHoldNoMusicAreNamedInTheMessage) {
    ScratchFolder folder;
    std::ofstream(folder.file("notes.txt")) << "Das ist keine Musik, nur ein Text.\n";
    std::filesystem::create_directory(folder.file("Musik.wav"));
    std::ofstream(folder.file("empty.mp3"));
    struct Case {
        std::string path;
        std::string message;
    };
    const Case cases[] = {
        {folder.file("missing.ogg"), "Die Musikdatei " + folder.file("missing.ogg") + " wurde nicht gefunden."},
        {folder.file("notes.txt"),
         "Die Datei " + folder.file("notes.txt") + " enthält keine Musik, die Vistrel lesen kann."},
        {folder.file("Musik.wav"),
         "Die Datei " + folder.file("Musik.wav") + " enthält keine Musik, die Vistrel lesen kann."},
        {folder.file("empty.mp3"),
         "Die Datei " + folder.file("empty.mp3") + " enthält keine Musik, die Vistrel lesen kann."},
    };
    for (const auto& c : cases) {
        const AudioLength length = audioLength(c.path);
        EXPECT_FALSE(length.ok()) << c.path;
        EXPECT_EQ(length.error, c.message);
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
        ASSERT_TRUE(music.open(path)) << music.error();
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

}  // namespace
}  // namespace vistrel::media
