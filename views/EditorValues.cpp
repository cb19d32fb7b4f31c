#include "views/EditorValues.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "model/Cp1252.h"
#include "res/TableText.h"
#include "res/strings/EditorStrings.h"

namespace vistrel {

namespace {

// The part of `text` after leading white space, as Latin-1 bytes (numbers are ASCII).
std::string numberBytes(const QString& text) {
    int start = 0;
    while (start < text.size() && text.at(start).isSpace()) ++start;
    return text.mid(start).toLatin1().toStdString();
}

}  // namespace

QString oneLineDescription(const QString& typed) {
    constexpr int DescriptionLimit = 179;
    QString kept = typed;
    kept.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    kept.truncate(DescriptionLimit);
    return kept;
}

QString totalTimeText(int playingTime, bool waits) {
    const int t = playingTime / 10;
    const QString suffix = waits ? QStringLiteral(" + ") + tableText(ids::PauseSuffix) : QString();
    return QString::asprintf("%02d:%02d:%02d %s", t / 3600, (t % 3600) / 60, t % 60, suffix.toUtf8().constData());
}

int readInteger(const QString& text) {
    const std::string bytes = numberBytes(text);
    std::size_t at = 0;
    bool negative = false;
    if (at < bytes.size() && (bytes[at] == '+' || bytes[at] == '-')) negative = bytes[at++] == '-';
    long long value = 0;
    for (; at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9'; ++at) {
        value = value * 10 + (bytes[at] - '0');
        if (value > INT_MAX) value = static_cast<long long>(INT_MAX) + 1;  // held, keeps the sign's end reachable
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

double readDecimal(const QString& text) {
    std::string bytes = numberBytes(text);
    // from_chars takes no '+' and is independent of the user's locale (a German
    // locale would otherwise read "2.5" as 2).
    bool negative = false;
    std::size_t start = 0;
    if (!bytes.empty() && (bytes[0] == '+' || bytes[0] == '-')) {
        negative = bytes[0] == '-';
        start = 1;
    }
    double value = 0.0;
    const char* first = bytes.data() + start;
    const char* last = bytes.data() + bytes.size();
    if (first == last || *first == '-' || *first == '+') return 0.0;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec != std::errc()) return 0.0;
    if (!std::isfinite(value)) return 0.0;
    return negative ? -value : value;
}

QString formatSeconds(double seconds) { return QString::asprintf("%*.*f", 5, 1, seconds); }

int checkEditorFields(const EditorFields& fields, CheckedLine& line) {
    auto latin = [](const QString& text) { return text.toLatin1().toStdString(); };
    const QByteArray utf8 = fields.description.toUtf8();
    const LineDraftFields draft{latin(fields.slideNumber), latin(fields.dissolve),  latin(fields.timer),
                                latin(fields.parameter),   latin(fields.code),
                                utf8ToCp1252(std::string_view(utf8.constData(), std::size_t(utf8.size())))};
    return checkLineDraft(draft, line);
}

}  // namespace vistrel
