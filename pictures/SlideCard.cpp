#include "pictures/SlideCard.h"

#include <QFont>
#include <QPainter>
#include <algorithm>

namespace vistrel::pictures {

QImage drawSlideCard(int slide, const QString& description, QSize size) {
    if (size.isEmpty()) return {};
    QImage card(size, QImage::Format_RGB32);
    card.fill(QColor(40, 44, 52));
    QPainter painter(&card);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(QColor(235, 235, 235));

    // The number takes a third of the height; the description a line under it.
    const int height = size.height();
    const int width = size.width();
    QFont number(QStringLiteral("Liberation Sans"));
    number.setBold(true);
    number.setPixelSize(std::max(8, height / 3));
    painter.setFont(number);
    const QRect numberBox(0, height / 6, width, height / 2);
    painter.drawText(numberBox, Qt::AlignCenter, QString::number(slide));

    if (!description.isEmpty()) {
        QFont text(QStringLiteral("Liberation Sans"));
        text.setPixelSize(std::max(6, height / 18));
        painter.setFont(text);
        const int margin = width / 12;
        const QRect textBox(margin, numberBox.bottom() + height / 24, width - 2 * margin, height / 4);
        painter.drawText(textBox, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, description);
    }
    return card;
}

}  // namespace vistrel::pictures
