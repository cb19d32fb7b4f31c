#include "views/ListGeometry.h"

#include <QFontMetrics>

namespace vistrel::listgeometry {

namespace {
const QString kEllipsis = QStringLiteral("...");
}

QString shortenText(const QString& text, int width, int offset, const Measure& measure) {
    if (text.isEmpty() || measure(text) + offset <= width) return text;
    const int ellipsis = measure(kEllipsis);
    QString kept = text;
    do {
        kept.chop(1);
    } while (kept.size() > 1 && measure(kept) + ellipsis + offset > width);
    return kept + kEllipsis;
}

QString shortenText(const QString& text, int width, int offset, const QFontMetrics& metrics) {
    return shortenText(text, width, offset, [&metrics](const QString& t) { return metrics.horizontalAdvance(t); });
}

QRect highlightRect(const QRect& rowBounds, int firstColumnLeft, bool clientWidthSelect, int clientWidth) {
    QRect band = rowBounds;
    band.setLeft(firstColumnLeft);
    // QRect's right() is inclusive; the client width is the first pixel outside.
    if (clientWidthSelect && band.right() + 1 < clientWidth) band.setRight(clientWidth - 1);
    return band;
}

QRect insetCell(const QRect& cell, int inset) { return cell.adjusted(inset, 0, -inset, 0); }

QRect endOfShowBar(int firstColumnLeft, int lastColumnRight, int top, int height) {
    return QRect(QPoint(firstColumnLeft + CellInset, top), QPoint(lastColumnRight - CellInset, top + height - 1));
}

std::optional<QColor> timerColour(int timerTenths, bool use500WattTimes) {
    const int limit = use500WattTimes ? 55 : 40;
    if (timerTenths >= limit) return std::nullopt;
    return timerTenths == 0 ? QColor(0, 0, 255) : QColor(255, 0, 0);
}

}  // namespace vistrel::listgeometry
