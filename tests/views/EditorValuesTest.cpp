// Reading and checking the line editor's fields before "Übernehmen" stores them.
#include <gtest/gtest.h>

#include "res/StringTable.h"
#include "views/EditorValues.h"

namespace vistrel {
namespace {

TEST(EditorValues, ReadsNumbersAsThePrograms) {
    const std::pair<const char*, int> integers[] = {{"12", 12},  {"  7", 7},   {"05", 5},  {"12abc", 12},
                                                    {"abc", 0},  {"", 0},      {"-3", -3}, {"+4", 4},
                                                    {" 1000", 1000}, {"99999999999", 2147483647}};
    for (const auto& [text, value] : integers) EXPECT_EQ(readInteger(QString::fromLatin1(text)), value) << text;

    const std::pair<const char*, double> decimals[] = {{"  2.5", 2.5}, {"600.1", 600.1}, {"2,3", 2.0},
                                                       {"x", 0.0},     {"", 0.0},        {"-1.5", -1.5},
                                                       {".5", 0.5},    {"4.0s", 4.0}};
    for (const auto& [text, value] : decimals) EXPECT_DOUBLE_EQ(readDecimal(QString::fromLatin1(text)), value) << text;
}

EditorFields fields(const char* slide, const char* dissolve, const char* timer, const char* parameter = "0",
                    const char* code = "000", const QString& description = {}) {
    return {QString::fromLatin1(slide), QString::fromLatin1(dissolve), QString::fromLatin1(timer),
            QString::fromLatin1(parameter), QString::fromLatin1(code), description};
}

TEST(EditorValues, AcceptedValuesAsStored) {
    struct Case {
        EditorFields in;
        int slide, dissolve, timer, code;
    };
    const Case cases[] = {
        {fields("12", "2.3", "4.5"), 12, 25, 45, 0},      // the dissolve goes to the nearest half second
        {fields("1", "0", "0"), 1, 1, 0, 0},              // a dissolve of 0 becomes 0.1 s
        {fields("999", "25.5", "600"), 999, 255, 6000, 0},  // the upper limits themselves
        {fields("5", "2.5", "5.4", "3", "033"), 5, 25, 54, 33},
        {fields("0", "2.5", "4.0", "0", "160"), 0, 25, 40, 0},  // no special function on an end line
        {fields("7", "  2.5", "  0.3"), 7, 25, 3, 0},
        {fields("0", "2,5", "4,5"), 0, 25, 45, 0},  // a typed 0 is a slide number; a decimal comma
    };
    for (const auto& c : cases) {
        CheckedLine line;
        ASSERT_EQ(checkEditorFields(c.in, line), 0) << c.in.slideNumber.toStdString();
        EXPECT_EQ(line.slideNumber, c.slide);
        EXPECT_EQ(line.dissolveTime, c.dissolve);
        EXPECT_EQ(line.timerTime, c.timer);
        EXPECT_EQ(line.specialFunction, c.code);
    }
}

TEST(EditorValues, RefusesTheFirstValueOutOfRangeAndFillsNothing) {
    const std::pair<EditorFields, const char*> cases[] = {
        {fields("1000", "2.5", "4.0"), "Die gewählte Dianummer ist nicht zulässig."},
        {fields("-1", "2.5", "4.0"), "Die gewählte Dianummer ist nicht zulässig."},
        {fields("1000", "99", "900"), "Die gewählte Dianummer ist nicht zulässig."},  // first refusal wins
        {fields("1", "25.8", "4.0"), "Die gewählte Überblendzeit ist nicht zulässig."},
        {fields("1", "2.5", "600.1"), "Die gewählte Timerzeit ist nicht zulässig."},
        {fields("1", "2.5", "-0.1"), "Die gewählte Timerzeit ist nicht zulässig."},
        {fields("1", "2.5", "4.0", "12"),
         "Der Sonderfunktionscode ist ungültig!\r\nPrüfen Sie die Anzahl bzw. die Dauer der Sonderfunktion."},
        // A field without a number is refused, not read as 0: an empty slide number
        // would end the show at this line, an empty timer make it a pause.
        {fields("", "2.5", "4.0"), "Die gewählte Dianummer ist nicht zulässig."},
        {fields("7x", "2.5", "4.0"), "Die gewählte Dianummer ist nicht zulässig."},
        {fields("1", "  ", "4.0"), "Die gewählte Überblendzeit ist nicht zulässig."},
        {fields("1", "2.5", ""), "Die gewählte Timerzeit ist nicht zulässig."},
        {fields("1", "2.5", " ."), "Die gewählte Timerzeit ist nicht zulässig."},
        {fields("1", "2.5", "abc"), "Die gewählte Timerzeit ist nicht zulässig."},
        {fields("1", "2.5", "4.0", ""),
         "Der Sonderfunktionscode ist ungültig!\r\nPrüfen Sie die Anzahl bzw. die Dauer der Sonderfunktion."},
    };
    for (const auto& [in, message] : cases) {
        CheckedLine line;
        line.slideNumber = 42;
        const int refusal = checkEditorFields(in, line);
        ASSERT_NE(refusal, 0) << message;
        EXPECT_STREQ(res::text(refusal), message);
        EXPECT_EQ(line.slideNumber, 42) << "a refused check must not hand out values";
    }
}

TEST(EditorValues, DescriptionBecomesWindows1252AndASingleBlankIsEmpty) {
    CheckedLine line;
    ASSERT_EQ(checkEditorFields(fields("1", "2.5", "4.0", "0", "000", QStringLiteral(" ")), line), 0);
    EXPECT_EQ(line.description, "");
    ASSERT_EQ(checkEditorFields(fields("1", "2.5", "4.0", "0", "000", QStringLiteral("Brücke")), line), 0);
    EXPECT_EQ(line.description, "Br\xFC" "cke");
    ASSERT_EQ(checkEditorFields(fields("1", "2.5", "4.0", "0", "000", QStringLiteral("  ")), line), 0);
    EXPECT_EQ(line.description, "  ");
}

TEST(EditorValues, TheDescriptionStaysOneLineOf179Characters) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("Brücke"), QStringLiteral("Brücke")},
        {QStringLiteral("zwei\nZeilen"), QStringLiteral("zwei Zeilen")},
        {QStringLiteral("a\r\nb"), QStringLiteral("a  b")},
        {QString(180, QLatin1Char('x')), QString(179, QLatin1Char('x'))},
        {QString(178, QLatin1Char('x')) + QStringLiteral("\nyz"), QString(178, QLatin1Char('x')) + QStringLiteral(" ")},
    };
    for (const auto& [typed, kept] : cases) EXPECT_EQ(oneLineDescription(typed), kept) << typed.toStdString();
}

TEST(EditorValues, TotalTimeInWholeSecondsWithThePauseAfterIt) {
    const struct {
        int playingTime;
        bool waits;
        const char* text;
    } cases[] = {
        {130, false, "00:00:13 "},
        {139, false, "00:00:13 "},
        {36000, false, "01:00:00 "},
        {367890, true, "10:13:09  + Pause"},
        {90, true, "00:00:09  + Pause"},
    };
    for (const auto& c : cases) EXPECT_EQ(totalTimeText(c.playingTime, c.waits).toStdString(), c.text) << c.playingTime;
}

}  // namespace
}  // namespace vistrel
