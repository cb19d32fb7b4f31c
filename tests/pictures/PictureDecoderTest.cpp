// Pictures fitted into the area they are shown in: the size and place they get, and
// what the decoder makes of photos turned by their camera, of pictures far smaller or
// far larger than the screen, and of files that are no pictures at all.
#include <sys/stat.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include "pictures/PictureDecoder.h"
#include "pictures/PictureGeometry.h"

namespace vistrel::pictures {
namespace {

TEST(PictureGeometry, FitsKeepingTheShapeAndCentres) {
    const struct {
        QSize picture;
        QRect area;
        QRect expected;
    } cases[] = {
        {{6000, 4000}, {0, 0, 1920, 1080}, {150, 0, 1620, 1080}},   // 3:2 in 16:9: bars left and right
        {{4000, 6000}, {0, 0, 1920, 1080}, {600, 0, 720, 1080}},    // upright photo
        {{1920, 1080}, {0, 0, 1920, 1080}, {0, 0, 1920, 1080}},     // exactly the screen
        {{3840, 1080}, {0, 0, 1920, 1080}, {0, 270, 1920, 540}},    // panorama: bars above and below
        {{1, 1}, {0, 0, 1920, 1080}, {420, 0, 1080, 1080}},         // one pixel grows to a square
        {{20000, 1}, {0, 0, 1920, 1080}, {0, 539, 1920, 1}},        // never thinner than a pixel
        {{1, 20000}, {0, 0, 1920, 1080}, {959, 0, 1, 1080}},
        {{640, 480}, {100, 50, 400, 400}, {100, 100, 400, 300}},    // an area that does not start at 0
        {{0, 480}, {0, 0, 400, 400}, {}},                           // nothing to fit
        {{640, 480}, {0, 0, 0, 400}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width() << "x" << c.picture.height() << " in "
                                        << c.area.width() << "x" << c.area.height());
        EXPECT_EQ(fittedRect(c.picture, c.area), c.expected);
    }
}

// A picture whose left half is red and right half blue.
QImage halves(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, size.width() / 2, size.height(), Qt::red);
    painter.fillRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height(), Qt::blue);
    return image;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format, 95));
    return bytes;
}

// A JPEG as a camera writes it when it was held upright: the EXIF orientation 6
// ("turn clockwise to view"), in an APP1 segment right after the start marker.
QByteArray withOrientation(const QByteArray& jpeg, quint16 orientation) {
    QByteArray exif;
    exif.append("\xFF\xE1", 2);
    exif.append("\x00\x22", 2);  // segment length: 34 bytes from here
    exif.append("Exif\0\0", 6);
    exif.append("MM\x00\x2A\x00\x00\x00\x08", 8);       // big-endian TIFF header, IFD at 8
    exif.append("\x00\x01", 2);                          // one entry
    exif.append("\x01\x12\x00\x03\x00\x00\x00\x01", 8);  // Orientation, SHORT, count 1
    quint16 value = qToBigEndian(orientation);
    exif.append(reinterpret_cast<const char*>(&value), 2);
    exif.append("\x00\x00", 2);
    exif.append("\x00\x00\x00\x00", 4);  // no further IFD
    return jpeg.left(2) + exif + jpeg.mid(2);
}

class PictureDecoding : public ::testing::Test {
protected:
    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = folder.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }
    static QRgb at(const QImage& image, double x, double y) {
        return image.pixel(static_cast<int>(x * (image.width() - 1)), static_cast<int>(y * (image.height() - 1)));
    }
    QTemporaryDir folder;
};

bool reddish(QRgb c) { return qRed(c) > 200 && qBlue(c) < 60; }
bool bluish(QRgb c) { return qBlue(c) > 200 && qRed(c) < 60; }

