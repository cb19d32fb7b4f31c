// What a printed page draws, recorded: the texts in the order they are drawn (which is
// the order a PDF keeps them in), where they stand, and the rules of the table.
#include <gtest/gtest.h>

#include "PrintFixture.h"
#include "print/PagePainter.h"
#include "print/ShowPrintout.h"

namespace vistrel::print {
namespace {

using test::RecordingPage;
using test::TestShow;

const PrintDevice A4Pdf{210, 297, 1200};

struct DrawnPage {
    std::vector<test::RecordingEngine::Text> texts;
    std::vector<QLineF> rules;
    QRectF picture;
    QStringList strings() const {
        QStringList list;
        for (const auto& text : texts) list << text.text;
        return list;
    }
};

DrawnPage draw(const ShowPrintout& printout, int index) {
    RecordingPage page;
    QPainter painter(&page);
    useTwips(painter, page);
    paintPage(painter, printout, index);
    painter.end();
    return {page.engine.texts, page.engine.rules, page.engine.shapes};
}

TestShow holidayShow() {
    TestShow show;
    show.header("Urlaub 2001", "Sommerreise", "an die Ostsee", "Schrank 2", "7").titled("urlaub.dpd");
    show.line(12, 25, 55, 0, "Titeldia");
    show.line(13, 30, 0, 100);
    return show;
}

TEST(PrintedPage, TextsInTheOrderTheyAreDrawn) {
    const TestShow show = holidayShow();
    const DrawnPage page = draw(ShowPrintout(*show.doc, {}, A4Pdf), 0);
    const QStringList expected = {
        // Header: labels, column headings, the show's values.
        "Titel:", "Beschreibung:", "Ablage:", "Modulnummer: ", "PrNr.", "DiaNr.", "Diss.", "Timer", " SF",
        "  Beschreibung", "Urlaub 2001", "Sommerreise an die Ostsee", "Schrank 2", "7",
        // Each row: the description first, then the cells from the left.
        "Titeldia", "001", "12", "  2.5", "  5.5",          // code 0 prints no text
        "002", "13", "  3.0", "  0.0", "Autoreverse",       // no description
        // Footer.
        "Dokument: urlaub.dpd", "Seite: 1"};
    EXPECT_EQ(page.strings(), expected);
}

TEST(PrintedPage, CellsStandInTheirColumns) {
    const TestShow show = holidayShow();
    const ShowPrintout printout(*show.doc, {}, A4Pdf);
    const DrawnPage page = draw(printout, 0);
    const ColumnEdges& x = printout.edges();
    const int margin = printout.cellMargin();
    const double ascent = printout.fonts().ascent();
    auto find = [&page](const QString& text) {
        for (const auto& drawn : page.texts)
            if (drawn.text == text) return drawn;
        ADD_FAILURE() << "not drawn: " << text.toStdString();
        return test::RecordingEngine::Text{};
    };
    auto width = [&printout](const QString& text) { return printout.fonts().measure()(text); };

    // Numbers end a cell margin before their column's right edge.
    const auto number = find(QStringLiteral("001"));
    EXPECT_NEAR(number.baseline.x() + width(QStringLiteral("001")), x[1] - margin, 0.5);
    const auto timer = find(QStringLiteral("  0.0"));
    EXPECT_NEAR(timer.baseline.x() + width(QStringLiteral("  0.0")), x[4] - margin, 0.5);
    // Code and description begin a cell margin after their left edge.
    EXPECT_NEAR(find(QStringLiteral("Autoreverse")).baseline.x(), x[4] + margin, 0.5);
    EXPECT_NEAR(find(QStringLiteral("Titeldia")).baseline.x(), x[5] + margin, 0.5);
    // Rows: the first one a line height below 2700, the next one a row lower.
    EXPECT_NEAR(number.baseline.y(), 2700 + 238 + ascent, 0.5);
    EXPECT_NEAR(find(QStringLiteral("002")).baseline.y(), 2700 + 2 * 238 + ascent, 0.5);
    // Header and footer bands.
    EXPECT_NEAR(find(QStringLiteral("Titel:")).baseline.x(), 1000, 0.5);
    EXPECT_NEAR(find(QStringLiteral("Titel:")).baseline.y(), 750 + ascent, 0.5);
    EXPECT_NEAR(find(QStringLiteral("Urlaub 2001")).baseline.x(), 3000, 0.5);
    EXPECT_NEAR(find(QStringLiteral("Modulnummer: ")).baseline.y(), 2000 + ascent, 0.5);
    const auto heading = find(QStringLiteral("Diss."));
    EXPECT_NEAR(heading.baseline.x() + width(QStringLiteral("Diss.")) / 2, (x[2] + x[3]) / 2.0, 0.5);
    EXPECT_NEAR(heading.baseline.y(), 2575 + ascent, 0.5);
    const auto document = find(QStringLiteral("Dokument: urlaub.dpd"));
    EXPECT_NEAR(document.baseline.y(), 16047 + ascent, 0.5);
    const double numberWidth = width(QStringLiteral("Seite: 1"));
    EXPECT_NEAR(find(QStringLiteral("Seite: 1")).baseline.x(), 10502 - int(numberWidth) - int(numberWidth) / 20, 1);
    // The picture: its top-left corner at (page width, 1200), its own size.
    EXPECT_GE(page.picture.left(), 10502 - 0.5);
    EXPECT_GE(page.picture.top(), 1200 - 0.5);
    EXPECT_LE(page.picture.right(), 10502 + 800 + 0.5);
    EXPECT_LE(page.picture.bottom(), 1200 + 800 + 0.5);
}

int verticalRules(const DrawnPage& page) {
    int count = 0;
    for (const QLineF& rule : page.rules) count += rule.x1() == rule.x2() ? 1 : 0;
    return count;
}

TEST(PrintedPage, EmptyShowHasHeaderAndFooterButNoFrame) {
    TestShow show;
    show.titled("Vistre1");
    const ShowPrintout printout(*show.doc, {}, A4Pdf);
    ASSERT_EQ(printout.pageCount(), 1);
    const DrawnPage page = draw(printout, 0);
    EXPECT_EQ(verticalRules(page), 0);
    EXPECT_EQ(page.rules.size(), 2u);  // under the header and above the (absent) rows
    EXPECT_TRUE(page.strings().contains(QStringLiteral("Dokument: Vistre1")));
    EXPECT_TRUE(page.strings().contains(QStringLiteral("Seite: 1")));
}

TEST(PrintedPage, FrameClosesTheTableFromItsLastRowUpToTheHeaderRule) {
    const TestShow show = holidayShow();
    const ShowPrintout printout(*show.doc, {}, A4Pdf);
    const DrawnPage page = draw(printout, 0);
    const double bottom = 2700 + 3 * 238;
    std::vector<double> xs;
    for (const QLineF& rule : page.rules) {
        if (rule.x1() != rule.x2()) continue;
        EXPECT_DOUBLE_EQ(std::max(rule.y1(), rule.y2()), bottom);
        EXPECT_DOUBLE_EQ(std::min(rule.y1(), rule.y2()), 2500);
        xs.push_back(rule.x1());
    }
    const ColumnEdges& x = printout.edges();
    // Both borders and the six column separators x1..x6.
    EXPECT_EQ(xs, (std::vector<double>{950, 10502 + 1000, double(x[1]), double(x[2]), double(x[3]), double(x[4]),
                                       double(x[5]), double(x[6])}));
    // Rules across the page: under the header, above the rows, under each row, the bottom.
    int across = 0;
    for (const QLineF& rule : page.rules) {
        if (rule.y1() != rule.y2()) continue;
        ++across;
        EXPECT_DOUBLE_EQ(rule.x1(), 950);
        EXPECT_DOUBLE_EQ(rule.x2(), 10502 + 1000);
    }
    EXPECT_EQ(across, 5);
}

}  // namespace
}  // namespace vistrel::print
