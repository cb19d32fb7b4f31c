#include "demo/DemoPictures.h"

#include <QColor>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace vistrel::demo {

QImage drawDemoPicture(int slide, const QString& description, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();

    // Each slide its own hue, far enough from the one before that a dissolve shows.
    const int hue = (slide * 67) % 360;
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor::fromHsv(hue, 160, 120));
    sky.setColorAt(0.7, QColor::fromHsv((hue + 30) % 360, 90, 250));
    painter.fillRect(image.rect(), sky);

    // The sun wanders from left to right across the show.
    const double sunX = w * (0.15 + 0.7 * ((slide * 37) % 100) / 100.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromHsv((hue + 50) % 360, 60, 255));
    painter.drawEllipse(QPointF(sunX, h * 0.3), h * 0.09, h * 0.09);

    for (int layer = 0; layer < 2; ++layer) {
        QPainterPath hills;
        const double base = h * (0.68 + 0.1 * layer);
        hills.moveTo(0, h);
        hills.lineTo(0, base);
        hills.cubicTo(w * 0.3, base - h * (0.18 - 0.06 * layer), w * 0.6, base + h * 0.1, w, base - h * 0.05);
        hills.lineTo(w, h);
        hills.closeSubpath();
        painter.setBrush(QColor::fromHsv((hue + 120) % 360, 120, 90 - 35 * layer));
        painter.drawPath(hills);
    }

    QFont number;
    number.setBold(true);
    number.setPixelSize(static_cast<int>(h * 0.42));
    painter.setFont(number);
    painter.setPen(QColor(255, 255, 255, 230));
    painter.drawText(QRectF(0, h * 0.05, w, h * 0.6), Qt::AlignCenter, QString::number(slide));

    QFont caption;
    caption.setPixelSize(static_cast<int>(h * 0.045));
    painter.setFont(caption);
    const QRectF band(0, h * 0.86, w, h * 0.1);
    painter.fillRect(band, QColor(0, 0, 0, 110));
    painter.setPen(Qt::white);
    painter.drawText(band.adjusted(w * 0.03, 0, -w * 0.03, 0), Qt::AlignCenter | Qt::TextWordWrap, description);
    painter.end();
    return image;
}

}  // namespace vistrel::demo
