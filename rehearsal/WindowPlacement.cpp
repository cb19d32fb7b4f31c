#include "rehearsal/WindowPlacement.h"

#include <algorithm>

namespace vistrel {

QRect centredIn(const QRect& available, const QSize& size) {
    if (available.isEmpty()) return QRect(QPoint(0, 0), size);
    const QSize fitted(std::min(size.width(), available.width()), std::min(size.height(), available.height()));
    QRect placed(QPoint(0, 0), fitted);
    placed.moveCenter(available.center());
    // QRect's centre rounds down: keep the window inside the area on odd sizes too.
    placed.moveLeft(std::max(placed.left(), available.left()));
    placed.moveTop(std::max(placed.top(), available.top()));
    return placed;
}

}  // namespace vistrel
