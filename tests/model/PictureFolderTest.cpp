// Finding a slide's picture and remembering a show's media: a mistake shows the wrong
// picture, loses a user's choice, or writes it into the show file.
#include "model/PictureFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/CVistrelDoc.h"
#include "model/PictureCheck.h"
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

// "Bilder prüfen": which line finds which file, what no slide uses, the counts and the
// message, on a folder with odd names.
TEST(PictureCheck, LinesUnusedFilesAndTheMessage) {
    const test::ScratchFolder folder;
    const fs::path dir = folder.path();
    for (const char* name : {"Dia 12.tif", "12.jpg", "012.png", "0.jpg", "3.gif", "a.txt", "7b.JPG", "7a.jpg",
                             "cover.jpg", "040.PNG"})
        touch(dir / name);
    fs::create_directory(dir / "5.jpg");            // a folder is no picture
    ASSERT_EQ(::mkfifo((dir / "9.jpg").c_str(), 0600), 0);  // nor is a pipe

    const struct {
        std::vector<int> slides;
        std::vector<PictureCheck::Line> lines;  // compared when given
        std::vector<std::string> unused;
        int withPicture;
        int slideCount;
        std::size_t listLimit;
        std::string message;
    } table[] = {
        {{12, 0, 7, 4, 12, 9},
         {{1, 12, "012.png"}, {2, 0, ""}, {3, 7, "7a.jpg"}, {4, 4, ""}, {5, 12, "012.png"}, {6, 9, ""}},
         {"0.jpg", "040.PNG", "12.jpg", "7b.JPG", "Dia 12.tif", "cover.jpg"},
         2,
         4,
         40,
         "2 von 4 Dias haben ein Bild; ohne Bild: 4, 9.\n"
         "Bilddateien, die für kein Dia der Diaschau stehen: 0.jpg, 040.PNG, 12.jpg, 7b.JPG, Dia 12.tif, cover.jpg"},
        {{12, 7, 40, 0},
         {},
         {"0.jpg", "12.jpg", "7b.JPG", "Dia 12.tif", "cover.jpg"},
         3,
         3,
         2,
         "3 von 3 Dias haben ein Bild.\nBilddateien, die für kein Dia der Diaschau stehen: 0.jpg, 12.jpg und 3 "
         "weitere"},
        {{1, 2, 3, 5, 8, 13},
         {},
         {},
         0,
         6,
         3,
         "0 von 6 Dias haben ein Bild; ohne Bild: 1, 2, 3 und 3 weitere.\nBilddateien, die für kein Dia der "
         "Diaschau stehen: 0.jpg, 012.png, 040.PNG und 5 weitere"},
        {{}, {}, {}, 0, 0, 40, ""},
    };
    for (const auto& row : table) {
        auto doc = std::make_unique<CVistrelDoc>();
        for (int slide : row.slides) doc->lines[static_cast<std::size_t>(doc->lineCount++)].slideNumber = slide;
        const PictureCheck check = checkPictures(*doc, dir);
        EXPECT_TRUE(check.folderReadable);
        if (!row.lines.empty()) {
            ASSERT_EQ(check.lines.size(), row.lines.size());
            for (std::size_t i = 0; i < row.lines.size(); ++i) {
                EXPECT_EQ(check.lines[i].line, row.lines[i].line);
                EXPECT_EQ(check.lines[i].slide, row.lines[i].slide);
                EXPECT_EQ(check.lines[i].file, row.lines[i].file) << i;
            }
            EXPECT_EQ(check.unused, row.unused);
        }
        EXPECT_EQ(check.withPicture, row.withPicture);
        EXPECT_EQ(check.slides, row.slideCount);
        if (!row.message.empty()) EXPECT_EQ(pictureCheckMessage(check, row.listLimit), row.message);
    }

    auto doc = std::make_unique<CVistrelDoc>();
    EXPECT_EQ(pictureFolderProblem(checkPictures(*doc, dir)), "");
    EXPECT_EQ(pictureFolderProblem(checkPictures(*doc, dir / "missing")),
              "Der Bilderordner\n" + (dir / "missing").string() + "\nkann nicht gelesen werden.");
    EXPECT_FALSE(checkPictures(*doc, dir / "a.txt").folderReadable);
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
        const std::string expected = *c.music ? (dir / "shows" / c.music).string() : "";
        EXPECT_EQ(choices.usedFor(dir / "shows" / "Urlaub.dpd", "Urlaub.dpd").musicFile, expected);
        EXPECT_EQ(choices.usedFor(dir / "shows" / "Urlaub.DPD", "Urlaub.DPD").musicFile, expected);
    }
    // A chosen music wins.
    std::ofstream(dir / "shows" / "Urlaub.ogg") << "sound";
    std::ofstream(dir / "lied.mp3") << "sound";
    ASSERT_TRUE(choices.remember(dir / "shows" / "Urlaub.dpd", {"", (dir / "lied.mp3").string()}));
    EXPECT_EQ(choices.usedFor(dir / "shows" / "Urlaub.dpd", "Urlaub.dpd").musicFile, (dir / "lied.mp3").string());
}

