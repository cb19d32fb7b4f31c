// A show laid out for an A4 PDF printer at 1200 dots per inch, with the real page fonts.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "PrintFixture.h"
#include "print/ShowPrintout.h"

namespace vistrel::print {
namespace {

using test::TestShow;

const PrintDevice A4Pdf{210, 297, 1200};

QString repeatedWords(const char* word, int count) {
    QStringList words;
    for (int i = 0; i < count; ++i) words << QString::fromUtf8(word);
    return words.join(QLatin1Char(' '));
}

TEST(PrintFonts, CourierNewRowsAre238TwipsHigh) {
    // 10.5 point Courier New (or its metric twin): the row height every page count rests on.
    const PrintFonts fonts;
    EXPECT_EQ(fonts.lineHeight(), 238);
    EXPECT_EQ(fonts.textHeight(), 238);
    EXPECT_NEAR(fonts.measure()(QStringLiteral("0123456789")), 1260, 1);
}

TEST(ShowPrintout, CellTextsOfALine) {
    struct Case {
        int slide, dissolve, timer, code;
        bool sfAsText;
        std::array<const char*, 5> cells;  // number, slide, dissolve, timer, SF
    };
    const Case cases[] = {
        {12, 25, 55, 0, true, {"001", "12", "  2.5", "  5.5", ""}},
        {12, 25, 55, 0, false, {"001", "12", "  2.5", "  5.5", "0"}},
        {999, 255, 6000, 33, true, {"001", "999", " 25.5", "600.0", "3 x blinken"}},
        // Without the option the code is its number, without leading zeros.
        {7, 5, 0, 33, false, {"001", "7", "  0.5", "  0.0", "33"}},
        {1, 10, 40, 160, true, {"001", "1", "  1.0", "  4.0", "Autoreverse + Ab-/Aufblenden"}},
        // Codes without a text of their own keep showing their number.
        {1, 10, 40, 5, true, {"001", "1", "  1.0", "  4.0", "5"}},
        {0, 25, 0, 0, true, {"001", "0", "  2.5", "  0.0", ""}},
    };
    for (const Case& c : cases) {
        TestShow show;
        show.line(c.slide, c.dissolve, c.timer, c.code);
        const ShowPrintout printout(*show.doc, {{80, 80, 80, 80, 80, 350}, c.sfAsText}, A4Pdf);
        const ShowPrintout::LineTexts& texts = printout.line(0);
        for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(texts.numbers[i], QString::fromUtf8(c.cells[i])) << c.code;
        EXPECT_EQ(texts.specialFunction, QString::fromUtf8(c.cells[4])) << c.code;
    }
}

TEST(ShowPrintout, ProgramNumberIsReadAsANumber) {
    TestShow show;
    show.line(1, 25, 55, 0);
    show.doc->lines[0].programNumber = "  42x";
    EXPECT_EQ(ShowPrintout(*show.doc, {}, A4Pdf).line(0).numbers[0], QStringLiteral("042"));
}

TEST(ShowPrintout, ThreeLineDescriptionMakesAThreeLineRowWithTheSfCellWrapped) {
    // The description column of A4 with the standard widths holds 37 characters a line:
    // three nine-letter words and their blanks (29) fit, four (39) do not.
    TestShow show;
    show.line(1, 25, 55, 500, repeatedWords("Landschaf", 9).toStdString());
    show.line(2, 25, 55, 500, "kurz");
    const ShowPrintout printout(*show.doc, {}, A4Pdf);

    const ShowPrintout::LineTexts& tall = printout.line(0);
    EXPECT_EQ(tall.description, QStringList(3, repeatedWords("Landschaf", 3)));
    EXPECT_EQ(tall.rows, 3);
    // "Sl-Ausl. in der  Mitte u. Autoreverse" broken into the SF column, as far as the
    // row reaches.
    ASSERT_EQ(tall.specialFunctionWrapped.size(), 3);
    const QString code = QStringLiteral("Sl-Ausl. in der  Mitte u. Autoreverse").remove(QLatin1Char(' '));
    EXPECT_TRUE(code.startsWith(tall.specialFunctionWrapped.join(QString()).remove(QLatin1Char(' '))))
        << tall.specialFunctionWrapped.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(printout.line(1).rows, 1);
    EXPECT_TRUE(printout.line(1).specialFunctionWrapped.isEmpty());

    const ShowPrintout::Page page = printout.page(0);
    ASSERT_EQ(page.rows.size(), 2u);
    EXPECT_EQ(page.rows[0].top, 2700 + 238);
    EXPECT_EQ(page.rows[1].top, 2700 + 238 + 3 * 238);
    EXPECT_EQ(page.rowsBottom, 2700 + 238 + 4 * 238);
}

// Printed with pictures: a row whose slide has a picture file is at least as tall as the
// picture (five lines of 238), the others keep their height, the table moves right by
// the picture column.
TEST(ShowPrintout, RowsWithAPictureGrowToIt) {
    QTemporaryDir folder;
    for (const char* name : {"001.png", "3 Hafen.JPG", "0.jpg", "notes.txt"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const struct {
        int slide;
        std::string description;
        int rowsWith, rowsWithout;
    } table[] = {
        {1, "Titel", 5, 1},
        {2, "ohne Bild", 1, 1},
        {3, repeatedWords("Landschaf", 9).toStdString(), 5, 3},
        {0, "dunkel", 1, 1},
        {3, repeatedWords("Landschaf", 24).toStdString(), 6, 6},  // taller than its picture
    };
    TestShow show;
    for (const auto& row : table) show.line(row.slide, 25, 55, 0, row.description);
    PrintOptions withPictures;
    withPictures.pictureFolder = folder.path().toStdString();
    const ShowPrintout printed(*show.doc, withPictures, A4Pdf);
    const ShowPrintout plain(*show.doc, {}, A4Pdf);
    for (std::size_t i = 0; i < std::size(table); ++i) {
        EXPECT_EQ(printed.line(static_cast<int>(i)).rows, table[i].rowsWith) << i;
        EXPECT_EQ(plain.line(static_cast<int>(i)).rows, table[i].rowsWithout) << i;
    }
    EXPECT_TRUE(printed.withPictures());
    EXPECT_FALSE(plain.withPictures());
    EXPECT_EQ(printed.edges()[0], 2500);
    EXPECT_EQ(plain.edges()[0], 1000);
    EXPECT_EQ(printed.edges()[6], plain.edges()[6]);
    EXPECT_EQ(printed.pictureHeading(), "Bild");
    const ShowPrintout::Page page = printed.page(0);
    ASSERT_EQ(page.rows.size(), 5u);
    EXPECT_EQ(page.rows[1].top, 2938 + 5 * 238);
    EXPECT_EQ(page.rowsBottom, 2938 + 18 * 238);
}

TEST(ShowPrintout, ColumnHeadingsShortenedToTheirColumns) {
    struct Case {
        const char* name;
        std::array<int, 6> widths;
        std::array<const char*, 6> headings;
    };
    const Case cases[] = {
        {"standard widths", {80, 80, 80, 80, 80, 350}, {"PrNr.", "DiaNr.", "Diss.", "Timer", " SF", "  Beschreibung"}},
        // 591 twips for "PrNr." (630): "P..." is all that fits.
        {"a narrow first column", {40, 80, 80, 80, 80, 350}, {"P...", "DiaNr.", "Diss.", "Timer", " SF", "  Beschreibung"}},
        // 1369 twips: seven characters and the dots.
        {"a narrow description", {80, 80, 80, 80, 80, 60}, {"PrNr.", "DiaNr.", "Diss.", "Timer", " SF", "  Besch..."}},
    };
    for (const Case& c : cases) {
        TestShow show;
        const ShowPrintout printout(*show.doc, {c.widths, true}, A4Pdf);
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(printout.headings()[i], QString::fromUtf8(c.headings[i])) << c.name << " column " << i;
    }
}

TEST(ShowPrintout, HeaderValuesAndFooter) {
    TestShow show;
    // Four lines of title; the band under "Titel:" has room for the tops of three.
    show.header(repeatedWords("Ostseeufer", 17).toStdString().substr(0, 179), "Von Kiel", "bis R\xfcgen",
                "Schrank 2", "7")
        .titled("urlaub.dpd");
    const ShowPrintout printout(*show.doc, {}, A4Pdf);
    EXPECT_EQ(printout.titleLines().size(), 3);
    EXPECT_EQ(printout.descriptionLines(), QStringList{QStringLiteral("Von Kiel bis Rügen")});
    EXPECT_EQ(printout.storageLocation(), QStringLiteral("Schrank 2"));
    EXPECT_EQ(printout.moduleNumber(), QStringLiteral("7"));
    EXPECT_EQ(printout.labels(), (std::array<QString, 4>{QStringLiteral("Titel:"), QStringLiteral("Beschreibung:"),
                                                         QStringLiteral("Ablage:"), QStringLiteral("Modulnummer: ")}));
    EXPECT_EQ(printout.documentLine(), QStringLiteral("Dokument: urlaub.dpd"));
    EXPECT_EQ(printout.pageNumberText(3), QStringLiteral("Seite: 3"));
}

TEST(ShowPrintout, CellMarginFollowsThePrinterResolution) {
    // 1/8 of the dots per inch, taken as twips: a 600 dpi printer keeps 75 twips, so its
    // description column holds a character more than the 1200 dpi one.
    TestShow show;
    show.line(1, 25, 55, 0, repeatedWords("abcdefghi", 3).toStdString() + " abcdefgh");  // 38 characters
    EXPECT_EQ(ShowPrintout(*show.doc, {}, {210, 297, 600}).cellMargin(), 75);
    EXPECT_EQ(ShowPrintout(*show.doc, {}, {210, 297, 600}).line(0).rows, 1);
    EXPECT_EQ(ShowPrintout(*show.doc, {}, A4Pdf).line(0).rows, 2);
}

}  // namespace
}  // namespace vistrel::print
