#pragma once
// Draws what the projector shows at a moment (a Projection) at any size: black, then
// each of the two pictures added with its brightness, as two lamps on one screen add
// their light, then the slave trigger's marker. The pictures come from the caller,
// fitted to the area already or not: the rehearsal window hands over what its store
// has ready, the video export waits for each. No timing here: the projection says
// how bright each picture is.
#include <QImage>
#include <QRect>
#include <functional>

#include "model/Projection.h"

class QPainter;

namespace vistrel::pictures {

class ProjectionPainter {
public:
    // The picture of a layer (slide and line), fitted into the area; a null image
    // draws nothing (not ready yet, or nothing to show).
    using PictureOf = std::function<QImage(const ProjectionLayer& layer)>;

    // Draws into `frame` (its whole area), which is made ARGB32_Premultiplied of
    // `size` if it is not.
    void render(QImage& frame, QSize size, const Projection& projection, const PictureOf& pictureOf);

    // Draws into `area` of any painter, by way of a frame kept for the next call.
    void paint(QPainter& painter, const QRect& area, const Projection& projection, const PictureOf& pictureOf);

    // The marker's place in a frame of `size`: a small dot in the top right corner.
    static QRect markerRect(QSize size);

private:
    QImage frame_;
    QImage second_;  // the second lit picture at its brightness, before it is added
};

}  // namespace vistrel::pictures
