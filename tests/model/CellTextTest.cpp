#include "model/CellText.h"

#include <gtest/gtest.h>

namespace vistrel {
namespace {

TEST(CellText, FillsTheSixColumns) {
    const ProgramLine line{"007", 12, 25, 40, 0, "Titel", 0};
    EXPECT_EQ(cellTexts(line, true), (CellTexts{"007", "  12", "    2.5", "    4.0", "  0", "Titel"}));
    const ProgramLine big{"999", 999, 255, 6000, 570, "", 0};
    EXPECT_EQ(cellTexts(big, true), (CellTexts{"999", "  999", "   25.5", "  600.0", "  570", " "}));
    EXPECT_EQ(cellText(big, 5, false), "");
}

TEST(CellText, ClipboardRecordOfTheExampleLine) {
    const ProgramLine line{"007", 12, 25, 40, 0, "Titel", 0};
    EXPECT_EQ(clipboardRecord(line, true), "007\t  12\t    2.5\t    4.0\t  0\tTitel\t\r\n");
    EXPECT_EQ(ClipboardHeaderLine.substr(0, ClipboardHeaderPrefix.size()), ClipboardHeaderPrefix);
}

TEST(CellText, ClipboardFieldsCarryAtMost179Characters) {
    CellTexts cells{"1", "2", "3", "4", "5", std::string(200, 'd')};
    EXPECT_EQ(clipboardRecord(cells), "1\t2\t3\t4\t5\t" + std::string(179, 'd') + "\t\r\n");
}

TEST(CellText, ReadsCellsBack) {
    EXPECT_EQ(parseCellInteger("  12"), 12);
    EXPECT_EQ(parseCellTenths("    2.5"), 25);
    EXPECT_EQ(parseClipboardTenths("2,5"), 25);
    EXPECT_EQ(parseClipboardTenths("1,2,5"), 12);  // only the first comma is a decimal point
    EXPECT_EQ(parseCellDescription(" "), "");
    EXPECT_EQ(parseCellDescription("  "), "  ");
    EXPECT_EQ(parseCellDescription(std::string(300, 'x')).size(), 178u);
}

}  // namespace
}  // namespace vistrel
