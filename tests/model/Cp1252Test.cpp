#include "model/Cp1252.h"

#include <gtest/gtest.h>

namespace vistrel {
namespace {

TEST(Cp1252, EveryByteSurvivesTheTripThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(Cp1252, ConvertsTheSpecialBytesToTheirCharacters) {
    const std::pair<const char*, const char*> table[] = {
        {"\x80", "\u20AC"}, {"\x84", "\u201E"}, {"\x8A", "\u0160"}, {"\x9F", "\u0178"},
        {"\xE4\xF6\xFC\xDF", "\u00E4\u00F6\u00FC\u00DF"},
        // The five bytes the code page leaves open become the C1 controls of that number.
        {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},
    };
    for (const auto& [bytes, utf8] : table) {
        EXPECT_EQ(cp1252ToUtf8(bytes), utf8);
        EXPECT_EQ(utf8ToCp1252(utf8), bytes);
    }
}

TEST(Cp1252, UnrepresentableAndMalformedInputBecomesQuestionMarks) {
    const std::pair<std::string, std::string> table[] = {
        {"\u4E2D", "?"},           // no byte for it
        {"\U0001F600x", "?x"},     // four-byte sequence
        {"\u0080", "?"},           // C1 control that the code page uses for the euro
        {"a\xFF" "b", "a?b"},      // not UTF-8 at all
        {"\xC3", "?"},             // cut off
        {"\xC0\xAF", "??"},        // overlong slash
        {"\xED\xA0\x80", "???"},   // surrogate
    };
    for (const auto& [utf8, bytes] : table) EXPECT_EQ(utf8ToCp1252(utf8), bytes) << utf8;
}

TEST(Cp1252, UpperCaseFoldsUmlautsAndKeepsSharpS) {
    EXPECT_EQ(upperCp1252(std::string_view("abz \xE4\xF6\xFC \xE9\xE0 \xDF \xB5 \xF7 \x9A\x9C\x9E\xFF 1/x")),
              "ABZ \xC4\xD6\xDC \xC9\xC0 \xDF \xB5 \xF7 \x8A\x8C\x8E\x9F 1/X");
}

}  // namespace
}  // namespace vistrel
