#include "views/ListGeometry.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "print/TextFitting.h"

namespace vistrel::listgeometry {

QString shortenText(const QString& text, int width, int offset, const Measure& measure) {
    // The printed column headings are shortened by the same rule.
    return print::shortenText(text, width, offset, [&measure](const QString& t) { return double(measure(t)); });
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

namespace {
double relativeLuminance(const QColor& colour) {
    auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

// Below this a bar barely stands out from the rows around it.
constexpr double VisibleFillContrast = 1.3;
constexpr double ReadableTextContrast = 3.0;
}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool readableOn(const QColor& text, const QColor& background) {
    return contrastRatio(text, background) >= ReadableTextContrast;
}

QColor endOfShowFill(const QColor& menu, const QColor& listBackground) {
    if (contrastRatio(menu, listBackground) >= VisibleFillContrast) return menu;
    return QColor(192, 192, 192);
}

QColor textOnFill(const QColor& fill, const QColor& listText) {
    if (readableOn(listText, fill)) return listText;
    return contrastRatio(Qt::black, fill) >= contrastRatio(Qt::white, fill) ? QColor(Qt::black) : QColor(Qt::white);
}

}  // namespace vistrel::listgeometry
