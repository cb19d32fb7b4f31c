// vistrel-cli copy, paste, move and pictures as scripts call them: the exact bytes on
// stdout, the file written, the messages and the exit codes.
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>

#include <filesystem>
#include <fstream>

#include "tests/cli/CliProcess.h"

namespace vistrel::test {
namespace {

const std::string Header = "PrNr.\tDiaNr.\tUeberblendzeit\tTimer\tSF\tBeschreibung\t\n";
const std::string ShowHead = "/h1 Urlaub 2001\r\n/h2 Sommerreise an die Ostsee\r\n/h3 \r\n/h4 Schrank 2\r\n/a 7\r\n";
const std::string Line1 = "/p 001 012 /d 025 /t 0055 /s 000 /c Titeldia\r\n";
const std::string Line2 = "/p 002 013 /d 030 /t 0000 /s 100 \r\n";
const std::string Record1 = "001\t  12\t    2.5\t    5.5\t  0\tTiteldia\t\r\n";
const std::string Record2 = "002\t  13\t    3.0\t    0.0\t  100\t \t\r\n";

class CopyPasteCli : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("vistrel-copy-paste-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        write("sample.dpd", ShowHead + Line1 + Line2);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const { return readWholeFile(folder_ / name); }
    bool exists(const std::string& name) const { return std::filesystem::exists(folder_ / name); }
    // A show of `count` lines, slide i + 1 each.
    void writeShow(const std::string& name, int count) const {
        std::string bytes = "/h1 \r\n/h2 \r\n/h3 \r\n/h4 \r\n/a \r\n";
        for (int i = 1; i <= count; ++i) {
            char line[64];
            std::snprintf(line, sizeof line, "/p %03d %03d /d 025 /t 0055 /s 000 \r\n", i, i % 1000);
            bytes += line;
        }
        write(name, bytes);
    }

    std::filesystem::path folder_;
};

TEST_F(CopyPasteCli, CopyPrintsTheClipboardText) {
    // Windows-1252 in the file, UTF-8 on stdout; descriptions cut to the clipboard's 179 characters.
    write("texts.dpd", "/h1 \r\n/p 001 001 /d 010 /t 6000 /s 570 /c \xDC" "ber \x80 5\r\n/p 002 999 /d 255 /t 0000 /s 000 /c " +
                           std::string(180, 'x') + "\r\n");
    const struct {
        std::vector<std::string> args;
        std::string out;
    } table[] = {
        {{"copy", path("sample.dpd")}, Header + Record1 + Record2},
        {{"copy", path("sample.dpd"), "--rows", "2"}, Header + Record2},
        {{"copy", path("sample.dpd"), "--rows=2,1-1"}, Header + Record1 + Record2},
        {{"copy", path("texts.dpd")},
         Header + "001\t  1\t    1.0\t  600.0\t  570\tÜber € 5\t\r\n002\t  999\t   25.5\t    0.0\t  0\t" +
             std::string(179, 'x') + "\t\r\n"},
    };
    for (const auto& row : table) {
        const CliResult r = runCliProcess(row.args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, row.out) << row.args.back();
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(CopyPasteCli, CopyRefusals) {
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string errStart;
    } table[] = {
        {{"copy", path("sample.dpd"), "--rows", "3"}, 2, "vistrel-cli: row 3 is not in the show"},
        {{"copy", path("sample.dpd"), "--rows", "2-1"}, 2, "vistrel-cli: the range 2-1 runs backwards"},
        {{"copy", path("missing.dpd")}, 1,
         "vistrel-cli: " + path("missing.dpd") + ": Die angegebende Vistrel-Datei konnte nicht geladen werden.\n"},
    };
    for (const auto& row : table) {
        const CliResult r = runCliProcess(row.args);
        EXPECT_EQ(r.exitCode, row.exitCode);
        EXPECT_EQ(r.err.substr(0, row.errStart.size()), row.errStart);
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(CopyPasteCli, PasteWritesTheShow) {
    const std::string pasted = Header + "009\t  50\t2,5\t4\t160\tNeu \xE2\x82\xAC \xE6\x9D\xB1\n";  // LF only, € and 東
    const std::string newLine = " 050 /d 025 /t 0040 /s 160 /c Neu \x80 ?\r\n";
    const struct {
        std::vector<std::string> options;
        std::string file;
    } table[] = {
        {{}, ShowHead + Line1 + Line2 + "/p 003" + newLine},
        {{"--after", "2"}, ShowHead + Line1 + Line2 + "/p 003" + newLine},
        {{"--after=1"}, ShowHead + Line1 + "/p 002" + newLine + "/p 003 013 /d 030 /t 0000 /s 100 \r\n"},
    };
    write("text.txt", pasted);
    for (const auto& row : table) {
        std::vector<std::string> args{"paste", path("sample.dpd"), path("text.txt"), path("out.dpd")};
        args.insert(args.end(), row.options.begin(), row.options.end());
        const CliResult r = runCliProcess(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(read("out.dpd"), row.file);
    }
    EXPECT_EQ(read("sample.dpd"), ShowHead + Line1 + Line2);
}

TEST_F(CopyPasteCli, PasteMessagesMakeStatusOne) {
    const std::string full = "Die maximale Anzahl der Zeilen ist erreicht!\n";
    writeShow("full.dpd", 999);
    writeShow("almost.dpd", 998);
    const std::string two = Header + "1\t7\t1\t1\t0\t\t\r\n1\t8\t1\t1\t0\t\t\r\n";
    write("two.txt", two);
    write("foreign.txt", "007\t12\t2.5\t4.0\t0\tTitel\t\r\n");
    write("header.txt", Header);
    write("refused.txt", Header + "1\t7\t1\t1\t0\tgut\r\n1\t1000\t1\t1\t0\tschlecht\r\n");
    const struct {
        std::string show, text;
        std::vector<std::string> options;
        int exitCode;
        std::string err;
        int linesWritten;  // -1: OUT not written
    } table[] = {
        {"full.dpd", "two.txt", {}, 1, "vistrel-cli: " + path("two.txt") + ": " + full, -1},
        {"almost.dpd", "two.txt", {}, 1, "vistrel-cli: " + path("two.txt") + ": " + full, 999},
        {"sample.dpd", "foreign.txt", {}, 1,
         "vistrel-cli: " + path("foreign.txt") +
             ": Die Daten haben nicht das richtige Format, um sie an die gewählte Position einzufügen!\n",
         -1},
        {"sample.dpd", "header.txt", {}, 0, "", -1},
        {"sample.dpd", "refused.txt", {}, 1,
         "vistrel-cli: " + path("refused.txt") +
             ": Eine Zeile aus der Zwischenablage wurde nicht eingefügt (Datensatz 2: Dianummer 1000). "
             "Eine Diaschau nimmt Dianummern von 0 bis 999, Überblendzeiten bis 25,5 Sek., Timerzeiten bis 600 "
             "Sek. und SF-Codes von 0 bis 999 auf.\n",
         3},
        // Standard input (empty here) is read as the text.
        {"sample.dpd", "-", {}, 1,
         "vistrel-cli: (standard input): Die Daten haben nicht das richtige Format, um sie an die gewählte "
         "Position einzufügen!\n",
         -1},
    };
    for (const auto& row : table) {
        std::filesystem::remove(folder_ / "out.dpd");
        std::vector<std::string> args{"paste", path(row.show), row.text == "-" ? "-" : path(row.text), path("out.dpd")};
        const CliResult r = runCliProcess(args);
        EXPECT_EQ(r.exitCode, row.exitCode) << row.text;
        EXPECT_EQ(r.err, row.err) << row.text;
        if (row.linesWritten < 0) {
            EXPECT_FALSE(exists("out.dpd")) << row.text;
            continue;
        }
        const std::string written = read("out.dpd");
        int lines = 0;
        for (std::size_t at = written.find("/p "); at != std::string::npos; at = written.find("/p ", at + 1)) ++lines;
        EXPECT_EQ(lines, row.linesWritten) << row.text;
    }
}

TEST_F(CopyPasteCli, PasteStopsReadingStandardInputAtItsLimit) {
    // A writer that would go on far past the 64 MB a clipboard text may have: the command
    // must refuse once the limit is passed, not read (and hold) everything first.
    std::signal(SIGPIPE, SIG_IGN);
    const std::string command = std::string(VISTREL_CLI) + " paste " + path("sample.dpd") + " - " + path("out.dpd") +
                                " 2>" + path("err.txt");
    std::FILE* input = ::popen(command.c_str(), "w");
    ASSERT_NE(input, nullptr);
    const std::string chunk(1 << 20, 'x');
    long long written = 0;
    while (written < (512LL << 20) && std::fwrite(chunk.data(), 1, chunk.size(), input) == chunk.size())
        written += static_cast<long long>(chunk.size());
    const int status = ::pclose(input);
    EXPECT_LT(written, 80LL << 20) << "standard input was read past its limit";
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(read("err.txt"), "vistrel-cli: (standard input): cannot be read, or holds more than 64 MB\n");
    EXPECT_FALSE(exists("out.dpd"));
}

TEST_F(CopyPasteCli, PasteUsageErrors) {
    write("text.txt", Header);
    for (const std::string after : {"0", "3", "1-2", "1,2", "x", ""}) {
        const CliResult r =
            runCliProcess({"paste", path("sample.dpd"), path("text.txt"), path("out.dpd"), "--after=" + after});
        EXPECT_EQ(r.exitCode, 2) << after;
        EXPECT_FALSE(exists("out.dpd"));
    }
    EXPECT_EQ(runCliProcess({"paste", path("sample.dpd"), path("missing.txt"), path("out.dpd")}).exitCode, 1);
}

// The lines of a show written by writeShow, in the order of `slides`.
std::string showInOrder(const std::vector<int>& slides) {
    std::string bytes = "/h1 \r\n/h2 \r\n/h3 \r\n/h4 \r\n/a \r\n";
    for (std::size_t i = 0; i < slides.size(); ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "/p %03zu %03d /d 025 /t 0055 /s 000 \r\n", i + 1, slides[i]);
        bytes += line;
    }
    return bytes;
}

TEST_F(CopyPasteCli, MoveWritesTheLinesInTheirNewOrder) {
    writeShow("six.dpd", 6);
    const struct {
        std::string rows, to;
        std::vector<int> slides;
    } table[] = {
        {"1,3", "4", {2, 4, 5, 1, 3, 6}},
        {"5-6", "1", {5, 6, 1, 2, 3, 4}},
        {"2", "6", {1, 3, 4, 5, 6, 2}},
        {"6,1", "2", {2, 1, 6, 3, 4, 5}},  // ROWS in any order: the lines keep the show's order
        {"3", "3", {1, 2, 3, 4, 5, 6}},    // where it stands: written unchanged
    };
    for (const auto& row : table) {
        const CliResult r = runCliProcess({"move", path("six.dpd"), path("out.dpd"), "--rows", row.rows, "--to", row.to});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(read("out.dpd"), showInOrder(row.slides)) << row.rows << " to " << row.to;
    }
    // The moved lines keep their values; only the program numbers follow.
    ASSERT_EQ(runCliProcess({"move", path("sample.dpd"), path("sample.dpd"), "--rows", "2", "--to", "1"}).exitCode, 0);
    EXPECT_EQ(read("sample.dpd"), ShowHead + "/p 001 013 /d 030 /t 0000 /s 100 \r\n/p 002 012 /d 025 /t 0055 /s 000 /c Titeldia\r\n");
}

TEST_F(CopyPasteCli, MoveRefusals) {
    writeShow("six.dpd", 6);
    const struct {
        std::string rows, to;
        int exitCode;
        std::string errStart;
    } table[] = {
        {"7", "1", 2, "vistrel-cli: row 7 is not in the show"},
        {"1,3", "6", 2, "vistrel-cli: --to takes a line from 1 to 5 for 2 moved line(s), not '6'"},
        {"1", "0", 2, "vistrel-cli: --to takes a line from 1 to 6"},
        {"1", "+2", 2, "vistrel-cli: --to takes a line from 1 to 6"},
        {"1", "", 2, "vistrel-cli: --to takes a line from 1 to 6"},
    };
    for (const auto& row : table) {
        const CliResult r = runCliProcess({"move", path("six.dpd"), path("out.dpd"), "--rows", row.rows, "--to=" + row.to});
        EXPECT_EQ(r.exitCode, row.exitCode) << row.rows << " to " << row.to;
        EXPECT_EQ(r.err.substr(0, row.errStart.size()), row.errStart);
        EXPECT_FALSE(exists("out.dpd"));
    }
}

// The folder rule as a reader of the folder would apply it: names in byte order, the
// first file per slide, everything else unused, pipes and folders no pictures at all.
TEST_F(CopyPasteCli, PicturesListsEachLinesFileAndTheUnusedOnes) {
    write("show.dpd", "/h1 \r\n/p 001 012 /d 025 /t 0055 /s 000 \r\n/p 002 000 /d 025 /t 0055 /s 000 \r\n"
                      "/p 003 007 /d 025 /t 0055 /s 000 \r\n/p 004 004 /d 025 /t 0055 /s 000 \r\n"
                      "/p 005 012 /d 025 /t 0055 /s 000 \r\n");
    std::filesystem::create_directories(folder_ / "bilder" / "5.jpg");
    for (const char* name : {"Dia 12.tif", "012.png", "0.jpg", "7b.JPG", "7a.jpeg", "notes.txt", "cover.webp",
                             "tab\tname.png", "4.gif"})
        write(std::string("bilder/") + name, "x");
    ASSERT_EQ(::mkfifo((folder_ / "bilder" / "4.png").c_str(), 0600), 0);

    const std::string images = "--images=" + path("bilder");
    const CliResult text = runCliProcess({"pictures", path("show.dpd"), images});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out,
              "001\t12\t012.png\n002\t0\t-\n003\t7\t7a.jpeg\n004\t4\t-\n005\t12\t012.png\n"
              "unused\t0.jpg\nunused\t7b.JPG\nunused\tDia 12.tif\nunused\tcover.webp\nunused\ttab\\tname.png\n"
              "summary\t2\t3\n");
    const CliResult json = runCliProcess({"pictures", path("show.dpd"), images, "--json"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out, "{\"folder\": \"" + path("bilder") +
                            "\", \"lines\": [{\"line\": 1, \"slide\": 12, \"file\": \"012.png\"}, "
                            "{\"line\": 2, \"slide\": 0, \"file\": null}, {\"line\": 3, \"slide\": 7, \"file\": "
                            "\"7a.jpeg\"}, {\"line\": 4, \"slide\": 4, \"file\": null}, {\"line\": 5, \"slide\": 12, "
                            "\"file\": \"012.png\"}], \"unused\": [\"0.jpg\", \"7b.JPG\", \"Dia 12.tif\", "
                            "\"cover.webp\", \"tab\\u0009name.png\"], \"withPicture\": 2, \"slides\": 3}\n");

    const CliResult missing = runCliProcess({"pictures", path("show.dpd"), "--images", path("nirgends")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "vistrel-cli: " + path("show.dpd") + ": Der Bilderordner " + path("nirgends") +
                               " kann nicht gelesen werden.\n");
    EXPECT_EQ(runCliProcess({"pictures", path("missing.dpd"), images}).exitCode, 1);
}

}  // namespace
}  // namespace vistrel::test
