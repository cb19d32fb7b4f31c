// vistrel-cli length and scale, run as a user would run them, on show files written here.
#include <sys/stat.h>
#include <unistd.h>
#include <sys/stat.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/CliProcess.h"
#include "tests/media/SoundFiles.h"

namespace vistrel::test {
namespace {

struct Line {
    int slide, dissolve, timer, code;
};

std::string slurp(const std::filesystem::path& path) { return readWholeFile(path); }

// A show file as the program writes it.
std::string showText(const std::vector<Line>& lines) {
    std::string text = "/h1 Test\r\n/h2 \r\n/h3 \r\n/h4 \r\n/a " + std::to_string(lines.size()) + "\r\n";
    int number = 0;
    for (const Line& l : lines) {
        char record[80];
        std::snprintf(record, sizeof record, "/p %03d %03d /d %03d /t %04d /s %03d \r\n", ++number, l.slide,
                      l.dissolve, l.timer, l.code);
        text += record;
    }
    return text;
}

// The timers of a show file, in line order.
std::vector<int> timersIn(const std::string& text) {
    std::vector<int> timers;
    for (std::size_t at = text.find("/t "); at != std::string::npos; at = text.find("/t ", at + 1))
        timers.push_back(std::stoi(text.substr(at + 3, 4)));
    return timers;
}

// A command that reads IN and writes OUT only when nothing went wrong (scale, retime).
struct WriteCase {
    const char* name;
    std::vector<Line> lines;
    std::string options;
    int exitCode;
    std::vector<int> timers;  // of OUT; empty: OUT not written
    std::string err;
};

class CliLength : public ::testing::Test {
protected:
    void expectWrites(const std::string& command, const std::vector<WriteCase>& table) {
        for (const WriteCase& c : table) {
            SCOPED_TRACE(c.name);
            const std::string in = show(c.lines);
            const std::string out = file("out.dpd");
            std::filesystem::remove(out);
            const Run r = run(command + " " + in + " " + out + " " + c.options);
            EXPECT_EQ(r.exitCode, c.exitCode);
            EXPECT_EQ(r.err, c.err);
            EXPECT_EQ(r.out, "");
            if (c.timers.empty()) {
                EXPECT_FALSE(std::filesystem::exists(out));
            } else {
                EXPECT_EQ(timersIn(slurp(out)), c.timers);
            }
            EXPECT_EQ(timersIn(slurp(in)), timersIn(showText(c.lines)));  // IN is left alone
        }
    }

    using Run = CliResult;

    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("vistrel-cli-length-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string show(const std::vector<Line>& lines, const std::string& name = "in.dpd") {
        const auto path = folder_ / name;
        std::ofstream(path, std::ios::binary) << showText(lines);
        return path.string();
    }
    std::string file(const std::string& name) const { return (folder_ / name).string(); }

    // The words of `arguments`, split at blanks (the test paths hold none).
    static Run run(const std::string& arguments) {
        std::vector<std::string> words;
        std::istringstream in(arguments);
        for (std::string word; in >> word;) words.push_back(word);
        return runCliProcess(words);
    }

