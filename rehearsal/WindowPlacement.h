#pragma once
// Where a new top-level window of the program opens when no window manager places it:
// centred on the screen of the window it belongs to, never at the screen's corner over
// the show's list. A window larger than the screen's free area is shrunk to it.
#include <QRect>
#include <QSize>

namespace vistrel {

// `size` centred in `available` (a screen's free area), at most as large as it.
QRect centredIn(const QRect& available, const QSize& size);

}  // namespace vistrel
