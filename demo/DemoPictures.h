#pragma once
// The demo show's pictures, drawn rather than taken from anywhere: a sky, a sun and
// hills in the colours of each slide, its number large and its line's description.
#include <QImage>
#include <QString>

namespace vistrel::demo {

QImage drawDemoPicture(int slide, const QString& description, QSize size);

}  // namespace vistrel::demo
