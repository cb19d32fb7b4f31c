#pragma once
// The picture at the top right of every printed page: a slide in its mount, drawn
// for Vistrel. It is a vector picture, so it prints sharp on any printer; it is drawn
// at its own size taken as twips.
#include <QPointF>
#include <QSizeF>

class QPainter;

namespace vistrel::print {

// Its own size (800 x 800, about 14 mm square on paper).
QSizeF pagePictureSize();

// Draws it with its top-left corner at `topLeft` (painter coordinates in twips).
void drawPagePicture(QPainter& painter, const QPointF& topLeft);

}  // namespace vistrel::print