    std::filesystem::path folder_;
};

// What length (the dialog's two lines) and timeline (the run line by line) print.
TEST_F(CliLength, PrintsWhatTheCommandShows) {
    struct Case {
        const char* command;
        const char* name;
        std::vector<Line> lines;
        const char* options;
        const char* out;
    };
    const Case table[] = {
        {"length", "two_plain_lines", {{1, 25, 40, 0}, {2, 25, 40, 0}}, "",
         "Gesamtlänge der Schau : 00:00:13\nLänge des selektierten Bereichs : 00:00:00\n"},
        {"length", "rows", {{1, 25, 40, 0}, {2, 25, 40, 33}, {3, 600, 6000, 0}}, "--rows 2-3",
         "Gesamtlänge der Schau : 00:11:25\nLänge des selektierten Bereichs : 00:11:19\n"},
        {"length", "pause", {{5, 25, 0, 0}, {6, 25, 40, 0}}, "--rows=2",
         "Gesamtlänge der Schau : 00:00:00\nLänge des selektierten Bereichs : 00:00:06\n"},
        {"length", "hours", {{1, 0, 6000, 0}, {2, 0, 6000, 0}, {3, 0, 6000, 0}, {4, 0, 6000, 0}, {5, 0, 6000, 0},
                   {6, 0, 6000, 0}, {7, 0, 6000, 0}},
         "--rows 1,3,5-7",
         "Gesamtlänge der Schau : 01:10:00\nLänge des selektierten Bereichs : 00:50:00\n"},
        {"timeline", "effects, a pause and the autoreverse end",
         {{12, 25, 40, 0}, {13, 30, 50, 60}, {14, 20, 0, 0}, {15, 25, 40, 15}, {16, 20, 30, 160}, {17, 25, 40, 0}},
         "",
         "001\t12\t0\t25\t40\t-\n002\t13\t65\t60\t50\t-\n003\t14\t175\t20\t0\tP\n"
         "004\t15\t195\t100\t40\t-\n005\t16\t335\t20\t30\tA\ntotal\t385\n"},
        {"timeline", "from a later line", {{1, 25, 40, 0}, {2, 10, 20, 33}, {3, 25, 40, 0}}, "--from 2",
         "002\t2\t0\t60\t20\t-\n003\t3\t80\t25\t40\t-\ntotal\t145\n"},
        {"timeline", "slide 0 runs dark with its timer, an empty one ends the run",
         {{1, 25, 40, 0}, {0, 10, 100, 0}, {2, 25, 40, 0}, {0, 0, 0, 0}, {3, 25, 40, 0}}, "--from=1",
         "001\t1\t0\t25\t40\t-\n002\t0\t65\t10\t100\t-\n003\t2\t175\t25\t40\t-\ntotal\t240\n"},
        {"timeline", "no lines", {}, "", "total\t0\n"},
        {"timeline", "the autoreverse line waits with timer 0", {{1, 25, 40, 0}, {2, 25, 0, 100}, {3, 25, 40, 0}}, "",
         "001\t1\t0\t25\t40\t-\n002\t2\t65\t25\t0\tP\ntotal\t90\n"},
        {"timeline", "json", {{12, 25, 40, 0}, {13, 20, 0, 270}}, "--json",
         "{\"lines\":[{\"line\":1,\"slide\":12,\"start\":0,\"effect\":25,\"timer\":40,\"pause\":false,"
         "\"autoreverse\":false},{\"line\":2,\"slide\":13,\"start\":65,\"effect\":40,\"timer\":0,"
         "\"pause\":true,\"autoreverse\":false}],\"total\":105}\n"},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.name);
        const std::string in = show(c.lines);
        const Run r = run(std::string(c.command) + " " + in + " " + c.options);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(CliLength, JsonGivesTheValuesInTenths) {
    const std::string in = show({{1, 25, 40, 0}, {5, 25, 0, 0}, {2, 25, 40, 33}});
    const Run r = run("length --json --rows 1,3 " + in + "");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"showLength\": -1, \"selectedLength\": 255, \"playingTime\": 280}\n");
}

TEST_F(CliLength, ScaleWritesOutOnlyWithoutAMessage) {
    const std::vector<Line> three{{1, 0, 40, 0}, {2, 0, 40, 0}, {3, 0, 40, 0}};
    media::test::writeWav(file("24.4s.wav"), 8000, 1, 8000 * 244 / 10);
    media::test::writeWav(file("23.5s.wav"), 8000, 1, 8000 * 235 / 10);
    media::test::writeWav(file("16s.wav"), 8000, 1, 8000 * 16);
    media::test::writeWav(file("25s.wav"), 8000, 1, 8000 * 25);
    media::test::writeWav(file("3s.wav"), 8000, 1, 8000 * 3);
    std::ofstream(file("text.wav")) << "no music at all";
    ASSERT_EQ(::mkfifo(file("pipe.wav").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", file("zero.wav"));
    // A message about the show is one line led by IN.
    const std::string lead = "vistrel-cli: " + file("in.dpd") + ": ";
    expectWrites("scale", {
        {"factor_two", three, "--length 00:00:24", 0, {80, 80, 80}, ""},
        {"rows_only", three, "--length 0:0:16 --rows 1,3", 0, {80, 40, 80}, ""},
        {"same_length_still_writes", three, "--length=00:00:12", 0, {40, 40, 40}, ""},
        // Only a line with slide number 0: no timer scaling could change.
        {"nothing_to_scale_is_said", {{0, 25, 40, 0}}, "--length 00:00:10", 1, {},
         lead + "Die Diaschau hat keine Zeile mit einer Timerzeit: Es gibt nichts zu skalieren.\n"},
        // A length out of range names the range instead of asking to enter it again.
        {"zero", three, "--length 00:00:00", 1, {},
         lead + "Die eingegebenen Werte sind nicht zulässig! Zulässig sind 00:00:01 bis 20:00:00.\n"},
        {"too_long", three, "--length 20:00:01", 1, {},
         lead + "Die eingegebenen Werte sind nicht zulässig! Zulässig sind 00:00:01 bis 20:00:00.\n"},
        // Ten lines of 2.0 s dissolve: 20 s of dissolves and a tenth for each of the ten timers.
        {"timers_never_become_pauses", std::vector<Line>(10, Line{1, 20, 60, 0}), "--length 00:00:20", 1, {},
         lead + "Die eingegebenen Werte sind nicht zulässig! Zulässig sind 00:00:21 bis 20:00:00.\n"},
        {"shortest_allowed", std::vector<Line>(10, Line{1, 20, 60, 0}), "--length 00:00:21", 0,
         std::vector<int>(10, 1), ""},
        {"pause", {{1, 0, 40, 0}, {5, 0, 0, 0}}, "--length 00:00:24", 1, {},
         lead + "In der Diaschau ist eine Pause ! Deshalb kann die Show nicht skaliert werden. Sie können aber Teile der "
         "Diaschau selektieren und dann skalieren.\n"},
        {"pause_outside_rows", {{1, 0, 40, 0}, {5, 0, 0, 0}}, "--length 00:00:08 --rows 1", 0, {80, 0}, ""},
        {"timer_too_long", {{1, 0, 3000, 0}, {2, 0, 100, 0}, {3, 0, 40, 0}}, "--length 00:12:55 --rows 1-2", 1, {},
         lead + "Die Skalierung der Diaschau mit der gewünschten Länge führt zu ungültigen Timerzeiten. Die Skalierung "
         "wird nicht vorgenommen. Bitte prüfen Sie Ihre Eingabe.\n"},
        {"music_in_whole_seconds", three, "--to-audio " + file("24.4s.wav"), 0, {80, 80, 80}, ""},
        {"music_halves_go_up", three, "--to-audio " + file("23.5s.wav"), 0, {80, 80, 80}, ""},
        // Music time: the pause line's wait is not counted and its timer stays 0.
        {"music_fits_around_a_pause", {{1, 0, 40, 0}, {5, 0, 0, 0}, {2, 0, 40, 0}}, "--to-audio " + file("16s.wav"), 0,
         {80, 0, 80}, ""},
        {"music_counts_a_dark_line", {{1, 0, 40, 0}, {0, 10, 40, 0}, {2, 0, 40, 0}}, "--to-audio " + file("25s.wav"),
         0, {80, 80, 80}, ""},
        {"music_keeps_the_dissolves", {{1, 20, 40, 0}, {5, 0, 0, 0}, {2, 20, 40, 0}}, "--to-audio " + file("16s.wav"),
         0, {60, 0, 60}, ""},
        {"music_too_short_names_the_range", {{1, 20, 40, 0}, {5, 0, 0, 0}, {2, 20, 40, 0}},
         "--to-audio " + file("3s.wav"), 1, {},
         lead + "Die Musik " + file("3s.wav") +
             " dauert 00:00:03; auf diese Länge lässt sich die Diaschau nicht skalieren. Zulässig sind 00:00:05 bis "
             "20:00:00.\n"},
        {"no_music", three, "--to-audio " + file("text.wav"), 1, {},
         "vistrel-cli: " + file("text.wav") + ": Die Datei " + file("text.wav") +
             " enthält keine Musik, die Vistrel lesen kann.\n"},
        {"music_missing", three, "--to-audio " + file("none.ogg"), 1, {},
         "vistrel-cli: " + file("none.ogg") + ": Die Musikdatei " + file("none.ogg") + " wurde nicht gefunden.\n"},
        // Refused at once: a pipe would wait for a writer, /dev/zero never ends.
        {"music_a_pipe", three, "--to-audio " + file("pipe.wav"), 1, {},
         "vistrel-cli: " + file("pipe.wav") + ": Die Datei " + file("pipe.wav") +
             " enthält keine Musik, die Vistrel lesen kann.\n"},
        {"music_endless", three, "--to-audio " + file("zero.wav"), 1, {},
         "vistrel-cli: " + file("zero.wav") + ": Die Datei " + file("zero.wav") +
             " enthält keine Musik, die Vistrel lesen kann.\n"},
    });
}

// retime: the timer before each named line from its start in music time; a refusal
// leaves OUT unwritten.
TEST_F(CliLength, RetimeSetsTimersFromStartTimes) {
    const std::vector<Line> four{{1, 25, 40, 0}, {2, 25, 40, 0}, {3, 25, 40, 0}, {4, 25, 40, 0}};
    const std::string lead = "vistrel-cli: " + file("in.dpd") + ": ";
    const std::string cannot = lead + "Zeile ";
    expectWrites("retime", {
        {"two_lines", four, "--starts 3=20,2=10.0", 0, {75, 75, 40, 40}, ""},
        {"halves_go_up", four, "--starts 2=10.05", 0, {76, 40, 40, 40}, ""},
        {"three_decimals", four, "--starts=2=10.049", 0, {75, 40, 40, 40}, ""},
        {"too_early", four, "--starts 2=1", 0, {1, 40, 40, 40}, lead + "Zeile 2 beginnt frühestens bei 2.6 s.\n"},
        {"after_a_pause", {{1, 25, 0, 0}, {2, 25, 40, 0}}, "--starts 2=10", 1, {},
         cannot + "2 lässt sich nicht zeitlich setzen: Zeile 1 davor ist eine Pause (Timer 0), ihr Ende bestimmt, "
                  "wer fortsetzt.\n"},
        {"longest_timer", four, "--starts 2=602.5", 0, {6000, 40, 40, 40}, ""},
        {"too_long", four, "--starts 2=602.6", 1, {},
         cannot + "2 lässt sich nicht zeitlich setzen: Zeile 1 davor müsste länger als 600 s stehen.\n"},
        {"never_reached", {{1, 25, 40, 0}, {2, 25, 40, 100}, {3, 25, 40, 0}}, "--starts 3=30", 1, {},
         cannot + "3 lässt sich nicht zeitlich setzen: ein Lauf ab Zeile 1 erreicht sie nie (Autoreverse oder Ende "
                  "der Schau davor).\n"},
        {"raised_then_refused", four, "--starts 2=1,3=702", 1, {},
         lead + "Zeile 2 beginnt frühestens bei 2.6 s.\n" + cannot +
             "3 lässt sich nicht zeitlich setzen: Zeile 2 davor müsste länger als 600 s stehen.\n"},
    });
}

// waveform: the length and the loudest sample of each slice, as text or JSON; what is no
// music is said at once, also a pipe or a device.
TEST_F(CliLength, WaveformPrintsTheMusicsPeaks) {
    const std::string cache = file("cache");
    ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    media::test::writeWavOf(file("steps.wav"), 8000, 1, 8000,
                            [](std::int64_t i, int) { return static_cast<std::int16_t>(i < 4000 ? 16384 : -8192); });
    media::test::writeWav(file("long.wav"), 8000, 2, 100000, 1000);
    ::mkfifo(file("pipe.ogg").c_str(), 0600);
    const std::string notMusic = " enthält keine Musik, die Vistrel lesen kann.\n";
    struct Case {
        std::string arguments;
        int exitCode;
        std::string out;
        std::string err;
    };
    const Case table[] = {
        {file("steps.wav") + " --points 4", 0, "duration\t1.000\n0.500\n0.500\n0.250\n0.250\n", ""},
        {file("steps.wav") + " --points 4", 0, "duration\t1.000\n0.500\n0.500\n0.250\n0.250\n", ""},  // from the cache
        {"--points=2 --json " + file("steps.wav"), 0, "{\"duration\": 1, \"peaks\": [0.5, 0.25]}\n", ""},
        {file("long.wav") + " --points 1 --json", 0, "{\"duration\": 12.5, \"peaks\": [0.031]}\n", ""},
        {file("long.wav") + " --points 3", 0, "duration\t12.500\n0.031\n0.031\n0.031\n", ""},
        {file("missing.ogg"), 1, "",
         "vistrel-cli: " + file("missing.ogg") + ": Die Musikdatei " + file("missing.ogg") + " wurde nicht gefunden.\n"},
        {file("pipe.ogg"), 1, "", "vistrel-cli: " + file("pipe.ogg") + ": Die Datei " + file("pipe.ogg") + notMusic},
        {"/dev/zero", 1, "", "vistrel-cli: /dev/zero: Die Datei /dev/zero" + notMusic},
        {file("in.dpd"), 1, "", "vistrel-cli: " + file("in.dpd") + ": Die Datei " + file("in.dpd") + notMusic},
    };
    show({{1, 25, 40, 0}});
    for (const Case& c : table) {
        SCOPED_TRACE(c.arguments);
        const Run r = run("waveform " + c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
    }
    const Run whole = run("waveform " + file("steps.wav"));
    EXPECT_EQ(std::count(whole.out.begin(), whole.out.end(), '\n'), 1001);
    EXPECT_EQ(whole.out.substr(0, 21), "duration\t1.000\n0.500\n");
    // One entry per file and number of slices.
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(cache + "/vistrel"))
        entries += entry.path().extension() == ".waveform";
    EXPECT_EQ(entries, 5);
    ::unsetenv("XDG_CACHE_HOME");
}

TEST_F(CliLength, TimelineTotalIsTheLengthOfAShowWithoutPauses) {
    const std::string in = show({{1, 25, 40, 0}, {2, 30, 50, 60}, {3, 25, 40, 15}, {4, 20, 30, 33},
                                 {5, 25, 40, 260}, {6, 12, 70, 59}, {7, 18, 40, 400}, {8, 20, 30, 560},
                                 {9, 25, 40, 0}});
    const Run timeline = run("timeline " + in);
    const Run length = run("length --json " + in);
    EXPECT_NE(timeline.out.find("\ntotal\t949\n"), std::string::npos) << timeline.out;
    EXPECT_NE(length.out.find("\"showLength\": 949,"), std::string::npos) << length.out;
}

TEST_F(CliLength, UsageErrors) {
    const std::string in = show({{1, 25, 40, 0}, {2, 25, 40, 0}});
    const std::string out = file("out.dpd");
    const std::string table[] = {
        "length",
        "length " + in + " --rows",
        "length " + in + " --rows 0",
        "length " + in + " --rows 3",
        "length " + in + " --rows 2-1",
        "length " + in + " --rows 1,,2",
        "length " + in + " --rows a",
        "length " + in + " --length 00:00:10",
        "length " + in + " --convert-dos-umlauts=2",
        "scale " + in + " " + out + "",
        "scale " + in + " " + out + " --length 10",
        "scale " + in + " " + out + " --length 00:00",
        "scale " + in + " " + out + " --length 00:00:1x",
        "scale " + in + " " + out + " --length 00:-1:00",
        "scale " + in + " " + out + " --length 00:00:10 --json",
        "scale " + in + " --length 00:00:10",
        "scale " + in + " " + out + " --length 00:00:10 --to-audio " + file("music.wav"),
        "timeline",
        "timeline " + in + " --from 0",
        "timeline " + in + " --from 3",
        "timeline " + in + " --from 1.5",
        "timeline " + in + " --from=",
        "timeline " + in + " --json=1",
        "timeline " + in + " " + out,
        "retime " + in + " " + out,
        "retime " + in + " " + out + " --starts 1=0",
        "retime " + in + " " + out + " --starts 3=10",
        "retime " + in + " " + out + " --starts 2=1.2345",
        "retime " + in + " " + out + " --starts 2=",
        "retime " + in + " " + out + " --starts =1",
        "retime " + in + " " + out + " --starts 2=1,",
        "retime " + in + " " + out + " --starts 2=-1",
        "retime " + in + " " + out + " --starts 2=1;2=3",
        "retime " + in + " " + out + " --starts 2=1,2=3",
        "retime " + in + " " + out + " --starts 2=1.",
        "retime " + in + " --starts 2=1",
        "waveform",
        "waveform " + in + " --points 0",
        "waveform " + in + " --points -1",
        "waveform " + in + " --points x",
        "waveform " + in + " --points 100001",
        "waveform " + in + " " + in,
    };
    for (const std::string& arguments : table) {
        const Run r = run(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments;
        EXPECT_NE(r.err, "") << arguments;
        EXPECT_FALSE(std::filesystem::exists(out)) << arguments;
    }
}

TEST_F(CliLength, AFileThatCannotBeReadIsAFailure) {
    for (const char* command : {"length ", "timeline "}) {
        const Run r = run(command + file("missing.dpd"));
        EXPECT_EQ(r.exitCode, 1) << command;
        EXPECT_EQ(r.err, "vistrel-cli: " + file("missing.dpd") +
                             ": Die angegebende Vistrel-Datei konnte nicht geladen werden.\n")
            << command;
        EXPECT_EQ(r.out, "") << command;
    }
}

}  // namespace
}  // namespace vistrel::test
