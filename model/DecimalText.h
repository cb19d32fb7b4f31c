#pragma once
// Number conversions as show files, cell texts and the clipboard use them, written
// out here rather than taken from the C library: the C functions follow the process
// locale (a German locale would turn "2.5" into "2,5"), and their overflow is
// undefined. Every result here is defined for every input.
#include <string>
#include <string_view>

namespace vistrel {

// The integer a decimal text starts with: leading blanks (space, tab, CR, LF, VT, FF)
// skipped, an optional sign, then digits up to the first other character. No digits
// give 0; a value beyond the int range gives INT_MAX or INT_MIN.
int decimalValue(std::string_view text);

// The same for a decimal fraction: blanks, optional sign, digits with an optional
// point and fraction, an optional exponent. Nothing else ("inf", hex) is read.
double decimalFraction(std::string_view text);

// True when `text` is a number as a user types one into a field, and nothing else:
// digits, with one decimal point or comma where `fraction` allows it, a leading + or -
// where `sign` allows it, blanks around it. "", "abc", "7x" and "1e3" are no numbers.
bool isPlainNumber(std::string_view text, bool fraction, bool sign);

// Seconds to tenths, truncated toward zero and kept inside the int range.
int truncatedTenths(double seconds);

// "%0<width>d": zero-padded to at least `width` characters, never cut.
std::string zeroPadded(int value, int width);

// "%5.1f" of tenths / 10: the seconds with one decimal, right-aligned in five places.
std::string secondsText(int tenths);

}  // namespace vistrel
