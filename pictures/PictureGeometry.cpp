#include "pictures/PictureGeometry.h"

#include <algorithm>
#include <cstdint>

namespace vistrel::pictures {

QSize fittedSize(QSize picture, QSize area) {
    if (picture.isEmpty() || area.isEmpty()) return {};
    // Compared crosswise in 64 bits: a 20,000-pixel side times a screen side does not
    // fit an int's product comfortably, and no rounding decides which side limits.
    const std::int64_t pw = picture.width(), ph = picture.height();
    const std::int64_t aw = area.width(), ah = area.height();
    if (pw * ah >= ph * aw) {
        // Width-bound: the full width, the height in proportion (rounded).
        const auto height = static_cast<int>((ph * aw + pw / 2) / pw);
        return {static_cast<int>(aw), std::max(1, height)};
    }
    const auto width = static_cast<int>((pw * ah + ph / 2) / ph);
    return {std::max(1, width), static_cast<int>(ah)};
}

QRect fittedRect(QSize picture, QRect area) {
    const QSize size = fittedSize(picture, area.size());
    if (size.isEmpty()) return {};
    return {area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2,
            size.width(), size.height()};
}

}  // namespace vistrel::pictures
