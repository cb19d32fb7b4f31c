#include "model/Settings.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "TestFiles.h"

namespace vistrel {
namespace {

using test::ScratchFolder;

// The 23 lines of a settings file that differs from the defaults everywhere.
std::vector<std::string> changedLines() {
    return {"COM3", "0", "0", "0", "1", "0", "0", "1", "1", "1", "55", "10", "20", "30", "40", "50", "60",
            "11", "12", "13", "14", "C:\\Eigene Dateien\\Shows\\", "0"};
}

std::string joined(const std::vector<std::string>& lines, const char* end = "\r\n") {
    std::string text;
    for (const auto& line : lines) text += line + end;
    return text;
}

TEST(Settings, MissingFileGivesTheDefaults) {
    ScratchFolder folder;
    const Settings s = readSettings(folder.file("vistrel.def"));
    EXPECT_EQ(s.portName, "COM2");
    EXPECT_TRUE(s.use500WattTimes);
    EXPECT_TRUE(s.convertDosUmlauts);
    EXPECT_EQ(s.columnWidths, (std::array<int, 6>{80, 80, 80, 80, 80, 350}));
    EXPECT_EQ(s.searchDialogPosition, (std::array<int, 2>{200, 200}));
    EXPECT_EQ(s.infoWindowPosition, (std::array<int, 2>{200, 200}));
}

TEST(Settings, ANamedPipeGivesTheDefaultsWithoutWaiting) {
    ScratchFolder folder;
    const std::string pipe = folder.file("vistrel.def");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    auto reading = std::async(std::launch::async, [&] { return readSettings(pipe); });
    if (reading.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        const int writer = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);  // let it go
        if (writer >= 0) ::close(writer);
        reading.wait();
        FAIL() << "reading the settings waited for a writer";
    }
    EXPECT_EQ(reading.get().searchDialogPosition, (std::array<int, 2>{200, 200}));
}

TEST(Settings, WritesAndReadsAll23Values) {
    ScratchFolder folder;
    const std::string path = folder.file("vistrel.def");
    test::writeBytes(path, joined(changedLines(), "\n"));
    const Settings read = readSettings(path);
    EXPECT_EQ(read.portName, "COM3");
    EXPECT_FALSE(read.pcModeOffAtExit);
    EXPECT_TRUE(read.infoWindowAtStart);
    EXPECT_TRUE(read.fullSizeDocumentWindows);
    EXPECT_EQ(read.blockDelay, 55);
    EXPECT_EQ(read.columnWidths, (std::array<int, 6>{10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(read.searchDialogPosition, (std::array<int, 2>{11, 12}));
    EXPECT_EQ(read.infoWindowPosition, (std::array<int, 2>{13, 14}));
    EXPECT_EQ(read.lastFolder, "C:\\Eigene Dateien\\Shows\\");
    EXPECT_FALSE(read.use500WattTimes);

    ASSERT_TRUE(writeSettings(path, read));
    EXPECT_EQ(test::readBytes(path), joined(changedLines()));
}

TEST(Settings, ReadingStopsAtTheFirstBadOrMissingLine) {
    struct Case {
        const char* name;
        int line;               // 1-based line that is replaced
        const char* text;       // nullptr: the file ends before this line
        bool infoWindowAtStart; // line 5
        int blockDelay;         // line 11
        int lastWidth;          // line 17
        std::array<int, 2> infoWindowPosition;  // lines 20, 21
        bool use500WattTimes;   // line 23
    };
    const Case table[] = {
        {"letter_in_line_5", 5, "x", false, 10, 350, {0, 0}, true},
        {"delay_too_long", 11, "250", true, 10, 60, {13, 14}, false},
        {"delay_negative", 11, "-1", true, 10, 60, {13, 14}, false},
        {"delay_at_limit", 11, "100", true, 100, 60, {13, 14}, false},
        {"number_with_trailing_text", 11, " 42 ms", true, 42, 60, {13, 14}, false},
        {"ends_before_positions", 20, nullptr, true, 55, 60, {0, 0}, true},
        {"empty_folder_still_reads_line_23", 22, "", true, 55, 60, {13, 14}, false},
        {"empty_number_line", 17, "", true, 55, 350, {0, 0}, true},
    };
    for (const Case& c : table) {
        ScratchFolder folder;
        auto lines = changedLines();
        if (c.text) {
            lines[static_cast<std::size_t>(c.line - 1)] = c.text;
        } else {
            lines.resize(static_cast<std::size_t>(c.line - 1));
        }
        test::writeBytes(folder.file("vistrel.def"), joined(lines));
        const Settings s = readSettings(folder.file("vistrel.def"));
        EXPECT_EQ(s.infoWindowAtStart, c.infoWindowAtStart) << c.name;
        EXPECT_EQ(s.blockDelay, c.blockDelay) << c.name;
        EXPECT_EQ(s.columnWidths[5], c.lastWidth) << c.name;
        EXPECT_EQ(s.infoWindowPosition, c.infoWindowPosition) << c.name;
        EXPECT_EQ(s.use500WattTimes, c.use500WattTimes) << c.name;
    }
}

TEST(Settings, PortOtherThanCom1ToCom4KeepsTheDefault) {
    for (const char* port : {"COM5", "LPT1", "", "COM12", "/dev/ttyS0", "com3"}) {
        ScratchFolder folder;
        auto lines = changedLines();
        lines[0] = port;
        test::writeBytes(folder.file("vistrel.def"), joined(lines));
        const Settings s = readSettings(folder.file("vistrel.def"));
        EXPECT_EQ(s.portName, "COM2") << port;
        EXPECT_EQ(s.blockDelay, 55) << port;  // the rest is still read
    }
}

TEST(Settings, AColumnWidthNoScreenCouldShowTakesItsDefault) {
    const struct {
        std::array<const char*, 6> read;  // lines 12 to 17
        std::array<int, 6> widths;
    } table[] = {
        {{"-5", "20", "30", "40", "50", "60"}, {80, 20, 30, 40, 50, 60}},
        {{"10", "20", "30", "40", "50", "-350"}, {10, 20, 30, 40, 50, 350}},
        {{"0", "20", "30", "40", "50", "10000"}, {0, 20, 30, 40, 50, 10000}},
        {{"10", "10001", "30", "40", "50", "2147483647"}, {10, 80, 30, 40, 50, 350}},
        {{"-2147483648", "-1", "-1", "-1", "-1", "-1"}, {80, 80, 80, 80, 80, 350}},
    };
    for (const auto& row : table) {
        ScratchFolder folder;
        auto lines = changedLines();
        for (std::size_t i = 0; i < 6; ++i) lines[11 + i] = row.read[i];
        test::writeBytes(folder.file("vistrel.def"), joined(lines));
        const Settings s = readSettings(folder.file("vistrel.def"));
        EXPECT_EQ(s.columnWidths, row.widths) << row.read[0] << " ... " << row.read[5];
        EXPECT_EQ(s.infoWindowPosition, (std::array<int, 2>{13, 14})) << "the lines after the widths are read";
    }
}

TEST(Settings, UnwritableFileIsNotAnError) {
    ScratchFolder folder;
    EXPECT_FALSE(writeSettings(folder.file("missing/vistrel.def"), Settings{}));
}

}  // namespace
}  // namespace vistrel
