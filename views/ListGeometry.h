#pragma once
// The geometry and text fitting of a program-list row, kept out of the widget so it
// can be checked on its own: where the highlight and the end-of-show bar go, how an
// over-long cell text is shortened with "...", and which timers are coloured.
#include <QColor>
#include <QRect>
#include <QString>
#include <functional>
#include <optional>

class QFontMetrics;

namespace vistrel::listgeometry {

// Insets and room kept free around cell texts (pixels).
constexpr int FirstColumnInset = 20;
constexpr int FirstColumnOffset = 40;
constexpr int CellInset = 6;
constexpr int CellOffset = 12;

// Width of a text in the list's font.
using Measure = std::function<int(const QString&)>;

// `text` unchanged when it fits into `width` with `offset` to spare; otherwise cut from
// its end (at least one character, at most down to one) until it fits with "..." added.
QString shortenText(const QString& text, int width, int offset, const Measure& measure);
QString shortenText(const QString& text, int width, int offset, const QFontMetrics& metrics);

// The highlighted band of a row: from the first column's left edge to the end of the
// row, widened to the client edge so the highlight does not stop where the columns do.
QRect highlightRect(const QRect& rowBounds, int firstColumnLeft, bool clientWidthSelect, int clientWidth);

// A cell's text box: the cell with `inset` pixels taken off both sides.
QRect insetCell(const QRect& cell, int inset);

// The grey bar of the end-of-show row: 6 px inside the first column's left edge to
// 6 px before the last column's right edge, the full row height.
QRect endOfShowBar(int firstColumnLeft, int lastColumnRight, int top, int height);

// The colour of a timer cell, when it has one of its own: blue for 0 (the show waits
// there), red below the lamp's limit (5.5 s with 500-watt times, else 4.0 s).
std::optional<QColor> timerColour(int timerTenths, bool use500WattTimes);

// How well two colours stand apart: 1 (the same) to 21 (black on white), from their
// relative luminance as screen readability guides measure it.
double contrastRatio(const QColor& a, const QColor& b);
// Text of colour `text` can be read on `background` (at least 3:1).
bool readableOn(const QColor& text, const QColor& background);

// The fill of the end-of-show bar: the desktop's menu colour, or silver grey where
// that colour is too close to the list's background for the bar to be seen (a white
// menu colour on a white list).
QColor endOfShowFill(const QColor& menu, const QColor& listBackground);
// The text on that bar: the list's text colour where it reads there, else black or white.
QColor textOnFill(const QColor& fill, const QColor& listText);

}  // namespace vistrel::listgeometry
