#include "model/DecimalText.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vistrel {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t skipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    return i;
}

}  // namespace

int decimalValue(std::string_view text) {
    std::size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate as a negative number: its range reaches INT_MIN.
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 - (text[i] - '0');
        if (value < static_cast<long long>(INT_MIN) - 1) {
            value = static_cast<long long>(INT_MIN) - 1;  // saturated; keep reading digits
        }
    }
    if (negative) return value < INT_MIN ? INT_MIN : static_cast<int>(value);
    return -value > INT_MAX ? INT_MAX : static_cast<int>(-value);
}

bool isPlainNumber(std::string_view text, bool fraction, bool sign) {
    std::size_t i = skipBlanks(text);
    std::size_t end = text.size();
    while (end > i && isBlank(text[end - 1])) --end;
    if (sign && i < end && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    bool separator = false;
    for (; i < end; ++i) {
        if (isDigit(text[i])) {
            ++digits;
        } else if (fraction && !separator && (text[i] == '.' || text[i] == ',')) {
            separator = true;
        } else {
            return false;
        }
    }
    return digits > 0;
}

double decimalFraction(std::string_view text) {
    std::size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && isDigit(text[i]); ++i) ++digits;
    }
    if (digits == 0) return 0.0;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            i = j;
        }
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + i, value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        value = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

int truncatedTenths(double seconds) {
    const double tenths = std::trunc(seconds * 10.0);
    if (!(tenths > static_cast<double>(INT_MIN))) return INT_MIN;
    if (!(tenths < static_cast<double>(INT_MAX))) return INT_MAX;
    return static_cast<int>(tenths);
}

std::string zeroPadded(int value, int width) {
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::string secondsText(int tenths) {
    char buffer[48];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, tenths / 10.0, std::chars_format::fixed, 1);
    (void)error;  // an int in tenths always fits
    std::string text(buffer, end);
    if (text.size() < 5) text.insert(0, 5 - text.size(), ' ');
    return text;
}

}  // namespace vistrel
