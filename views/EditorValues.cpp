#include "views/EditorValues.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "model/Cp1252.h"
#include "res/strings/EditorStrings.h"
#include "res/strings/ModelStrings.h"
#include "views/SliderMapping.h"

namespace vistrel {

namespace {

// The part of `text` after leading white space, as Latin-1 bytes (numbers are ASCII).
std::string numberBytes(const QString& text) {
    int start = 0;
    while (start < text.size() && text.at(start).isSpace()) ++start;
    return text.mid(start).toLatin1().toStdString();
}

}  // namespace

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
    CheckedLine checked;

    checked.slideNumber = readInteger(fields.slideNumber);
    if (checked.slideNumber < 0 || checked.slideNumber > 999) return ids::InvalidSlideNumber;

    const double dissolveTenths = std::trunc(slider::normalisedDissolve(readDecimal(fields.dissolve)) * 10.0);
    if (dissolveTenths < 0.0 || dissolveTenths > 255.0) return ids::InvalidDissolveTime;
    checked.dissolveTime = static_cast<int>(dissolveTenths);

    const double timerTenths = std::trunc(readDecimal(fields.timer) * 10.0);
    if (timerTenths < 0.0 || timerTenths > 6000.0) return ids::InvalidTimerTime;
    checked.timerTime = static_cast<int>(timerTenths);

    const int parameter = readInteger(fields.parameter);
    if (parameter < 0 || parameter > 9) return ids::InvalidSpecialFunction;

    // A line without a slide is the end of the show and carries no special function.
    checked.specialFunction = checked.slideNumber == 0 ? 0 : readInteger(fields.code);

    const QByteArray utf8 = fields.description.toUtf8();
    checked.description = fields.description == QStringLiteral(" ")
                              ? std::string()
                              : utf8ToCp1252(std::string_view(utf8.constData(), std::size_t(utf8.size())));

    line = checked;
    return 0;
}

}  // namespace vistrel
