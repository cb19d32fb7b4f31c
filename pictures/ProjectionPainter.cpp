#include "pictures/ProjectionPainter.h"

#include <QPainter>
#include <algorithm>
#include <optional>

#include "pictures/PictureGeometry.h"

namespace vistrel::pictures {

namespace {

struct LitPicture {
    QImage picture;
    double brightness;
};

// The layer's picture when it gives any light.
std::optional<LitPicture> lit(const ProjectionLayer& layer, const ProjectionPainter::PictureOf& pictureOf) {
    if (layer.slide == 0 || layer.brightness <= 0.0) return std::nullopt;
    QImage picture = pictureOf(layer);
    if (picture.isNull()) return std::nullopt;
    return LitPicture{std::move(picture), std::min(layer.brightness, 1.0)};
}

// `image` filled with black, then the picture at its brightness: on black, drawing at
// an opacity is exactly the picture's light times that brightness.
void drawOnBlack(QImage& image, const QRect& area, const LitPicture& layer) {
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setOpacity(layer.brightness);
    const QRect place = fittedRect(layer.picture.size(), area);
    if (place.size() == layer.picture.size()) {
        painter.drawImage(place.topLeft(), layer.picture);
    } else {
        // Made for another size (the window was just resized): scaled for now.
        painter.drawImage(place, layer.picture);
    }
}

}  // namespace

QRect ProjectionPainter::markerRect(QSize size) {
    const int diameter = std::max(6, std::min(size.width(), size.height()) / 24);
    const int margin = diameter / 2;
    return {size.width() - margin - diameter, margin, diameter, diameter};
}

void ProjectionPainter::render(QImage& frame, QSize size, const Projection& projection, const PictureOf& pictureOf) {
    if (frame.size() != size || frame.format() != QImage::Format_ARGB32_Premultiplied) {
        frame = QImage(size, QImage::Format_ARGB32_Premultiplied);
    }
    const QRect area(QPoint(0, 0), size);
    const std::optional<LitPicture> before = lit(projection.before, pictureOf);
    const std::optional<LitPicture> after = lit(projection.after, pictureOf);
    const std::optional<LitPicture>& first = before ? before : after;
    if (first) {
        drawOnBlack(frame, area, *first);
    } else {
        frame.fill(Qt::black);
    }
    if (before && after) {
        // Two lamps: their light adds up. Qt's additive mode at an opacity blends
        // towards the sum rather than adding a part of the picture, so the second
        // picture is first brought to its brightness on black, then added whole.
        if (second_.size() != size || second_.format() != QImage::Format_ARGB32_Premultiplied) {
            second_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
        }
        drawOnBlack(second_, area, *after);
        QPainter painter(&frame);
        painter.setCompositionMode(QPainter::CompositionMode_Plus);
        painter.drawImage(0, 0, second_);
    }
    if (projection.slaveMarker && !size.isEmpty()) {
        QPainter painter(&frame);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(43, 58, 74), std::max(1, size.height() / 400)));
        painter.setBrush(QColor(232, 165, 49));
        painter.drawEllipse(markerRect(size));
    }
}

void ProjectionPainter::paint(QPainter& painter, const QRect& area, const Projection& projection,
                              const PictureOf& pictureOf) {
    render(frame_, area.size(), projection, pictureOf);
    painter.drawImage(area.topLeft(), frame_);
}

}  // namespace vistrel::pictures
