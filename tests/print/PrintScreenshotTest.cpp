// Renders the first printed page of a show with every kind of row into a PNG under the
// build folder, with the same drawing as the printer and the PDF, so that the page
// can be looked at. The checks make sure the render holds the page and not a blank.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>

#include "PrintFixture.h"
#include "print/PagePainter.h"
#include "print/ShowPrintout.h"

namespace vistrel::print {
namespace {

TEST(PrintScreenshot, FirstPageOfAShowWithEveryKindOfRow) {
    test::TestShow show;
    show.header("Urlaub 2001", "Sommerreise an die Ostsee,", "mit Abstecher nach R\xfcgen", "Schrank 2, Fach 3", "7")
        .titled("urlaub.dpd");
    show.line(12, 25, 55, 0, "Titeldia");
    show.line(13, 30, 0, 100, "Pause am Anfang");
    show.line(14, 25, 40, 33, "Kurzer Timer");
    show.line(15, 25, 54, 160,
              "Autoreverse mit Ab-/Aufblenden und einer sehr langen Beschreibung, die auf dem Papier "
              "in mehrere Zeilen umbrochen wird");
    show.line(16, 10, 100, 270, "Zwei Dias \xfc" "berblenden");
    show.line(0, 25, 0, 0);
    const ShowPrintout printout(*show.doc, {}, {210, 297, 1200});

    // A4 at 100 dots per inch.
    QImage image(827, 1169, QImage::Format_RGB32);
    image.setDotsPerMeterX(3937);
    image.setDotsPerMeterY(3937);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    useTwips(painter, image);
    paintPage(painter, printout, 0);
    painter.end();

    int dark = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 1000);
    // Nothing drawn beyond the right edge of the table (page width + 1000 twips).
    for (int y = 0; y < image.height(); ++y)
        for (int x = (10502 + 1000 + 40) * 100 / 1440; x < image.width(); ++x)
            ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;

    QDir().mkpath(QStringLiteral(VISTREL_SCREENSHOT_DIR));
    EXPECT_TRUE(image.save(QStringLiteral(VISTREL_SCREENSHOT_DIR "/printed-page.png")));
}

}  // namespace
}  // namespace vistrel::print
