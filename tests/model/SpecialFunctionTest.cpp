#include "model/SpecialFunction.h"

#include <gtest/gtest.h>

namespace vistrel {
namespace {

TEST(FormatSpecialFunction, RendersEveryKindOfCode) {
    const std::pair<int, const char*> table[] = {
        {0, ""},
        {15, "5 Sek. einblenden"},
        {29, "9 Sek. einfrieren"},
        {10, "0 Sek. einblenden"},
        {33, "3 x blinken"},
        {41, "1 x flashen"},
        {52, "2 x schaukeln"},
        {60, "Ab-/Aufblenden"},
        {70, "Ab-/Aufblenden mit Pause"},
        {100, "Autoreverse"},
        {200, "SL-Auslösung am Anf."},
        {300, "Sl-Ausl. am Anf. u. Autoreverse"},
        {400, "SL-Auslösung in der Mitte"},
        {500, "Sl-Ausl. in der  Mitte u. Autoreverse"},
        {160, "Autoreverse + Ab-/Aufblenden"},
        {270, "SL-Auslösung am Anf. - Ab-/Aufblenden mit Pause"},
        {570, "Sl-Ausl. in der  Mitte u. Autoreverse - Ab-/Aufblenden mit Pause"},
        {105, "Autoreverse"},  // a mechanical text is never followed by the parameter
        {133, "3 x blinken"},  // the mechanical digit is not named
        {600, "unbekannter SF-Code"},
        {999, "unbekannter SF-Code"},
        {1000, "unbekannter SF-Code"},
        {80, "unbekannter SF-Code"},
        {190, "unbekannter SF-Code"},
        {-33, "unbekannter SF-Code"},
    };
    for (const auto& [code, text] : table) EXPECT_EQ(formatSpecialFunction(code, "  99"), text) << code;
}

TEST(FormatSpecialFunction, CodesWithoutTextKeepWhatTheCallerShows) {
    EXPECT_EQ(formatSpecialFunction(5, "  5"), "  5");
    EXPECT_EQ(formatSpecialFunction(9, "neun"), "neun");
}

TEST(FormatSpecialFunction, LongestTextFitsTheOldBuffer) {
    std::size_t longest = 0;
    for (int code = 0; code < 1000; ++code) longest = std::max(longest, formatSpecialFunction(code, "").size());
    // 64 characters; "ö" of "Auslösung" is not in the longest one, so bytes = characters.
    EXPECT_EQ(longest, 64u);
}

TEST(ComposeSpecialFunction, AppliesTheCombinationRules) {
    struct Case {
        int mechanical, light, parameter;
        int code;
        const char* text;
    };
    const Case table[] = {
        {0, 0, 0, 0, "000"},   {0, 3, 3, 33, "033"},   {0, 3, 0, 31, "031"},   {0, 1, 9, 19, "019"},
        {0, 0, 5, 0, "000"},   {0, 6, 4, 60, "060"},   {0, 7, 1, 70, "070"},   {1, 6, 7, 160, "160"},
        {1, 0, 3, 100, "100"}, {5, 7, 0, 570, "570"},  {2, 3, 3, 200, "200"},
    };
    for (const Case& c : table) {
        const ComposedSpecialFunction composed = composeSpecialFunction(c.mechanical, c.light, c.parameter);
        EXPECT_TRUE(composed.valid);
        EXPECT_EQ(composed.code, c.code) << c.mechanical << c.light << c.parameter;
        EXPECT_EQ(composed.codeText, c.text);
    }
    EXPECT_FALSE(composeSpecialFunction(0, 3, 10).valid);
    EXPECT_FALSE(composeSpecialFunction(0, 3, -1).valid);
}

TEST(SpecialFunction, ComposedCodesSplitBack) {
    for (int m = 0; m < MechanicalFunctionCount; ++m) {
        for (int l = 0; l < LightFunctionCount; ++l) {
            for (int p = 0; p <= 9; ++p) {
                const auto composed = composeSpecialFunction(m, l, p);
                const auto parts = splitSpecialFunction(composed.code);
                EXPECT_EQ(std::to_string(parts.mechanical) + std::to_string(parts.light) + std::to_string(parts.parameter),
                          composed.codeText);
                EXPECT_NE(formatSpecialFunction(composed.code, "x"), "unbekannter SF-Code") << composed.code;
            }
        }
    }
}

TEST(SpecialFunction, PauseLines) {
    const std::pair<ProgramLine, bool> table[] = {
        {ProgramLine{"001", 1, 25, 0, 0, "", 0}, true},    {ProgramLine{"001", 1, 25, 55, 70, "", 0}, true},
        {ProgramLine{"001", 1, 25, 55, 570, "", 0}, true}, {ProgramLine{"001", 1, 25, 55, 71, "", 0}, false},
        {ProgramLine{"001", 1, 25, 55, 60, "", 0}, false}, {ProgramLine{"001", 1, 25, 55, -70, "", 0}, false},
    };
    for (const auto& [line, pause] : table) EXPECT_EQ(isPauseLine(line), pause) << line.specialFunction;
}

TEST(SpecialFunction, EditorListTexts) {
    EXPECT_EQ(mechanicalListText(3), "Sl-Ausl. a. Anf. u.  Autoreverse");
    EXPECT_EQ(lightListText(0), "Normale Ueberblendung");
    EXPECT_EQ(lightListText(8), "");
}

}  // namespace
}  // namespace vistrel
