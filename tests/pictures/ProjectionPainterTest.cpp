// What the painter puts on the screen for a projection: the light of the two pictures
// added at their brightness on black, each picture fitted and centred, the marker of a
// slave trigger, and nothing for slide 0. Pixels against literal values.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "pictures/ProjectionPainter.h"

namespace vistrel::pictures {
namespace {

QImage flat(QColor colour, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Within about 1 %: the painter's opacities are whole steps of 1/256.
::testing::AssertionResult near(QColor actual, int r, int g, int b) {
    if (std::abs(actual.red() - r) <= 3 && std::abs(actual.green() - g) <= 3 && std::abs(actual.blue() - b) <= 3)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << actual.red() << ", " << actual.green() << ", " << actual.blue()
                                         << "), expected (" << r << ", " << g << ", " << b << ")";
}

TEST(ProjectionPainter, AddsTheLightOfBothPicturesAtTheirBrightness) {
    const QSize size(64, 48);
    const struct {
        const char* what;
        QColor before;
        double beforeLight;
        QColor after;
        double afterLight;
        int r, g, b;
    } cases[] = {
        {"the picture before alone", Qt::red, 1.0, Qt::green, 0.0, 255, 0, 0},
        {"half way through a dissolve", Qt::red, 0.5, Qt::green, 0.5, 128, 128, 0},
        {"a quarter of the way", Qt::red, 0.75, Qt::blue, 0.25, 191, 0, 64},
        {"both out: the dark middle of a fade out and in", Qt::red, 0.0, Qt::green, 0.0, 0, 0, 0},
        {"grey on grey adds up", QColor(100, 100, 100), 0.5, QColor(100, 100, 100), 0.5, 100, 100, 100},
        {"two parts of white make full white", Qt::white, 0.6, Qt::white, 0.4, 255, 255, 255},
        {"a dim picture alone", QColor(200, 100, 50), 0.0, QColor(200, 100, 50), 0.5, 100, 50, 25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Projection projection;
        projection.before = {1, 0, c.beforeLight};
        projection.after = {2, 1, c.afterLight};
        QImage frame;
        ProjectionPainter().render(frame, size, projection, [&](const ProjectionLayer& layer) {
            return flat(layer.slide == 1 ? c.before : c.after, size);
        });
        EXPECT_TRUE(near(frame.pixelColor(32, 24), c.r, c.g, c.b));
    }
}

TEST(ProjectionPainter, FitsEachPictureKeepingItsShapeOnBlack) {
    Projection projection;
    projection.after = {5, 0, 1.0};
    QImage frame;
    // 3:2 in a square: bars above and below; made for another size, it is scaled to fit.
    for (QSize made : {QSize(300, 200), QSize(60, 40)}) {
        ProjectionPainter().render(frame, {300, 300}, projection,
                                  [&](const ProjectionLayer&) { return flat(Qt::yellow, made); });
        EXPECT_TRUE(near(frame.pixelColor(150, 150), 255, 255, 0));
        EXPECT_TRUE(near(frame.pixelColor(150, 40), 0, 0, 0)) << "above the picture";
        EXPECT_TRUE(near(frame.pixelColor(150, 260), 0, 0, 0)) << "below it";
        EXPECT_TRUE(near(frame.pixelColor(150, 52), 255, 255, 0)) << "its top edge at 50";
    }
}

TEST(ProjectionPainter, DrawsNothingForSlideZeroOrAPictureNotReady) {
    const QSize size(40, 30);
    int asked = 0;
    auto count = [&](const ProjectionLayer& layer) {
        ++asked;
        return layer.slide == 3 ? QImage() : flat(Qt::white, size);
    };
    Projection projection;
    projection.before = {0, 0, 1.0};  // slide 0: dark, never asked for
    projection.after = {3, 1, 1.0};   // its picture not made yet
    QImage frame;
    ProjectionPainter().render(frame, size, projection, count);
    EXPECT_TRUE(near(frame.pixelColor(20, 15), 0, 0, 0));
    EXPECT_EQ(asked, 1);
}

TEST(ProjectionPainter, TheSlaveMarkerShowsInTheCornerOnlyWhileTheProjectionSaysSo) {
    const QSize size(480, 270);
    const QRect marker = ProjectionPainter::markerRect(size);
    EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(marker));
    EXPECT_GT(marker.center().x(), size.width() * 3 / 4);
    EXPECT_LT(marker.center().y(), size.height() / 4);
    for (bool shown : {true, false}) {
        SCOPED_TRACE(shown);
        Projection projection;
        projection.after = {1, 0, 1.0};
        projection.slaveMarker = shown;
        QImage frame;
        ProjectionPainter().render(frame, size, projection, [&](const ProjectionLayer&) { return flat(Qt::blue, size); });
        const QColor centre = frame.pixelColor(marker.center());
        if (shown) {
            EXPECT_TRUE(near(centre, 232, 165, 49));
        } else {
            EXPECT_TRUE(near(centre, 0, 0, 255));
        }
    }
}

}  // namespace
}  // namespace vistrel::pictures
