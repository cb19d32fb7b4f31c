#include "print/PrintPictures.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "pictures/PictureDecoder.h"
#include "pictures/PictureGeometry.h"
#include "print/PageLayout.h"

namespace vistrel::print {

namespace {
// About 300 dots per inch on a picture one and a half inches wide: sharp on paper,
// small in a PDF.
constexpr int MaxPicturePixels = 480;
}  // namespace

bool PrintPictures::draw(QPainter& painter, int slide, const QRectF& box) const {
    const auto path = folder_.pictureOf(slide);
    if (!path || box.isEmpty()) return false;
    const int dpi = painter.device() ? painter.device()->logicalDpiX() : 300;
    auto pixels = [dpi](double twips) {
        return std::clamp(static_cast<int>(std::lround(twips * dpi / TwipsPerInch)), 1, MaxPicturePixels);
    };
    const QSize area(pixels(box.width()), pixels(box.height()));
    const pictures::DecodedPicture decoded = pictures::decodePicture(QString::fromStdString(path->string()), area);
    if (!decoded.readable()) return false;
    // Fitted in twips: the picture keeps its shape whatever the resolution it was decoded at.
    const QSizeF fitted = QSizeF(pictures::fittedSize(decoded.image.size(), box.size().toSize()));
    const QRectF target(box.x() + (box.width() - fitted.width()) / 2, box.y() + (box.height() - fitted.height()) / 2,
                        fitted.width(), fitted.height());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, decoded.image);
    painter.restore();
    return true;
}

}  // namespace vistrel::print
