// Row geometry, text shortening and timer colours of the program list.
#include <gtest/gtest.h>

#include "views/ListGeometry.h"

namespace vistrel {
namespace {

namespace geo = listgeometry;

// Every character 7 pixels wide: the shortening can be followed by hand.
int fixedWidth(const QString& text) { return int(text.size()) * 7; }

TEST(ListGeometry, ShortenText) {
    struct Case {
        const char* text;
        int width;
        int offset;
        const char* shortened;
    };
    const Case cases[] = {
        {"", 10, 12, ""},                        // empty stays empty
        {"  12", 40, 12, "  12"},                // 28 + 12 = 40 fits exactly
        {"  123", 40, 12, " ..."},               // nothing short enough fits: down to one character
        {"Sonnenuntergang", 80, 12, "Sonnen..."},  // 6*7 + 21 + 12 = 75 <= 80; 7 characters would be 82
        {"abc", 5, 40, "a..."},                  // never below one character
        {"ab", 10, 40, "a..."},                  // at least one character is removed
    };
    for (const auto& c : cases)
        EXPECT_EQ(geo::shortenText(QString::fromLatin1(c.text), c.width, c.offset, fixedWidth),
                  QString::fromLatin1(c.shortened))
            << c.text << " in " << c.width;
}

TEST(ListGeometry, HighlightReachesTheClientEdge) {
    const QRect row(0, 32, 750, 16);  // columns end at x = 749
    EXPECT_EQ(geo::highlightRect(row, 0, true, 900), QRect(QPoint(0, 32), QPoint(899, 47)));
    EXPECT_EQ(geo::highlightRect(row, 0, false, 900), row);
    EXPECT_EQ(geo::highlightRect(row, 0, true, 600), row);  // narrower client: the columns' end
    EXPECT_EQ(geo::highlightRect(row, -30, true, 900).left(), -30);  // scrolled to the right
}

TEST(ListGeometry, EndOfShowBarAndCellInsets) {
    EXPECT_EQ(geo::endOfShowBar(0, 750, 16, 16), QRect(QPoint(6, 16), QPoint(744, 31)));
    EXPECT_EQ(geo::insetCell(QRect(80, 0, 80, 16), geo::CellInset), QRect(86, 0, 68, 16));
    EXPECT_EQ(geo::insetCell(QRect(0, 0, 80, 16), geo::FirstColumnInset), QRect(20, 0, 40, 16));
}

TEST(ListGeometry, TimerColours) {
    const QColor red(255, 0, 0), blue(0, 0, 255);
    struct Case {
        int timer;
        bool use500Watt;
        std::optional<QColor> colour;
    };
    const Case cases[] = {
        {0, true, blue},  {0, false, blue},          {54, true, red},           {55, true, std::nullopt},
        {39, false, red}, {40, false, std::nullopt}, {54, false, std::nullopt}, {6000, true, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(geo::timerColour(c.timer, c.use500Watt), c.colour) << c.timer;
}

TEST(ListGeometry, EndOfShowBarStandsOutFromTheList) {
    const QColor white(255, 255, 255), silver(192, 192, 192), black(0, 0, 0);
    struct Case {
        QColor menu;
        QColor list;
        QColor fill;
        QColor text;  // on the bar, where the list's text is black
    };
    const Case cases[] = {
        {white, white, silver, black},                                  // a white menu colour on a white list
        {QColor(239, 239, 239), white, silver, black},                  // nearly white
        {QColor(212, 208, 200), white, QColor(212, 208, 200), black},   // a grey menu colour is kept
        {QColor(49, 54, 59), QColor(35, 38, 41), silver, black},        // dark: the bar must not vanish there either
        {QColor(80, 80, 80), QColor(250, 250, 250), QColor(80, 80, 80), white},  // dark bar, dark list text
    };
    for (const auto& c : cases) {
        EXPECT_EQ(geo::endOfShowFill(c.menu, c.list), c.fill) << c.menu.name().toStdString();
        // The list's text is black here: kept where it reads on the bar, else white.
        EXPECT_EQ(geo::textOnFill(c.fill, black), c.text) << c.menu.name().toStdString();
    }
}

TEST(ListGeometry, Readability) {
    EXPECT_NEAR(geo::contrastRatio(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(geo::contrastRatio(Qt::red, Qt::red), 1.0, 0.01);
    const QColor highlight(48, 140, 198);
    EXPECT_FALSE(geo::readableOn(QColor(255, 0, 0), highlight));  // red timer on a selected row
    EXPECT_FALSE(geo::readableOn(QColor(0, 0, 255), highlight));  // blue timer on a selected row
    EXPECT_TRUE(geo::readableOn(QColor(255, 0, 0), Qt::white));
    EXPECT_TRUE(geo::readableOn(QColor(0, 0, 255), Qt::white));
    EXPECT_TRUE(geo::readableOn(Qt::white, highlight));
}

}  // namespace
}  // namespace vistrel
