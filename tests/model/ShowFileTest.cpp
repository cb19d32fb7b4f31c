#include "model/ShowFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "ShowIdentity.h"
#include "TestFiles.h"
#include "model/CVistrelDoc.h"
#include "model/FileAccess.h"
#include "model/Settings.h"
#include "platform/fake/RecordingPrompter.h"
#include "res/StringTable.h"
#include "res/strings/ModelStrings.h"

namespace vistrel {
namespace {

using test::ScratchFolder;

std::unique_ptr<CVistrelDoc> parsed(std::string_view text, ShowReadOptions options = {}) {
    auto doc = std::make_unique<CVistrelDoc>();
    parseShowText(*doc, text, options);
    return doc;
}

struct LineCase {
    const char* name;
    std::string text;
    bool use500WattTimes;
    int lineCount;
    // Expected first line (when lineCount > 0).
    const char* programNumber;
    int slide, dissolve, timer, code;
    std::string description;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class ReadOneLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ReadOneLine, GivesTheFieldsOfTheFirstLine) {
    const LineCase& c = GetParam();
    auto doc = parsed(c.text, {true, c.use500WattTimes});
    ASSERT_EQ(doc->lineCount, c.lineCount);
    if (c.lineCount == 0) return;
    const ProgramLine& line = doc->lines[0];
    EXPECT_EQ(line.programNumber.str(), c.programNumber);
    EXPECT_EQ(line.slideNumber, c.slide);
    EXPECT_EQ(line.dissolveTime, c.dissolve);
    EXPECT_EQ(line.timerTime, c.timer);
    EXPECT_EQ(line.specialFunction, c.code);
    EXPECT_EQ(line.description.str(), c.description);
    EXPECT_EQ(line.changeMarks, NotInProjector);
}

INSTANTIATE_TEST_SUITE_P(
    Leniency, ReadOneLine,
    ::testing::Values(
        LineCase{"written_form", "/p 001 012 /d 025 /t 0055 /s 000 /c Titeldia\r\n", true, 1, "001", 12, 25, 55, 0, "Titeldia"},
        LineCase{"tags_in_upper_case", "/P 001 002 /D 030\r\n", true, 1, "001", 2, 30, 55, 0, ""},
        LineCase{"slide_defaults_to_program_number", "/p 005 /d 010", true, 1, "005", 5, 10, 55, 0, ""},
        LineCase{"timer_default_without_500_watt", "/p 005 /d 010", false, 1, "005", 5, 10, 40, 0, ""},
        LineCase{"program_tag_resets_earlier_dissolve", "/d 010 /p 005\r\n", true, 1, "005", 5, 25, 55, 0, ""},
        LineCase{"three_digit_timer_converts_the_code", "/p 001 001 /d 025 /t 055 /s 011\r\n", true, 1, "001", 1, 25, 55, 51, ""},
        LineCase{"four_digit_timer_keeps_the_code", "/p 001 001 /d 025 /t 0055 /s 011\r\n", true, 1, "001", 1, 25, 55, 11, ""},
        LineCase{"code_before_the_timer_is_not_converted", "/p 001 001 /s 011 /t 055\r\n", true, 1, "001", 1, 25, 55, 11, ""},
        LineCase{"unknown_old_code_becomes_zero", "/p 001 001 /t 055 /s 077\r\n", true, 1, "001", 1, 25, 55, 0, ""},
        LineCase{"slide_needs_five_characters_after_the_number", "/p 001 12 /d 030\r\n", true, 1, "001", 1, 30, 55, 0, ""},
        LineCase{"slide_without_trailing_blank_at_line_end", "/p 001 012\r\n", true, 1, "001", 1, 25, 55, 0, ""},
        LineCase{"description_keeps_its_slashes", "/p 001 002 /c A/B /d 7\r\n", true, 1, "001", 2, 25, 55, 0, "A/B /d 7"},
        LineCase{"description_skips_the_character_after_the_tag", "/p 001 002 /cXY\r\n", true, 1, "001", 2, 25, 55, 0, "Y"},
        LineCase{"obsolete_f_value_skipped", "/p 001 002 /f 999 /d 040\r\n", true, 1, "001", 2, 40, 55, 0, ""},
        LineCase{"obsolete_g_skips_two_characters", "/p 001 002 /g12 /d 040\r\n", true, 1, "001", 2, 40, 55, 0, ""},
        LineCase{"obsolete_g_can_swallow_a_tag", "/g/p 001 002\r\n", true, 0, "", 0, 0, 0, 0, ""},
        LineCase{"unknown_tag_drops_the_line", "/p 001 002 /x 1\r\n", true, 0, "", 0, 0, 0, 0, ""},
        LineCase{"h_without_digit_drops_the_line", "/p 001 002 /hx\r\n", true, 0, "", 0, 0, 0, 0, ""},
        LineCase{"header_tag_ends_a_program_line", "/p 001 002 /h1 Titel\r\n", true, 0, "", 0, 0, 0, 0, ""},
        LineCase{"module_tag_ends_but_keeps_a_program_line", "/p 001 002 /a 7 /d 040\r\n", true, 1, "001", 2, 25, 55, 0, ""},
        LineCase{"slash_at_line_end_selects_nothing", "/p 001 002 /\r\n", true, 1, "001", 2, 25, 55, 0, ""},
        LineCase{"slash_before_digit_selects_nothing", "/p 001 002 /7 /d 040\r\n", true, 1, "001", 2, 40, 55, 0, ""},
        LineCase{"signs_and_blanks_in_values", "/p  -7 +0012 /d  -3 /t +12 /s -5\r\n", true, 1, "-07", 12, -3, 12, -5, ""},
        LineCase{"values_end_at_the_first_non_digit", "/p 001 012 /d 02x5 /t 1e3\r\n", true, 1, "001", 12, 2, 1, 0, ""},
        LineCase{"overflow_saturates", "/p 001 002 /d 99999999999 /t -99999999999\r\n", true, 1, "001", 2, 2147483647, -2147483647 - 1, 0, ""},
        LineCase{"wide_program_number_is_cut_to_its_field", "/p 123456789 002 /d 030\r\n", true, 1, "1234567", 2, 30, 55, 0, ""},
        LineCase{"wide_program_number_pushes_the_slide_along", "/p 1000 005 /d 030\r\n", true, 1, "1000", 5, 30, 55, 0, ""},
        LineCase{"wide_program_number_alone_is_its_slide", "/p 1000 /d 030\r\n", true, 1, "1000", 1000, 30, 55, 0, ""},
        LineCase{"lone_cr_inside_a_value_is_a_blank", "/p 001\r002 /d 030\r\n", true, 1, "001", 2, 30, 55, 0, ""},
        LineCase{"bare_lf_line_ends", "/p 001 002 /d 030\n", true, 1, "001", 2, 30, 55, 0, ""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ReadShowText, HeaderTextsAnywhereAndLaterOnesWin) {
    auto doc = parsed("/h1 Erster\r\n/p 001 001\r\n/h1 Zweiter\r\n/h2 Beschreibung\r\n/h3 weiter\r\n"
                      "/H4 Schrank 2\r\n/A 7/rest\r\n/h2\n");
    EXPECT_EQ(doc->lineCount, 1);
    EXPECT_EQ(doc->header.title.str(), "Zweiter");
    EXPECT_EQ(doc->header.description.str(), "");  // a bare "/h2" empties it again
    EXPECT_EQ(doc->header.descriptionContinued.str(), "weiter");
    EXPECT_EQ(doc->header.storageLocation.str(), "Schrank 2");
    EXPECT_EQ(doc->header.moduleNumber.str(), "7");
}

TEST(ReadShowText, EmptyAndBlankInputsGiveAnEmptyShow) {
    for (std::string_view text : {std::string_view(""), std::string_view("\r\n\n\n"), std::string_view("\0/p 001", 7)}) {
        auto doc = parsed(text);
        EXPECT_EQ(doc->lineCount, 0);
        EXPECT_TRUE(doc->header.title.empty());
    }
}

TEST(ReadShowText, ReportsWhatItLeavesOut) {
    std::string overlong;
    for (int i = 1; i <= 1003; ++i) overlong += "/p " + std::to_string(i) + " 001\r\n";
    overlong += "\r\n  \r\n";  // blank lines after the limit lose nothing
    const std::string noShow =
        "Die Datei enthält keine Programmzeile und keine Kopfzeile einer Diaschau;\nbeim Speichern fehlt ihr Inhalt.";
    const struct {
        std::string text;
        int lineCount;
        std::string message;
    } table[] = {
        {"/p 001 001\r\nirgendwas\r\n", 1, ""},  // text outside fields is no loss
        {"/p 001 001\r\n/x 1\r\n/p 002 002\r\n", 2,
         "Eine Zeile der Datei konnte nicht gelesen werden;\nbeim Speichern fehlt sie."},
        // A zero byte cuts its own line; the lines after it are read.
        {std::string("/p 001 001 /c a\0b\r\n/p 002 /q\r\n/p 003\r\n", 38), 2,
         "Eine Zeile der Datei konnte nicht gelesen werden;\nbeim Speichern fehlt sie.\n"
         "Eine Zeile der Datei konnte nur zum Teil gelesen werden;\nbeim Speichern fehlt ihr Rest."},
        {std::string("/p 001 001 /c a\0b\r\n/p 002 002 /c \0\r\n", 36), 2,
         "2 Zeilen der Datei konnten nur zum Teil gelesen werden;\nbeim Speichern fehlt ihr Rest."},
        {overlong, 999, "4 Zeilen der Datei konnten nicht gelesen werden;\nbeim Speichern fehlen sie."},
        {"Liebe Grüße\r\nvom Urlaub\r\n", 0, noShow},
        {std::string("/\0p\0 \0\r\0\n\0", 10), 0, noShow},  // a UTF-16 file
    };
    for (const auto& c : table) {
        auto doc = std::make_unique<CVistrelDoc>();
        const ShowReadReport report = parseShowText(*doc, c.text, {});
        EXPECT_EQ(doc->lineCount, c.lineCount) << c.text.substr(0, 20);
        EXPECT_EQ(readLossMessage(report), c.message) << c.text.substr(0, 20);
    }
    EXPECT_EQ(parsed(std::string("/p 001 001 /c ab\0cd\r\n", 21))->lines[0].description.str(), "ab");
}

TEST(ReadShowText, FieldsOfALineWithoutProgramTagCarryToTheNextLine) {
    auto doc = parsed("/p 001 001 /c eins\r\n/c zwei\r\n/d 070\r\n/p 002 002\r\n/p 003 003\r\n");
    ASSERT_EQ(doc->lineCount, 3);
    EXPECT_EQ(doc->lines[1].description.str(), "zwei");
    EXPECT_EQ(doc->lines[1].dissolveTime, 25);  // "/p" resets what came before it
    EXPECT_EQ(doc->lines[2].description.str(), "");
}

TEST(ReadShowText, LastLineWithoutLineEndStillCounts) {
    auto doc = parsed("/p 001 001 /c eins\r\n/p 002 002 /c zwei");
    ASSERT_EQ(doc->lineCount, 2);
    EXPECT_EQ(doc->lines[1].description.str(), "zwei");
}

TEST(ReadShowText, OnlyOneFinalCarriageReturnIsCut) {
    auto doc = parsed("/p 001 001 /c eins\r\r\n");
    EXPECT_EQ(doc->lines[0].description.str(), "eins\r");
}

TEST(ReadShowText, StopsAfter999Lines) {
    std::string text;
    for (int i = 1; i <= 1200; ++i) text += "/p " + std::to_string(i) + " 001 /c Zeile " + std::to_string(i) + "\r\n";
    auto doc = parsed(text);
    ASSERT_EQ(doc->lineCount, 999);
    EXPECT_EQ(doc->lines[998].description.str(), "Zeile 999");
    EXPECT_EQ(doc->lines[998].programNumber.str(), "999");
}

TEST(ReadShowText, DosUmlautsConvertInTextsButNotInModuleNumber) {
    const std::string text = "/h1 \x84\x94\x81\x8e\x99\x9a\xe1\r\n/a \x84\r\n/p 001 001 /c \x84\r\n";
    auto converted = parsed(text, {true, true});
    EXPECT_EQ(converted->header.title.str(), "\xe4\xf6\xfc\xc4\xd6\xdc\xdf");
    EXPECT_EQ(converted->header.moduleNumber.str(), "\x84");
    EXPECT_EQ(converted->lines[0].description.str(), "\xe4");
    auto unconverted = parsed(text, {false, true});
    EXPECT_EQ(unconverted->header.title.str(), "\x84\x94\x81\x8e\x99\x9a\xe1");
    EXPECT_EQ(unconverted->lines[0].description.str(), "\x84");
}

TEST(ReadShowText, OverlongTextsAreCutToTheirFields) {
    const std::string longText(400, 'x');
    auto doc = parsed("/h1 " + longText + "\r\n/h4 " + longText + "\r\n/a " + longText + "\r\n/p 001 001 /c " + longText);
    EXPECT_EQ(doc->header.title.size(), 179u);
    EXPECT_EQ(doc->header.storageLocation.size(), 19u);
    EXPECT_EQ(doc->header.moduleNumber.size(), 19u);
    EXPECT_EQ(doc->lines[0].description.size(), 180u);
}

TEST(OldCodeConversion, MapsEveryOldCode) {
    const std::pair<int, int> table[] = {{0, 0},   {1, 100}, {11, 51}, {14, 54}, {21, 41}, {24, 44}, {31, 22}, {32, 24},
                                         {33, 28}, {41, 12}, {42, 14}, {43, 18}, {300, 60}, {2, 0},  {15, 0},  {60, 0}};
    for (const auto& [oldCode, newCode] : table) EXPECT_EQ(convertOldSpecialFunction(oldCode), newCode) << oldCode;
}

// --- writing ---

std::unique_ptr<CVistrelDoc> exampleShow() {
    auto doc = std::make_unique<CVistrelDoc>();
    doc->header.title = "Urlaub 2001";
    doc->header.description = "Sommerreise an die Ostsee";
    doc->header.storageLocation = "Schrank 2";
    doc->header.moduleNumber = "7";
    doc->lines[0] = ProgramLine{"001", 12, 25, 55, 0, "Titeldia", AllChangeMarks};
    doc->lines[1] = ProgramLine{"002", 13, 30, 0, 100, "", AllChangeMarks};
    doc->lineCount = 2;
    return doc;
}

TEST(WriteShowText, MatchesTheSampleFileByteForByte) {
    auto doc = exampleShow();
    EXPECT_EQ(formatShowText(*doc), test::readBytes(test::dataFile("sample.dpd")));
}

TEST(WriteShowText, WideAndNegativeNumbersKeepAllTheirDigits) {
    CVistrelDoc doc;
    doc.lines[0] = ProgramLine{"1234567", 1000, -5, 60000, 1234, "", 0};
    doc.lines[1] = ProgramLine{"12abc", 2147483647, 0, 5, -2147483647 - 1, "", 0};
    doc.lineCount = 2;
    const std::string text = formatShowText(doc);
    EXPECT_NE(text.find("/p 1234567 1000 /d -05 /t 60000 /s 1234 \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("/p 012 2147483647 /d 000 /t 0005 /s -2147483648 \r\n"), std::string::npos) << text;
}

TEST(WriteShowText, SlashesBecomeBackslashesInTheDocumentToo) {
    CVistrelDoc doc;
    doc.lines[0] = ProgramLine{"001", 1, 25, 40, 0, "A/B/C", 0};
    doc.lineCount = 1;
    EXPECT_NE(formatShowText(doc).find("/c A\\B\\C\r\n"), std::string::npos);
    EXPECT_EQ(doc.lines[0].description.str(), "A\\B\\C");
    auto reread = parsed(formatShowText(doc));
    EXPECT_EQ(reread->lines[0].description.str(), "A\\B\\C");
}

// Whatever the reader makes of a file, saving it and opening it again gives the same
// show; and a file in the written form is written back byte for byte.
struct RoundTripCase {
    const char* name;
    std::string text;
    std::string expectedWritten;  // the written program line, or "" when `text` is already it
};
void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

class SaveAndReopen : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(SaveAndReopen, GivesTheSameShow) {
    const RoundTripCase& c = GetParam();
    const std::string header = "/h1 T\r\n/h2 \r\n/h3 \r\n/h4 \r\n/a \r\n";
    auto first = parsed(header + c.text);
    const std::string written = formatShowText(*first);
    EXPECT_EQ(written, header + (c.expectedWritten.empty() ? c.text : c.expectedWritten));
    auto second = parsed(written);
    EXPECT_EQ(test::showDifference(*first, *second), "");
    EXPECT_EQ(formatShowText(*second), written);
}

INSTANTIATE_TEST_SUITE_P(
    ShowFile, SaveAndReopen,
    ::testing::Values(
        RoundTripCase{"written_form", "/p 001 012 /d 025 /t 0055 /s 000 /c Titeldia\r\n/p 002 013 /d 030 /t 0000 /s 100 \r\n", ""},
        RoundTripCase{"four_digit_program_number", "/p 1000 /d 030\r\n", "/p 1000 1000 /d 030 /t 0055 /s 000 \r\n"},
        RoundTripCase{"four_digit_program_number_and_slide", "/p 1234 005 /d 030 /t 0055 /s 000 \r\n", ""},
        RoundTripCase{"negative_wide_program_number", "/p -100 005 /d 030 /t 0055 /s 000 \r\n", ""},
        RoundTripCase{"negative_timer_is_no_older_variant", "/p 001 002 /t -40 /s 011\r\n",
                      "/p 001 002 /d 025 /t -0040 /s 011 \r\n"},
        RoundTripCase{"small_negative_timer", "/p 001 002 /t -5 /s 041\r\n", "/p 001 002 /d 025 /t -0005 /s 041 \r\n"},
        RoundTripCase{"lowest_timer", "/p 001 002 /t -99999999999 /s 041\r\n",
                      "/p 001 002 /d 025 /t -2147483648 /s 041 \r\n"},
        RoundTripCase{"older_variant_is_written_converted", "/p 001 002 /t 055 /s 011\r\n",
                      "/p 001 002 /d 025 /t 0055 /s 051 \r\n"},
        RoundTripCase{"description_with_cr_at_its_end", "/p 001 002 /d 025 /t 0055 /s 000 /c a\rb\r\r\n", ""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ShowFileRoundTrip, SampleAndOddFileSurviveReadAndWrite) {
    // The written form is stable: reading what was written gives the same bytes again.
    for (const char* name : {"sample.dpd", "model/lenient.dpd"}) {
        auto first = parsed(test::readBytes(test::dataFile(name)));
        const std::string written = formatShowText(*first);
        auto second = parsed(written);
        EXPECT_EQ(formatShowText(*second), written) << name;
        EXPECT_EQ(test::showDifference(*first, *second), "") << name;
    }
}

// --- files on disk ---

TEST(ShowFileOnDisk, ReadFailuresReportTheLoadMessageAndLeaveTheDocumentEmpty) {
    ScratchFolder folder;
    const std::string big = folder.file("big.dpd");
    test::writeBytes(big, "/p 001 001\r\n");
    std::filesystem::resize_file(big, MaxShowFileBytes + 1);  // sparse: costs no disk
    for (const std::string& path : {folder.file("missing.dpd"), folder.path().string(), big}) {
        RecordingPrompter prompter;
        CVistrelDoc doc;
        EXPECT_FALSE(readShowFile(doc, path, Settings{}, prompter)) << path;
        ASSERT_EQ(prompter.messages.size(), 1u) << path;
        EXPECT_EQ(prompter.messages[0].text, res::text(ids::FileLoadFailed));
        EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(doc.lineCount, 0);
    }
}

TEST(ShowFileOnDisk, ANamedPipeIsRefusedAtOnce) {
    ScratchFolder folder;
    const std::string pipe = folder.file("x.dpd");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    RecordingPrompter prompter;
    auto doc = std::make_unique<CVistrelDoc>();
    auto reading = std::async(std::launch::async, [&] { return readShowFile(*doc, pipe, Settings{}, prompter); });
    if (reading.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        // Let the blocked reader go before failing, or the test program would hang.
        const int writer = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) ::close(writer);
        reading.wait();
        FAIL() << "reading a named pipe waited for a writer";
    }
    EXPECT_FALSE(reading.get());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Die angegebende Vistrel-Datei konnte \nnicht geladen werden.\n");
}

// Where a save goes when the path is not a plain, writable file.
struct SaveTargetCase {
    const char* name;
    std::function<void(const ScratchFolder&)> prepare;  // makes "show.dpd" what the case needs
    bool saved;
    const char* fileWithShow;  // where the show must be afterwards ("" when refused)
};
void PrintTo(const SaveTargetCase& c, std::ostream* os) { *os << c.name; }

class SaveTarget : public ::testing::TestWithParam<SaveTargetCase> {};

TEST_P(SaveTarget, CreatesThroughLinksAndRefusesWhatItMayNotReplace) {
    const SaveTargetCase& c = GetParam();
    ScratchFolder folder;
    c.prepare(folder);
    const auto before = std::filesystem::symlink_status(folder.file("show.dpd"));
    auto doc = exampleShow();
    RecordingPrompter prompter;

    EXPECT_EQ(writeShowFile(*doc, folder.file("show.dpd"), prompter), c.saved);
    if (c.saved) {
        EXPECT_TRUE(prompter.messages.empty());
        EXPECT_EQ(test::readBytes(folder.file(c.fileWithShow)), test::readBytes(test::dataFile("sample.dpd")));
    } else {
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text, "Die Datei konnte nicht unter dem \nangegebenden Pfad gespeichert\n werden.\n");
        EXPECT_TRUE(doc->hasUnsavedChanges());
    }
    // The path itself stays what it was: a link stays a link, a pipe a pipe.
    EXPECT_EQ(std::filesystem::symlink_status(folder.file("show.dpd")).type(), before.type());
}

void link(const ScratchFolder& folder, const char* to) {
    std::filesystem::create_symlink(to, folder.file("show.dpd"));
}

INSTANTIATE_TEST_SUITE_P(
    ShowFileOnDisk, SaveTarget,
    ::testing::Values(
        SaveTargetCase{"LinkToAFileNotThereYet", [](const ScratchFolder& f) { link(f, "new.dpd"); }, true, "new.dpd"},
        SaveTargetCase{"LinkIntoASubfolder",
                       [](const ScratchFolder& f) {
                           std::filesystem::create_directory(f.file("sub"));
                           test::writeBytes(f.file("sub/real.dpd"), "old");
                           link(f, "sub/real.dpd");
                       },
                       true, "sub/real.dpd"},
        SaveTargetCase{"ChainOfLinks",
                       [](const ScratchFolder& f) {
                           std::filesystem::create_symlink("last.dpd", f.file("middle.dpd"));
                           link(f, "middle.dpd");
                       },
                       true, "last.dpd"},
        SaveTargetCase{"ReadOnlyFile",
                       [](const ScratchFolder& f) {
                           test::writeBytes(f.file("show.dpd"), "old");
                           std::filesystem::permissions(f.file("show.dpd"), std::filesystem::perms(0444));
                       },
                       false, ""},
        SaveTargetCase{"LinkToAReadOnlyFile",
                       [](const ScratchFolder& f) {
                           test::writeBytes(f.file("real.dpd"), "old");
                           std::filesystem::permissions(f.file("real.dpd"), std::filesystem::perms(0444));
                           link(f, "real.dpd");
                       },
                       false, ""},
        SaveTargetCase{"LinkLoop",
                       [](const ScratchFolder& f) {
                           std::filesystem::create_symlink("show.dpd", f.file("other.dpd"));
                           link(f, "other.dpd");
                       },
                       false, ""},
        SaveTargetCase{"NamedPipe", [](const ScratchFolder& f) { ::mkfifo(f.file("show.dpd").c_str(), 0600); }, false,
                       ""},
        SaveTargetCase{"Folder", [](const ScratchFolder& f) { std::filesystem::create_directory(f.file("show.dpd")); },
                       false, ""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ShowFileOnDisk, ReadOnlyFileKeepsItsContents) {
    ScratchFolder folder;
    const std::string path = folder.file("show.dpd");
    test::writeBytes(path, "old");
    std::filesystem::permissions(path, std::filesystem::perms(0444));
    RecordingPrompter prompter;
    EXPECT_FALSE(writeShowFile(*exampleShow(), path, prompter));
    EXPECT_EQ(test::readBytes(path), "old");
}

TEST(ShowFileOnDisk, ReadsWithTheSettingsOfTheProgram) {
    ScratchFolder folder;
    const std::string path = folder.file("s.dpd");
    test::writeBytes(path, "/p 001 001 /c \x84\r\n");
    Settings settings;
    settings.use500WattTimes = false;
    settings.convertDosUmlauts = false;
    RecordingPrompter prompter;
    CVistrelDoc doc;
    ASSERT_TRUE(readShowFile(doc, path, settings, prompter));
    EXPECT_EQ(doc.lines[0].timerTime, 40);
    EXPECT_EQ(doc.lines[0].description.str(), "\x84");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(ShowFileOnDisk, SaveReplacesTheFileAndClearsOnlyTheSaveMark) {
    ScratchFolder folder;
    const std::string path = folder.file("show.dpd");
    test::writeBytes(path, "old contents");
    auto doc = exampleShow();
    RecordingPrompter prompter;
    ASSERT_TRUE(writeShowFile(*doc, path, prompter));
    EXPECT_EQ(test::readBytes(path), test::readBytes(test::dataFile("sample.dpd")));
    EXPECT_EQ(doc->lines[0].changeMarks, NotInProjector | NotInModule);
    EXPECT_FALSE(doc->hasUnsavedChanges());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);  // no temporary left
}

TEST(ShowFileOnDisk, FailedSaveKeepsTheOldFileAndTheUnsavedState) {
    ScratchFolder folder;
    const std::string path = folder.file("show.dpd");
    test::writeBytes(path, "old contents");
    auto doc = exampleShow();
    doc->header.title = std::string(170, 't');
    RecordingPrompter prompter;
    bool written = true;
    {
        // Let the disk refuse everything past 100 bytes, even for root.
        test::FileSizeLimit limit(100);
        written = writeShowFile(*doc, path, prompter);
    }
    EXPECT_FALSE(written);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, res::text(ids::FileSaveFailed));
    EXPECT_EQ(test::readBytes(path), "old contents");
    EXPECT_TRUE(doc->hasUnsavedChanges());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);  // no temporary left
}

TEST(ShowFileOnDisk, TemporaryFilesOfWritersThatAreGoneAreRemovedByTheNextSave) {
    ScratchFolder folder;
    const std::string own = std::to_string(::getpid());
    const std::string gone = ".vistrel-999999999.tmp";  // above any process id the system hands out
    const std::vector<std::string> kept = {".vistrel-1.tmp",            // init is alive
                                           ".vistrel-" + own + "-7.tmp",  // our own, maybe in use
                                           ".vistrel-x.tmp", "notes.tmp", ".vistrel-12.tmp.bak"};
    for (const std::string& name : kept) test::writeBytes(folder.file(name), "half a show");
    test::writeBytes(folder.file(gone), "half a show");

    RecordingPrompter prompter;
    ASSERT_TRUE(writeShowFile(*exampleShow(), folder.file("show.dpd"), prompter));
    EXPECT_FALSE(std::filesystem::exists(folder.file(gone)));
    for (const std::string& name : kept) EXPECT_TRUE(std::filesystem::exists(folder.file(name))) << name;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 6);  // and no temporary of ours
}

TEST(ShowFileOnDisk, SameFileIsFoundThroughLinks) {
    ScratchFolder folder;
    for (const char* name : {"show.dpd", "other.dpd"}) test::writeBytes(folder.file(name), "show");
    std::filesystem::create_symlink("show.dpd", folder.file("link.pdf"));
    std::filesystem::create_hard_link(folder.file("show.dpd"), folder.file("hard.pdf"));
    const std::pair<const char*, bool> table[] = {
        {"show.dpd", true}, {"link.pdf", true}, {"hard.pdf", true}, {"other.dpd", false}, {"missing.pdf", false}};
    for (const auto& [name, same] : table) EXPECT_EQ(isSameFile(folder.file("show.dpd"), folder.file(name)), same) << name;
}

TEST(ShowFileOnDisk, SaveIntoAMissingFolderFails) {
    ScratchFolder folder;
    auto doc = exampleShow();
    RecordingPrompter prompter;
    EXPECT_FALSE(writeShowFile(*doc, folder.file("no/such/folder/show.dpd"), prompter));
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(doc->hasUnsavedChanges());
}

}  // namespace
}  // namespace vistrel
