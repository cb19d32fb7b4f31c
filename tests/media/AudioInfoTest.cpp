// The length of a piece of music decides the length a show is scaled to: a wrong
// millisecond count or a crash on a file that is not music would both reach the user.
#include "media/AudioInfo.h"

#include <gtest/gtest.h>
#include <unistd.h>

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

TEST(AudioInfo, UnreadableFileIsToldApartFromAMissingOne) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    ScratchFolder folder;
    const auto path = folder.file("locked.wav");
    writeWav(path, 8000, 1, 8000);
    std::filesystem::permissions(path, std::filesystem::perms::none);
    EXPECT_EQ(audioLength(path).error, "Die Musikdatei " + path + " kann nicht gelesen werden.");
}

}  // namespace
}  // namespace vistrel::media
