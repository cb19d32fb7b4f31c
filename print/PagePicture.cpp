#include "print/PagePicture.h"

#include <QPainter>
#include <QSvgRenderer>

// The picture travels inside the print library; a static library has to ask for its
// resources to be registered.
static void registerPrintResources() { Q_INIT_RESOURCE(print); }

namespace vistrel::print {

namespace {
QSvgRenderer& renderer() {
    static QSvgRenderer* picture = [] {
        registerPrintResources();
        return new QSvgRenderer(QStringLiteral(":/print/page-picture.svg"));
    }();
    return *picture;
}
}  // namespace

QSizeF pagePictureSize() {
    const QSvgRenderer& picture = renderer();
    return picture.isValid() ? QSizeF(picture.defaultSize()) : QSizeF();
}

void drawPagePicture(QPainter& painter, const QPointF& topLeft) {
    QSvgRenderer& picture = renderer();
    if (!picture.isValid()) return;
    picture.render(&painter, QRectF(topLeft, pagePictureSize()));
}

}  // namespace vistrel::print
