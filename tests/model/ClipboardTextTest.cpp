// The clipboard text: the bytes copying produces, how paste reads what other programs
// give it, and that lines survive the trip.
#include "model/ClipboardText.h"

#include <gtest/gtest.h>

#include <set>

#include "model/Cp1252.h"
#include "model/SpecialFunction.h"

namespace vistrel {
namespace {

const std::string Header = "PrNr.\tDiaNr.\tUeberblendzeit\tTimer\tSF\tBeschreibung\t\n";

TEST(ClipboardText, CopiedBytes) {
    const ProgramLine titled{"007", 12, 25, 40, 0, "Titel", 0};
    const ProgramLine untitled{"008", 0, 3, 6000, 570, "", 0};
    const struct {
        std::vector<CellTexts> rows;
        std::string expected;
    } table[] = {
        {{}, Header},  // no row selected: the header alone
        {{cellTexts(titled, true)}, Header + "007\t  12\t    2.5\t    4.0\t  0\tTitel\t\r\n"},
        // An empty description is one blank in a row filled from the document, empty in
        // a row that an operation wrote.
        {{cellTexts(untitled, true), cellTexts(untitled, false)},
         Header + "008\t  0\t    0.3\t  600.0\t  570\t \t\r\n008\t  0\t    0.3\t  600.0\t  570\t\t\r\n"},
        {{CellTexts{"001", "  1", "    1.0", "    1.0", "  0", std::string(180, 'x')}},
         Header + "001\t  1\t    1.0\t    1.0\t  0\t" + std::string(179, 'x') + "\t\r\n"},
    };
    for (const auto& row : table) EXPECT_EQ(buildClipboardText(row.rows), row.expected);
}

struct Expected {
    int slide, dissolve, timer, code;
    std::string description;
    std::string cell;
};

TEST(ClipboardText, ReadsRecordsAsPasteDoes) {
    const std::string rec = "001\t  12\t    2.5\t    4.0\t  0\tTitel\t\r\n";
    const struct {
        const char* name;
        std::string text;
        bool header;
        std::vector<Expected> records;
    } table[] = {
        {"copied text", Header + rec + "002\t  13\t    3.0\t    0.0\t  100\t \t\r\n", true,
         {{12, 25, 40, 0, "Titel", "Titel"}, {13, 30, 0, 100, "", " "}}},
        {"decimal comma, LF only", Header + "1\t7\t2,5\t10,25\t33\tKomma\t\n", true, {{7, 25, 102, 33, "Komma", "Komma"}}},
        {"header with CR LF, no trailing tab", "PrNr.\tDiaNr.\tUeberblendzeit\tTimer\tSF\tBeschreibung\r\n" + rec,
         true, {{12, 25, 40, 0, "Titel", "Titel"}}},
        {"last record without line end", Header + "001\t5\t1.0\t2.0\t0\tEnde", true, {{5, 10, 20, 0, "Ende", "Ende"}}},
        {"spreadsheet dropped the empty description", Header + "001\t5\t1.0\t2.0\t160\r\n", true,
         {{5, 10, 20, 160, "", ""}}},
        {"form feed ends the records", Header + rec + "\f002\t13\t3.0\t0.0\t0\tx\t\r\n", true,
         {{12, 25, 40, 0, "Titel", "Titel"}}},
        // Only a record's line end can be followed by the end mark; elsewhere the form
        // feed is part of the program number that paste skips.
        {"form feed before the first record", Header + "\f" + rec, true, {{12, 25, 40, 0, "Titel", "Titel"}}},
        {"form feed after a foreign line", Header + "Kommentar\r\n\f" + rec, true,
         {{12, 25, 40, 0, "Titel", "Titel"}}},
        {"blank and foreign lines between records", Header + rec + "\r\n\nKommentar\r\n" + rec, true,
         {{12, 25, 40, 0, "Titel", "Titel"}, {12, 25, 40, 0, "Titel", "Titel"}}},
        {"a zero byte ends the text", Header + rec + std::string(1, '\0') + rec, true,
         {{12, 25, 40, 0, "Titel", "Titel"}}},
        {"two blanks stay a description", Header + "001\t1\t1\t1\t0\t  \t\r\n", true, {{1, 10, 10, 0, "  ", "  "}}},
        {"tab inside a description", Header + "001\t1\t1\t1\t0\tA\tB\t\r\n", true, {{1, 10, 10, 0, "A\tB", "A\tB"}}},
        {"descriptions cut to 179", Header + "001\t1\t1\t1\t0\t" + std::string(250, 'd') + "\t\r\n", true,
         {{1, 10, 10, 0, std::string(179, 'd'), std::string(179, 'd')}}},
        {"times truncate toward zero", Header + "001\t1\t2.59\t0.09\t0\t\t\r\n", true, {{1, 25, 0, 0, "", ""}}},
        {"header alone", Header, true, {}},
        {"missing header", rec, false, {}},
        {"header cut short", Header.substr(0, 40), false, {}},
        {"header in other case", "prnr.\tDiaNr.\tUeberblendzeit\tTimer\tSF\tBeschreibung\t\n" + rec, false, {}},
        {"empty text", "", false, {}},
    };
    for (const auto& row : table) {
        const ClipboardContent content = parseClipboardText(row.text);
        EXPECT_EQ(content.hasHeader, row.header) << row.name;
        ASSERT_EQ(content.records.size(), row.records.size()) << row.name;
        for (std::size_t i = 0; i < row.records.size(); ++i) {
            const PastedRecord& got = content.records[i];
            const Expected& want = row.records[i];
            EXPECT_EQ(got.fault, PastedRecordFault::None) << row.name;
            EXPECT_EQ(got.slideNumber, want.slide) << row.name;
            EXPECT_EQ(got.dissolveTime, want.dissolve) << row.name;
            EXPECT_EQ(got.timerTime, want.timer) << row.name;
            EXPECT_EQ(got.specialFunction, want.code) << row.name;
            EXPECT_EQ(got.description, want.description) << row.name;
            EXPECT_EQ(got.descriptionCell, want.cell) << row.name;
        }
    }
}

TEST(ClipboardText, RefusesValuesAShowCannotHold) {
    const struct {
        std::string record;
        PastedRecordFault fault;
        std::string field;
    } table[] = {
        {"1\t999\t25.5\t600\t999\tok\t\r\n", PastedRecordFault::None, ""},
        {"1\t0\t0\t0\t0\tok\t\r\n", PastedRecordFault::None, ""},
        {"1\t1000\t2.5\t4\t0\t\t\r\n", PastedRecordFault::SlideNumber, "1000"},
        {"1\t-1\t2.5\t4\t0\t\t\r\n", PastedRecordFault::SlideNumber, "-1"},
        {"1\t99999999999\t2.5\t4\t0\t\t\r\n", PastedRecordFault::SlideNumber, "99999999999"},
        {"1\t5\t25.6\t4\t0\t\t\r\n", PastedRecordFault::DissolveTime, "25.6"},
        {"1\t5\t-0.1\t4\t0\t\t\r\n", PastedRecordFault::DissolveTime, "-0.1"},
        {"1\t5\t2\t600.1\t0\t\t\r\n", PastedRecordFault::TimerTime, "600.1"},
        {"1\t5\t2\t1e300\t0\t\t\r\n", PastedRecordFault::TimerTime, "1e300"},
        {"1\t5\t2\t4\t1000\t\t\r\n", PastedRecordFault::SpecialFunction, "1000"},
        {"1\t5\t2\t4\t-100\t\t\r\n", PastedRecordFault::SpecialFunction, "-100"},
        {"7\t5\t2\t4\r\n", PastedRecordFault::MissingFields, "7"},
        {"7\t5\r\n", PastedRecordFault::MissingFields, "7"},
    };
    for (const auto& row : table) {
        const ClipboardContent content = parseClipboardText(Header + row.record);
        ASSERT_EQ(content.records.size(), 1u) << row.record;
        EXPECT_EQ(content.records[0].fault, row.fault) << row.record;
        EXPECT_EQ(content.records[0].faultField, row.field) << row.record;
    }
}

TEST(ClipboardText, ReaderStopsWhereAsked) {
    std::string text = Header;
    for (int i = 0; i < 50; ++i) text += "1\t" + std::to_string(i) + "\t1\t1\t0\t\t\r\n";
    EXPECT_EQ(parseClipboardText(text, 7).records.size(), 7u);
    ClipboardTextReader reader(text);
    for (int i = 0; i < 50; ++i) ASSERT_EQ(reader.next()->slideNumber, i);
    EXPECT_FALSE(reader.next());
}

// Every code the editor can compose and every description byte travel unchanged.
TEST(ClipboardText, CopyThenPasteGivesTheSameLines) {
    std::set<int> codes;
    for (int mechanical = 0; mechanical <= 5; ++mechanical)
        for (int light = 0; light <= 7; ++light)
            for (int parameter = 0; parameter <= 9; ++parameter)
                codes.insert(composeSpecialFunction(mechanical, light, parameter).code);
    ASSERT_GT(codes.size(), 60u);

    const std::string descriptions[] = {
        utf8ToCp1252("Übergang zur Brücke – Größe €"),
        std::string("\x80\x8A\x9C\x9F\xA0\xBF\xC4\xD6\xDC\xDF\xE4\xF6\xFC\xFF"),
        "",
        std::string(179, 'z'),
    };
    std::vector<ProgramLine> lines;
    int slide = 0;
    for (int code : codes) {
        for (const std::string& description : descriptions) {
            lines.push_back(ProgramLine{"001", slide % 1000, (slide * 7) % 256, (slide * 37) % 6001, code,
                                        std::string_view(description), 0});
            ++slide;
        }
    }
    std::vector<CellTexts> rows;
    for (const ProgramLine& line : lines) rows.push_back(cellTexts(line, true));
    // Through UTF-8, as the desktop's clipboard carries it.
    const std::string text = utf8ToCp1252(cp1252ToUtf8(buildClipboardText(rows)));
    const ClipboardContent content = parseClipboardText(text);
    ASSERT_EQ(content.records.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const PastedRecord& got = content.records[i];
        EXPECT_EQ(got.fault, PastedRecordFault::None);
        EXPECT_EQ(got.slideNumber, lines[i].slideNumber);
        EXPECT_EQ(got.dissolveTime, lines[i].dissolveTime);
        EXPECT_EQ(got.timerTime, lines[i].timerTime) << i;
        EXPECT_EQ(got.specialFunction, lines[i].specialFunction);
        EXPECT_EQ(got.description, lines[i].description.str());
    }
}

}  // namespace
}  // namespace vistrel
