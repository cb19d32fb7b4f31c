// Finding a slide's picture and remembering a show's media: a mistake shows the wrong
// picture, loses a user's choice, or writes it into the show file.
#include "model/PictureFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "model/ShowMediaChoices.h"
#include "tests/model/TestFiles.h"

namespace vistrel {
namespace {

namespace fs = std::filesystem;

TEST(PictureFolder, SlideNumberOfAFileName) {
    struct Case {
        const char* name;
        std::optional<int> slide;
    };
    const Case table[] = {
        {"12.jpg", 12},
        {"012.JPG", 12},
        {"Dia 012.tif", 12},
        {"012-Sonnenuntergang.png", 12},
        {"Bild12.webp", 12},
        {"  7.jpeg", 7},
        {"Übersicht 3.png", 3},
        {"12.TIFF", 12},
        {"12.Bmp", 12},
        {"000000000012.png", 12},
        {"0.jpg", 0},
        {"12.gif", std::nullopt},
        {"12.jpg.txt", std::nullopt},
        {"12", std::nullopt},
        {".jpg", std::nullopt},
        {"Dia.jpg", std::nullopt},
        {"Dia_12.jpg", std::nullopt},
        {"-12.jpg", std::nullopt},
        {"1234567890.jpg", std::nullopt},
    };
    for (const Case& c : table) EXPECT_EQ(slideNumberOfPictureName(c.name), c.slide) << c.name;
}

void touch(const fs::path& path) { std::ofstream(path) << "x"; }

// For each slide the first file in byte order; the show's own folder is its default
// picture folder only when it holds numbered pictures.
TEST(PictureFolder, FirstFileInByteOrderPerSlideAndTheDefaultFolder) {
    const test::ScratchFolder folder;
    const fs::path dir = folder.path();
    for (const char* name : {"Dia 12.tif", "12.jpg", "012.png", "0.jpg", "3.gif", "a.txt", "7b.JPG", "7a.jpg"})
        touch(dir / name);
    fs::create_directory(dir / "5.jpg");  // a folder is no picture
    fs::create_directory(dir / "without");

    const PictureFolder pictures = PictureFolder::scan(dir);
    EXPECT_EQ(pictures.pictures().size(), 2u);
    EXPECT_EQ(pictures.pictureOf(12), dir / "012.png");
    EXPECT_EQ(pictures.pictureOf(7), dir / "7a.jpg");
    EXPECT_EQ(pictures.pictureOf(5), std::nullopt);
    EXPECT_EQ(pictures.pictureOf(0), std::nullopt);
    EXPECT_TRUE(PictureFolder::scan(dir / "missing").empty());

    EXPECT_EQ(defaultPictureFolder(dir / "Urlaub.dpd"), dir);
    EXPECT_EQ(defaultPictureFolder(dir / "without" / "Urlaub.dpd"), dir / "without" / "Urlaub");
    EXPECT_EQ(defaultPictureFolder(dir / "without" / "Urlaub.DPD"), dir / "without" / "Urlaub");
}

TEST(ShowMediaChoices, RememberedPerShowApartFromTheShowFile) {
    const test::ScratchFolder folder;
    const fs::path dir = folder.path();
    const fs::path state = dir / "state" / "show-media.txt";
    fs::create_directories(dir / "shows");
    const fs::path show = dir / "shows" / "Urlaub.dpd";
    std::ofstream(show) << "/h1 Urlaub\r\n";
    const ShowMediaChoices choices(state);

    EXPECT_EQ(choices.of(show), ShowMedia{});
    EXPECT_EQ(choices.resolvedPictureFolder(show), dir / "shows" / "Urlaub");

    const ShowMedia odd{"/bilder/mit\ttab und\nzeile\\", "/musik/lied.ogg"};
    ASSERT_TRUE(choices.remember(show, odd));
    ASSERT_TRUE(choices.remember(dir / "shows" / "Andere.dpd", {"", "/musik/andere.mp3"}));
    // The same file named another way finds the same choice.
    EXPECT_EQ(choices.of(dir / "shows" / ".." / "shows" / "Urlaub.dpd"), odd);
    EXPECT_EQ(ShowMediaChoices(state).of(dir / "shows" / "Andere.dpd").musicFile, "/musik/andere.mp3");
    EXPECT_EQ(choices.resolvedPictureFolder(show), fs::path("/bilder/mit\ttab und\nzeile\\"));

    ASSERT_TRUE(choices.remember(show, {}));
    EXPECT_EQ(choices.of(show), ShowMedia{});
    EXPECT_EQ(choices.of(dir / "shows" / "Andere.dpd").musicFile, "/musik/andere.mp3");

    std::ifstream in(show, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "/h1 Urlaub\r\n");
}

// Without a choice, the music is a sound file beside the show named like it.
TEST(ShowMediaChoices, MusicNamedLikeTheShowIsItsMusic) {
    const test::ScratchFolder folder;
    const fs::path dir = folder.path();
    const ShowMediaChoices choices(dir / "state" / "show-media.txt");
    struct Case {
        const char* name;
        std::vector<const char*> files;  // beside Urlaub.dpd
        const char* music;               // found, "" for none
    };
    const Case table[] = {
        {"none", {}, ""},
        {"ogg", {"Urlaub.ogg"}, "Urlaub.ogg"},
        {"ogg before mp3", {"Urlaub.mp3", "Urlaub.ogg"}, "Urlaub.ogg"},
        {"flac before wav", {"Urlaub.wav", "Urlaub.flac"}, "Urlaub.flac"},
        {"another name is no music of it", {"Urlaub2.ogg", "Ferien.mp3"}, ""},
        {"a folder so named is no music", {"Urlaub.ogg/"}, ""},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir / "shows");
        fs::create_directories(dir / "shows");
        for (const char* file : c.files) {
            const std::string name = file;
            if (name.back() == '/') {
                fs::create_directories(dir / "shows" / name);
            } else {
                std::ofstream(dir / "shows" / name) << "sound";
            }
        }
        const fs::path expected = *c.music ? dir / "shows" / c.music : fs::path();
        EXPECT_EQ(choices.resolvedMusicFile(dir / "shows" / "Urlaub.dpd"), expected);
        EXPECT_EQ(choices.resolvedMusicFile(dir / "shows" / "Urlaub.DPD"), expected);
    }
    // A chosen music wins.
    std::ofstream(dir / "shows" / "Urlaub.ogg") << "sound";
    ASSERT_TRUE(choices.remember(dir / "shows" / "Urlaub.dpd", {"", "/musik/lied.mp3"}));
    EXPECT_EQ(choices.resolvedMusicFile(dir / "shows" / "Urlaub.dpd"), fs::path("/musik/lied.mp3"));
}

}  // namespace
}  // namespace vistrel
