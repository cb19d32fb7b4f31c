// vistrel-cli video, run as a user runs it: exit codes and messages for bad input, the
// remembered pictures and music, the rounding of odd sizes, and Ctrl+C or a kill in the
// middle leaving OUT as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <thread>

#include "model/ShowMediaChoices.h"
#include "tests/cli/CliProcess.h"
#include "tests/media/VideoProbe.h"
#include "tests/video/VideoShowFixture.h"

namespace vistrel::test {
namespace {

namespace fs = std::filesystem;

const std::map<int, unsigned> Colours = {{1, 0xff0000}, {2, 0x00ff00}};
const std::vector<ShowRow> TwoSlides = {{1, 10, 20}, {2, 10, 20}};  // 6 seconds

class CliVideo : public ::testing::Test {
protected:
    CliVideo() : show_(TwoSlides, Colours) {
        fs::create_directories(show_.folder() / "config");
        // Settings and remembered choices of its own, and no display.
        setenv("VISTREL_CONFIG_DIR", (show_.folder() / "config").c_str(), 1);
        unsetenv("DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
    }

    static CliResult run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "video");
        return runCliProcess(arguments);
    }
    std::string out(const std::string& name) const { return show_.file(name); }

    VideoShowFixture show_;
};

TEST_F(CliVideo, BadValuesAreUsageErrors) {
    const std::string file = show_.showFile();
    const std::string video = out("v.mp4");
    struct Case {
        std::vector<std::string> args;
        std::string reason;
    };
    const Case cases[] = {
        {{file, video, "--fps", "0"}, "--fps takes frames per second 1 .. 120, not '0'"},
        {{file, video, "--fps=-25"}, "--fps takes frames per second 1 .. 120, not '-25'"},
        {{file, video, "--fps", "25.5"}, "--fps takes frames per second 1 .. 120, not '25.5'"},
        {{file, video, "--pause-seconds", "-1"}, "--pause-seconds takes seconds 0 .. 3600 (one decimal at most), not '-1'"},
        {{file, video, "--pause-seconds", "-0.5"}, "--pause-seconds takes seconds 0 .. 3600 (one decimal at most), not '-0.5'"},
        {{file, video, "--pause-seconds", "fünf"}, "--pause-seconds takes seconds 0 .. 3600 (one decimal at most), not 'fünf'"},
        {{file, video, "--size", "1280"}, "--size takes WIDTHxHEIGHT, each 16 .. 7680 pixels, not '1280'"},
        {{file, video, "--size", "0x720"}, "--size takes WIDTHxHEIGHT, each 16 .. 7680 pixels, not '0x720'"},
        {{file, video, "--quality", "0"}, "--quality takes 1 .. 100, not '0'"},
        {{file, video, "--from", "2", "--to", "1"}, "--to 1 lies before the first line 2"},
        {{file, video, "--from", "3"}, "--from 3 lies beyond the show's last line 2"},
        {{file}, "missing OUT"},
    };
    for (const Case& c : cases) {
        const CliResult result = run(c.args);
        EXPECT_EQ(result.exitCode, 2) << c.reason;
        EXPECT_NE(result.err.find("vistrel-cli: " + c.reason + "\n"), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("video FILE OUT"), std::string::npos) << "the usage follows: " << result.err;
    }
    EXPECT_FALSE(fs::exists(video));
}

TEST_F(CliVideo, FailuresSayWhyAndWriteNothing) {
    const std::string empty = show_.file("Leer.dpd");
    std::ofstream(empty, std::ios::binary) << "/h1 Leer\r\n/h2 \r\n/h3 \r\n/h4 \r\n/a \r\n";
    fs::create_symlink(show_.showFile(), out("Verweis.mkv"));
    ASSERT_EQ(::mkfifo(out("Rohr.mp4").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(out("Rohr.wav").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", out("Null.mp3"));
    fs::create_symlink("/dev/null", out("Gerät.mp4"));
    std::ofstream(out("Fertig.mp4")) << "schon da";
    ::chmod(out("Fertig.mp4").c_str(), 0444);
    std::ofstream(out("Bild.png")) << "kein Ordner";
    const std::string old = readWholeText(show_.showFile());
    // As `save` refuses such a file: led by OUT.
    const std::string refused = ": Die Datei konnte nicht unter dem angegebenden Pfad gespeichert werden.";
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{show_.showFile(), out("a.mp4"), "--audio", out("fehlt.ogg")},
         "Die Musikdatei " + out("fehlt.ogg") + " wurde nicht gefunden."},
        {{show_.showFile(), out("a.mp4"), "--audio", empty},
         "Die Datei " + empty + " enthält keine Musik, die Vistrel lesen kann."},
        {{show_.showFile(), out("fehlt/a.mp4")}, "Der Ordner " + out("fehlt") + " existiert nicht."},
        {{empty, out("a.mp4")}, "Die Diaschau hat keine Zeilen: Es gibt kein Video zu schreiben."},
        {{show_.showFile(), show_.showFile()},
         "Die Videodatei " + show_.showFile() +
             " ist die Diaschau selbst und wird nicht überschrieben. Bitte wählen Sie einen anderen Namen."},
        {{show_.showFile(), out("Verweis.mkv")},
         "Die Videodatei " + out("Verweis.mkv") +
             " ist die Diaschau selbst und wird nicht überschrieben. Bitte wählen Sie einen anderen Namen."},
        {{show_.showFile(), out("a.avi")},
         "Vistrel kann " + out("a.avi") + " nicht als Video schreiben: Der Dateiname muss auf .mp4, .mkv oder .webm enden."},
        {{show_.showFile(), out("Rohr.mp4")}, out("Rohr.mp4") + refused},
        {{show_.showFile(), out("Fertig.mp4")}, out("Fertig.mp4") + refused},
        {{show_.showFile(), out("Gerät.mp4")}, out("Gerät.mp4") + refused},
        {{show_.showFile(), out("a.mp4"), "--audio", out("Rohr.wav")},
         "Die Datei " + out("Rohr.wav") + " enthält keine Musik, die Vistrel lesen kann."},
        {{show_.showFile(), out("a.mp4"), "--audio", out("Null.mp3")},
         "Die Datei " + out("Null.mp3") + " enthält keine Musik, die Vistrel lesen kann."},
        {{show_.showFile(), out("a.mp4"), "--images", out("Fehlt")},
         "Der Bilderordner " + out("Fehlt") + " existiert nicht."},
        {{show_.showFile(), out("a.mp4"), "--images", out("Bild.png")},
         out("Bild.png") + " ist kein Ordner: Die Bilder der Dias werden in einem Ordner gesucht."},
    };
    for (const Case& c : cases) {
        const CliResult result = run(c.args);
        EXPECT_EQ(result.exitCode, 1) << c.message;
        EXPECT_EQ(result.err, "vistrel-cli: " + c.message + "\n");
        EXPECT_EQ(result.out, "");
    }
    EXPECT_FALSE(fs::exists(out("a.mp4")));
    EXPECT_FALSE(fs::exists(out("a.avi")));
    EXPECT_TRUE(fs::is_fifo(out("Rohr.mp4")));
    EXPECT_EQ(readWholeText(out("Fertig.mp4")), "schon da");
    EXPECT_EQ(fs::status(out("Fertig.mp4")).permissions(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(readWholeText(show_.showFile()), old);
    EXPECT_FALSE(temporaryFileIn(show_.folder()));
}

TEST_F(CliVideo, UsesTheRememberedPicturesAndMusicAndRoundsOddSizes) {
    // The pictures lie elsewhere than the show's default folder: only the remembered choice finds them.
    fs::rename(show_.pictures(), show_.folder() / "Gewählt");
    const std::string music = show_.file("Musik.wav");
    media::test::writeWav(music, 48000, 2, 48000 * 10, 12000);
    ShowMediaChoices(show_.folder() / "config" / "show-media.txt")
        .remember(show_.showFile(), {(show_.folder() / "Gewählt").string(), music});

    const CliResult result = run({show_.showFile(), out("v.mp4"), "--size", "97x55", "--fps", "10"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "vistrel-cli: Die Größe 97x55 wird auf 98x56 aufgerundet: Videos haben gerade Maße.\n");
    EXPECT_EQ(result.out, "");
    const auto probed = media::test::probeVideo(out("v.mp4"));
    EXPECT_EQ(probed.width, 98);
    EXPECT_EQ(probed.height, 56);
    ASSERT_EQ(probed.frameCentres.size(), 60u);
    EXPECT_TRUE(probed.frameCentres[20].near({255, 0, 0}, 10)) << probed.frameCentres[20];
    EXPECT_TRUE(probed.frameCentres[50].near({0, 255, 0}, 10)) << probed.frameCentres[50];
    ASSERT_TRUE(probed.audio);
    EXPECT_NEAR(probed.audio->seconds, 6.0, 0.05);

    // --audio= turns the remembered music off.
    ASSERT_EQ(run({show_.showFile(), out("still.webm"), "--size", "96x54", "--fps", "5", "--audio="}).exitCode, 0);
    EXPECT_FALSE(media::test::probeVideo(out("still.webm")).audio);
}

// The lines of `err` that are the program's own.
std::string ownLines(const std::string& err) {
    std::string own;
    std::istringstream lines(err);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("vistrel-cli: ", 0) == 0) own += line + '\n';
    return own;
}

// A picture that cannot be read is said once, by slide and file, as the rehearsal says
// it, and its slide is shown as its card; the video is still written. A folder without
// a picture for any slide gets one line.
TEST_F(CliVideo, PicturesThatCannotBeReadAreNamedOnce) {
    const fs::path bad = show_.folder() / "Schlecht";
    const fs::path none = show_.folder() / "Leer";
    fs::create_directories(bad);
    fs::create_directories(none);
    std::ofstream(none / "liesmich.txt") << "keine Bilder";
    struct Case {
        const char* what;
        std::string file;  // slide 2's picture in `bad`, made by `make`
        std::function<void(const std::string&)> make;
    };
    const Case cases[] = {
        {"corrupt", "2.png", [](const std::string& p) { std::ofstream(p) << "\x89PNG\r\n\x1a\n kaputt"; }},
        {"empty", "2.jpg", [](const std::string& p) { std::ofstream{p}; }},
        {"a link loop", "2.png", [](const std::string& p) { fs::create_symlink(p, p); }},
        {"a link to nowhere", "2.png", [](const std::string& p) { fs::create_symlink(p + ".fehlt", p); }},
    };
    for (const Case& c : cases) {
        for (const auto& entry : fs::directory_iterator(bad)) fs::remove(entry.path());
        fs::copy_file(show_.pictures() / "1.png", bad / "1.png");
        const std::string picture = (bad / c.file).string();
        c.make(picture);
        const CliResult result = run({show_.showFile(), out("v.mkv"), "--images", bad.string(), "--size", "64x36",
                                      "--fps", "5", "--audio="});
        EXPECT_EQ(result.exitCode, 0) << c.what << ": " << result.err;
        // Only our own lines count: a decoding library may add its own (libpng does).
        EXPECT_EQ(ownLines(result.err), "vistrel-cli: Das Bild für Dia 2 kann nicht gelesen werden: " + picture + "\n")
            << c.what;
        const auto probed = media::test::probeVideo(out("v.mkv"));
        ASSERT_EQ(probed.frameCentres.size(), 30u) << c.what;
        EXPECT_TRUE(probed.frameCentres[10].near({255, 0, 0}, 10)) << c.what << ": slide 1 as its picture";
    }
    const CliResult cards = run({show_.showFile(), out("v.mkv"), "--images", none.string(), "--size", "64x36",
                                 "--fps", "5", "--audio="});
    EXPECT_EQ(cards.exitCode, 0) << cards.err;
    EXPECT_EQ(cards.err, "vistrel-cli: Im Bilderordner " + none.string() +
                             " gibt es für keines der Dias ein Bild: Das Video zeigt die Karten der Dias.\n");
}

// A long export, stopped once its temporary file has appeared.
TEST_F(CliVideo, InterruptedOrKilledExportLeavesOutAsItWas) {
    const VideoShowFixture longShow({{1, 10, 6000}, {2, 10, 6000}}, Colours);  // 20 minutes
    struct Case {
        int signal;
        int exitCode;          // -1: killed, no exit code
        bool temporaryRemoved;
    };
    const Case cases[] = {{SIGINT, 130, true}, {SIGTERM, 143, true}, {SIGKILL, -1, false}};
    for (const Case& c : cases) {
        const std::string video = longShow.file("Lang.mp4");
        std::ofstream(video) << "the old video";
        std::vector<std::string> words{VISTREL_CLI, "video", longShow.showFile(), video, "--size", "640x360"};
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        pid_t pid = -1;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        ASSERT_EQ(posix_spawn(&pid, VISTREL_CLI, &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        const auto temporary = [&] { return temporaryFileIn(longShow.folder()); };
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!temporary() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // well into the frames
        ::kill(pid, c.signal);
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (c.exitCode >= 0) {
            ASSERT_TRUE(WIFEXITED(status)) << "signal " << c.signal;
            EXPECT_EQ(WEXITSTATUS(status), c.exitCode);
        } else {
            EXPECT_TRUE(WIFSIGNALED(status));
        }
        EXPECT_EQ(readWholeText(video), "the old video") << "signal " << c.signal;
        EXPECT_EQ(temporary(), !c.temporaryRemoved) << "signal " << c.signal;
        for (const auto& entry : fs::directory_iterator(longShow.folder()))
            if (entry.path().filename().string().rfind(".vistrel-", 0) == 0) fs::remove(entry.path());
    }
}

}  // namespace
}  // namespace vistrel::test
