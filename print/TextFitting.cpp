#include "print/TextFitting.h"

namespace vistrel::print {

namespace {
const QString kEllipsis = QStringLiteral("...");
// Text widths are sums of glyph advances; a line that fits exactly must not be broken
// by a rounding error in the last digit.
constexpr double Slack = 1e-6;

QString withoutTrailingBlanks(QString line) {
    qsizetype end = line.size();
    while (end > 0 && line.at(end - 1) == QLatin1Char(' ')) --end;
    line.truncate(end);
    return line;
}
}  // namespace

QString shortenText(const QString& text, double width, double offset, const Measure& measure) {
    if (text.isEmpty() || measure(text) + offset <= width + Slack) return text;
    const double ellipsis = measure(kEllipsis);
    QString kept = text;
    do {
        kept.chop(1);
    } while (kept.size() > 1 && measure(kept) + ellipsis + offset > width + Slack);
    return kept + kEllipsis;
}

QStringList wrapText(const QString& text, double width, const Measure& measure) {
    QStringList lines;
    const qsizetype n = text.size();
    const QChar blank(QLatin1Char(' '));
    qsizetype lineStart = 0;
    qsizetype lineEnd = 0;  // end of the last whole word that fits on the current line
    qsizetype i = 0;
    auto fits = [&](qsizetype from, qsizetype to) { return measure(text.mid(from, to - from)) <= width + Slack; };
    while (i < n) {
        if (text.at(i) == blank) {
            ++i;
            continue;
        }
        qsizetype wordEnd = i;
        while (wordEnd < n && text.at(wordEnd) != blank) ++wordEnd;
        if (fits(lineStart, wordEnd)) {
            lineEnd = wordEnd;
            i = wordEnd;
            continue;
        }
        if (lineEnd > lineStart) {
            // The word goes to the next line; the blanks before it vanish at the break.
            lines.append(withoutTrailingBlanks(text.mid(lineStart, lineEnd - lineStart)));
            lineStart = lineEnd = i;
            continue;
        }
        // A word too wide for a line of its own: as many characters as fit, at least one.
        qsizetype cut = i + 1;
        while (cut < wordEnd && fits(lineStart, cut + 1)) ++cut;
        lines.append(text.mid(lineStart, cut - lineStart));
        lineStart = lineEnd = i = cut;
    }
    if (lineStart < n || lines.isEmpty()) {
        if (n > 0) lines.append(withoutTrailingBlanks(text.mid(lineStart)));
    }
    return lines;
}

}  // namespace vistrel::print
