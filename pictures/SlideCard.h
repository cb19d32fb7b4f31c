#pragma once
// The card that stands in for a slide without a picture: the slide number large in
// the middle, the line's description below it, light on a dark ground, so that a
// show can be rehearsed before its pictures exist.
#include <QImage>
#include <QSize>
#include <QString>

namespace vistrel::pictures {

// A card filling `size` (the whole area: a card has no shape of its own to keep).
QImage drawSlideCard(int slide, const QString& description, QSize size);

}  // namespace vistrel::pictures
