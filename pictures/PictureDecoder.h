#pragma once
// Reads one picture file at the size it will be shown: fitted into an area, its shape
// kept, turned as its camera's orientation tag says. Formats that can decode at a
// reduced size (JPEG) are asked to, so that a 24-megapixel photo costs no more than
// a screenful; the reader's allocation limit refuses pictures too large to decode
// at all, which then count as unreadable rather than filling the memory.
#include <QImage>
#include <QSize>
#include <QString>

namespace vistrel::pictures {

struct DecodedPicture {
    QImage image;  // fitted into the area; null when the file could not be read
    bool readable() const { return !image.isNull(); }
};

// `area` is where the picture will be shown; the image fits it exactly on one side.
DecodedPicture decodePicture(const QString& path, QSize area);

}  // namespace vistrel::pictures