std::string stateText(const fs::path& state) {
    std::ifstream in(state, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ShowMediaChoices, AFolderInsideTheShowsFolderIsKeptRelativeToTheShow) {
    const struct {
        const char* chosen;  // below the scratch folder; the show is shows/Urlaub.dpd
        const char* kept;    // the field in the state file; "@" stands for the scratch folder
    } table[] = {
        {"shows/Bilder", "Bilder"},
        {"shows/Bilder/2001", "Bilder/2001"},
        {"shows", "."},
        {"shows/../shows/Bilder", "Bilder"},
        {"andere/Bilder", "@/andere/Bilder"},
        {"showsBilder", "@/showsBilder"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.chosen);
        const test::ScratchFolder folder;
        const fs::path dir = folder.path();
        const fs::path state = dir / "show-media.txt";
        fs::create_directories(dir / "shows");
        const ShowMediaChoices choices(state);
        ASSERT_TRUE(choices.remember(dir / "shows" / "Urlaub.dpd", {(dir / row.chosen).string(), ""}));
        std::string kept = row.kept;
        if (kept.front() == '@') kept = dir.string() + kept.substr(1);
        EXPECT_EQ(stateText(state), "# Vistrel: Bilderordner und Musik je Diaschau\n" +
                                        (dir / "shows" / "Urlaub.dpd").string() + "\t" + kept + "\t\n");
        EXPECT_EQ(fs::path(choices.of(dir / "shows" / "Urlaub.dpd").pictureFolder),
                  fs::weakly_canonical(dir / row.chosen));
    }
}

TEST(ShowMediaChoices, SavedUnderAnotherNameTheChoicesGoAlong) {
    const struct {
        const char* what;
        const char* chosen;       // for a/Urlaub.dpd
        const char* savedAs;      // the new name
        const char* copied;       // a folder made beside the new name, or ""
        const char* folderAfter;  // what the new name uses
    } table[] = {
        {"same folder, new name", "a/Bilder", "a/Sommer.dpd", "", "a/Bilder"},
        {"other folder without a copy", "a/Bilder", "b/Urlaub.dpd", "", "a/Bilder"},
        {"other folder beside a copy", "a/Bilder", "b/Urlaub.dpd", "b/Bilder", "b/Bilder"},
        {"a folder outside stays", "fotos", "b/Urlaub.dpd", "b/fotos", "fotos"},
        {"no folder chosen: none after", "", "b/Urlaub.dpd", "", ""},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        const test::ScratchFolder folder;
        const fs::path dir = folder.path();
        for (const char* made : {"a/Bilder", "b", "fotos"}) fs::create_directories(dir / made);
        if (*row.copied) fs::create_directories(dir / row.copied);
        const ShowMediaChoices choices(dir / "show-media.txt");
        const std::string chosen = *row.chosen ? (dir / row.chosen).string() : "";
        ASSERT_TRUE(choices.remember(dir / "a" / "Urlaub.dpd", {chosen, "/musik/lied.ogg"}));
        // Whatever an older file of the new name had is replaced.
        ASSERT_TRUE(choices.remember(dir / row.savedAs, {(dir / "fotos").string(), "/musik/alt.ogg"}));

        ASSERT_TRUE(choices.carryOver(dir / "a" / "Urlaub.dpd", dir / row.savedAs));
        const ShowMedia after = choices.of(dir / row.savedAs);
        EXPECT_EQ(after.pictureFolder, *row.folderAfter ? (dir / row.folderAfter).string() : "");
        EXPECT_EQ(after.musicFile, "/musik/lied.ogg");
        EXPECT_EQ(choices.of(dir / "a" / "Urlaub.dpd").pictureFolder, chosen) << "the old name keeps its choice";
    }
}

TEST(ShowMediaChoices, AChoiceThatNoLongerExistsIsSaidOnceAndForgotten) {
    const struct {
        bool folderGone, musicGone;
        std::vector<std::string> messages;
    } table[] = {
        {false, false, {}},
        {true, false, {"Den Bilderordner @/Bilder für Urlaub.dpd gibt es nicht mehr. Vistrel hat die Wahl vergessen."}},
        {false, true, {"Die Musikdatei @/lied.ogg für Urlaub.dpd gibt es nicht mehr. Vistrel hat die Wahl vergessen."}},
        {true, true,
         {"Den Bilderordner @/Bilder für Urlaub.dpd gibt es nicht mehr. Vistrel hat die Wahl vergessen.",
          "Die Musikdatei @/lied.ogg für Urlaub.dpd gibt es nicht mehr. Vistrel hat die Wahl vergessen."}},
    };
    for (const auto& row : table) {
        const test::ScratchFolder folder;
        const fs::path dir = folder.path();
        const fs::path show = dir / "Urlaub.dpd";
        const ShowMediaChoices choices(dir / "state" / "show-media.txt");
        fs::create_directories(dir / "Bilder");
        std::ofstream(dir / "lied.ogg") << "Musik";
        ASSERT_TRUE(choices.remember(show, {(dir / "Bilder").string(), (dir / "lied.ogg").string()}));
        if (row.folderGone) fs::remove(dir / "Bilder");
        if (row.musicGone) fs::remove(dir / "lied.ogg");

        std::vector<std::string> expected = row.messages;
        for (std::string& message : expected) message.replace(message.find('@'), 1, dir.string());
        const ShowMediaChoices::Used first = choices.usedFor(show, "Urlaub.dpd");
        EXPECT_EQ(first.messages, expected);
        EXPECT_EQ(first.pictureFolder, row.folderGone ? dir / "Urlaub" : dir / "Bilder");
        EXPECT_EQ(first.musicFile, row.musicGone ? "" : (dir / "lied.ogg").string());
        const ShowMediaChoices::Used second = choices.usedFor(show, "Urlaub.dpd");
        EXPECT_TRUE(second.messages.empty());
        EXPECT_EQ(second.pictureFolder, first.pictureFolder);
        EXPECT_EQ(second.musicFile, first.musicFile);
    }
}

}  // namespace
}  // namespace vistrel
