#include "model/DecimalText.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>

#include "model/CellText.h"

namespace vistrel {
namespace {

TEST(DecimalText, IntegerValueFollowsTheCConversion) {
    const std::pair<const char*, int> table[] = {
        {"", 0},          {"abc", 0},         {"  42", 42},         {"\t\r 7x", 7},
        {"-12", -12},     {"+12", 12},        {"- 12", 0},          {"0012", 12},
        {"12 34", 12},    {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"-2147483648", INT_MIN},
        {"-99999999999999999999", INT_MIN}, {"99999999999999999999", INT_MAX},
    };
    for (const auto& [text, value] : table) EXPECT_EQ(decimalValue(text), value) << '"' << text << '"';
}

TEST(DecimalText, FractionsReadAsTenthsTruncatedTowardZero) {
    const std::pair<const char*, int> table[] = {
        {"  2.5", 25},  {"2.59", 25},   {"-2.59", -25}, {"  0.0", 0},  {".5", 5},     {"5.", 50},
        {"1e1", 100},   {"1e", 10},     {"inf", 0},     {"nan", 0},    {"0x10", 0},   {"", 0},
        {"1e999", INT_MAX}, {"-1e999", INT_MIN}, {"1e-999", 0}, {" +3.3", 33},
    };
    for (const auto& [text, tenths] : table) EXPECT_EQ(parseCellTenths(text), tenths) << '"' << text << '"';
}

TEST(DecimalText, SecondsTextReadsBackToTheSameTenths) {
    for (int tenths = -1000; tenths <= 70000; ++tenths) {
        ASSERT_EQ(parseCellTenths(secondsText(tenths)), tenths) << secondsText(tenths);
    }
}

TEST(DecimalText, FormatsIgnoreTheUserLocale) {
    // A German locale must not turn the point into a comma in cells and files.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE")) {
        GTEST_SKIP() << "no German locale installed";
    }
    EXPECT_EQ(secondsText(25), "  2.5");
    EXPECT_EQ(parseCellTenths("  2.5"), 25);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(DecimalText, PaddedFormats) {
    EXPECT_EQ(zeroPadded(7, 3), "007");
    EXPECT_EQ(zeroPadded(-7, 3), "-07");
    EXPECT_EQ(zeroPadded(123456789, 3), "123456789");
    EXPECT_EQ(zeroPadded(55, 4), "0055");
    EXPECT_EQ(secondsText(5), "  0.5");
    EXPECT_EQ(secondsText(6000), "600.0");
    EXPECT_EQ(secondsText(123456), "12345.6");
    EXPECT_EQ(secondsText(-5), " -0.5");
}

}  // namespace
}  // namespace vistrel
