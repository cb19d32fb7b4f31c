// Breaking texts into lines, with every character one unit wide.
#include <gtest/gtest.h>

#include "print/TextFitting.h"

namespace vistrel::print {
namespace {

double unitWidth(const QString& text) { return static_cast<double>(text.size()); }

TEST(PrintWrapText, BreaksBetweenWordsAsTheColumnAllows) {
    struct Case {
        const char* text;
        double width;
        QStringList lines;
    };
    const Case cases[] = {
        {"", 10, {}},
        {"abc", 10, {"abc"}},
        {"aaa bbb ccc", 7, {"aaa bbb", "ccc"}},
        {"abcd efgh", 4, {"abcd", "efgh"}},  // each word exactly fills a line
        {"ab cd", 5, {"ab cd"}},
        // The blanks at a break vanish; those before the first word stay.
        {"aaa    bbb", 5, {"aaa", "bbb"}},
        {"  lead word", 6, {"  lead", "word"}},
        {"trailing   ", 8, {"trailing"}},
        {"   ", 5, {""}},
        // A word wider than a line is broken between its characters.
        {"abcdefghij", 4, {"abcd", "efgh", "ij"}},
        {"ab abcdefgh x", 4, {"ab", "abcd", "efgh", "x"}},
        {"abc", 0, {"a", "b", "c"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrapText(QString::fromUtf8(c.text), c.width, unitWidth), c.lines) << c.text << " in " << c.width;
}

}  // namespace
}  // namespace vistrel::print
