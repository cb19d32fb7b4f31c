#include "pictures/ProjectionPainter.h"

#include <QPainter>
#include <algorithm>

#include "pictures/PictureGeometry.h"

namespace vistrel::pictures {

namespace {

void addLayer(QPainter& painter, const QRect& area, const ProjectionLayer& layer,
              const ProjectionPainter::PictureOf& pictureOf) {
    if (layer.slide == 0 || layer.brightness <= 0.0) return;
    const QImage picture = pictureOf(layer);
    if (picture.isNull()) return;
    painter.setOpacity(std::min(layer.brightness, 1.0));
    const QRect place = fittedRect(picture.size(), area);
    if (place.size() == picture.size()) {
        painter.drawImage(place.topLeft(), picture);
    } else {
        // Made for another size (the window was just resized): scaled for now.
        painter.drawImage(place, picture);
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
    frame.fill(Qt::black);
    if (size.isEmpty()) return;
    QPainter painter(&frame);
    const QRect area(QPoint(0, 0), size);
    painter.setCompositionMode(QPainter::CompositionMode_Plus);
    addLayer(painter, area, projection.before, pictureOf);
    addLayer(painter, area, projection.after, pictureOf);
    if (projection.slaveMarker) {
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setOpacity(1.0);
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
