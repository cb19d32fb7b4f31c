// --rows ROWS: the rows a command takes as selected.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "cli/RowList.h"

namespace vistrel::cli {
namespace {

TEST(RowList, NumbersAndRangesBecomeAscendingRowIndices) {
    struct Case {
        std::string text;
        int lineCount;
        std::vector<int> rows;  // 0-based
    };
    const Case cases[] = {
        {"1", 1, {0}},
        {"2-5,9", 10, {1, 2, 3, 4, 8}},
        {"9,2-3", 10, {1, 2, 8}},
        {"3,3,2-4", 5, {1, 2, 3}},
        {"4-4", 4, {3}},
    };
    for (const Case& c : cases) {
        const auto parsed = parseRows(c.text, c.lineCount);
        ASSERT_TRUE(std::holds_alternative<std::vector<int>>(parsed)) << c.text << ": " << std::get<std::string>(parsed);
        EXPECT_EQ(std::get<std::vector<int>>(parsed), c.rows) << c.text;
    }
    EXPECT_EQ(std::get<std::vector<int>>(parseRows("1-999", 999)).size(), 999u);
}

TEST(RowList, AnythingElseIsAUsageErrorWithItsReason) {
    struct Case {
        std::string text;
        int lineCount;
        std::string reason;
    };
    const std::string form = "ROWS must be row numbers and ranges like 2-5,9, not '";
    const Case cases[] = {
        {"", 5, form + "'"},
        {"2,", 5, form + "2,'"},
        {",2", 5, form + ",2'"},
        {"2-", 5, form + "2-'"},
        {"a", 5, form + "a'"},
        {"-3", 5, form + "-3'"},
        {"1-2-3", 5, form + "1-2-3'"},
        {"+2", 5, form + "+2'"},
        {" 2", 5, form + " 2'"},
        {"99999999999", 5, form + "99999999999'"},
        {"5-2", 5, "the range 5-2 runs backwards"},
        {"0", 5, "row 0 is not in the show, which has 5 lines"},
        {"2-6", 5, "row 6 is not in the show, which has 5 lines"},
        {"1", 0, "row 1 is not in the show, which has 0 lines"},
        {"2", 1, "row 2 is not in the show, which has 1 line"},
    };
    for (const Case& c : cases) {
        const auto parsed = parseRows(c.text, c.lineCount);
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.text;
        EXPECT_EQ(std::get<std::string>(parsed), c.reason) << c.text;
    }
}

}  // namespace
}  // namespace vistrel::cli
