#pragma once
// Fitting a text into a width, as the list and the printed page do it: shortening an
// over-long text with "...", and breaking a text into lines between its words.
#include <QString>
#include <QStringList>
#include <functional>

namespace vistrel::print {

// The width of a text in the font it will be drawn in.
using Measure = std::function<double(const QString&)>;

// `text` unchanged when it fits into `width` with `offset` to spare; otherwise cut from
// its end (at least one character, at most down to one) until it fits with "..." added.
QString shortenText(const QString& text, double width, double offset, const Measure& measure);

// The lines of `text` broken into `width`: as many words on a line as fit, the blanks
// at a break dropped, blanks before the first word kept. A word wider than a whole
// line is broken between its characters (at least one on each line). An empty text
// has no lines; any other text at least one.
QStringList wrapText(const QString& text, double width, const Measure& measure);

}  // namespace vistrel::print