TEST_F(PictureDecoding, ComesOutAtTheFittedSizeTurnedUpright) {
    const QByteArray jpeg = encoded(halves({600, 400}), "JPEG");
    QImage wide(20000, 3, QImage::Format_RGB32);
    wide.fill(Qt::green);
    // Where the red half of the picture ends up: turned clockwise, the left half is on top.
    enum Red { RedLeft, RedOnTop, NotChecked };
    const struct {
        const char* what;
        QByteArray bytes;
        QSize area;
        QSize expected;
        Red red;
    } cases[] = {
        {"smaller than stored", jpeg, {300, 300}, {300, 200}, RedLeft},
        {"larger than stored", jpeg, {1200, 1200}, {1200, 800}, RedLeft},
        {"held upright by the camera", withOrientation(jpeg, 6), {300, 300}, {200, 300}, RedOnTop},
        {"upright and enlarged", withOrientation(jpeg, 6), {1200, 1200}, {800, 1200}, RedOnTop},
        {"PNG, scaled after decoding", encoded(halves({600, 400}), "PNG"), {150, 150}, {150, 100}, RedLeft},
        {"one pixel", encoded(QImage(1, 1, QImage::Format_RGB32), "PNG"), {640, 360}, {360, 360}, NotChecked},
        {"20,000 pixels wide", encoded(wide, "PNG"), {1920, 1080}, {1920, 1}, NotChecked},
    };
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedPicture decoded = decodePicture(file(QString("p%1.img").arg(index++), c.bytes), c.area);
        ASSERT_TRUE(decoded.readable());
        EXPECT_EQ(decoded.image.size(), c.expected);
        EXPECT_TRUE(decoded.image.format() == QImage::Format_RGB32 ||
                    decoded.image.format() == QImage::Format_ARGB32_Premultiplied);
        if (c.red == RedOnTop) {
            EXPECT_TRUE(reddish(at(decoded.image, 0.5, 0.1)));
            EXPECT_TRUE(bluish(at(decoded.image, 0.5, 0.9)));
        } else if (c.red == RedLeft) {
            EXPECT_TRUE(reddish(at(decoded.image, 0.1, 0.5)));
            EXPECT_TRUE(bluish(at(decoded.image, 0.9, 0.5)));
        }
    }
}

quint32 crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A well-formed PNG start announcing a picture of `width` x `height`, its data cut off:
// only the reader's own limit can stop it from reserving the memory for it.
QByteArray pngHeaderOnly(quint32 width, quint32 height) {
    QByteArray png = encoded(QImage(4, 4, QImage::Format_RGB32), "PNG");
    quint32 w = qToBigEndian(width), h = qToBigEndian(height);
    png.replace(16, 4, reinterpret_cast<const char*>(&w), 4);
    png.replace(20, 4, reinterpret_cast<const char*>(&h), 4);
    quint32 crc = qToBigEndian(crc32(png.mid(12, 17)));
    png.replace(29, 4, reinterpret_cast<const char*>(&crc), 4);
    return png.left(33) + png.mid(33, 20);  // signature, IHDR and the start of the data
}

TEST_F(PictureDecoding, WhatIsNoReadablePictureGivesNothingAndNeverCrashes) {
    const QByteArray jpeg = encoded(halves({600, 400}), "JPEG");
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"text named like a picture", QByteArray("Dies ist kein Bild.\n")},
        {"empty file", QByteArray()},
        {"only the start of a JPEG", jpeg.left(4)},
        {"a 20,000 x 20,000 PNG that is only its header", pngHeaderOnly(20000, 20000)},
        {"a PNG claiming 2^30 pixels a side", pngHeaderOnly(1u << 30, 1u << 30)},
    };
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(decodePicture(file(QString("bad%1.jpg").arg(index++), c.bytes), {1920, 1080}).readable());
    }
    EXPECT_FALSE(decodePicture(folder.filePath("missing.jpg"), {1920, 1080}).readable());
    EXPECT_FALSE(decodePicture(file("empty-area.jpg", jpeg), {0, 0}).readable());
    // Not waited for nor read without end: a pipe would block the reader, /dev/zero never ends.
    const QString pipe = folder.filePath("pipe.jpg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString zero = folder.filePath("zero.png");
    ASSERT_TRUE(QFile::link("/dev/zero", zero));
    const QString loop = folder.filePath("loop.png");
    ASSERT_TRUE(QFile::link(loop, loop));
    for (const QString& path : {pipe, zero, loop, QString("/dev/zero")})
        EXPECT_FALSE(decodePicture(path, {1920, 1080}).readable()) << path.toStdString();
}

}  // namespace
}  // namespace vistrel::pictures
