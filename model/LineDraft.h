#pragma once
// The line editor's rules, below its widgets: the texts of the editor's fields at
// "Übernehmen", checked in the order the user meets their messages and turned into
// the values a program line stores. A field that holds no number ("", "abc", "7x")
// is refused with that field's message, as a number out of range is; a typed 0 is a
// number like any other.
#include <string>

namespace vistrel {

// The field texts as the editor holds them. Numbers are ASCII; the description is
// Windows-1252.
struct LineDraftFields {
    std::string slideNumber;
    std::string dissolve;  // seconds, with a decimal point or comma
    std::string timer;     // seconds, with a decimal point or comma
    std::string parameter;
    std::string code;  // the three-digit code the selection lists composed
    std::string description;
};

// The values of a line as they go into the document.
struct CheckedLine {
    int slideNumber = 0;
    int dissolveTime = 0;  // tenths
    int timerTime = 0;     // tenths
    int specialFunction = 0;
    std::string description;  // Windows-1252 bytes
};

// Checks every field before anything is stored. Returns 0 and fills `line` when all
// values are acceptable, otherwise the string id of the message for the first refused
// value (in the order slide number, dissolve, timer, parameter); `line` then stays as
// it was.
int checkLineDraft(const LineDraftFields& fields, CheckedLine& line);

// A fraction below .25 rounds down, .25 to .75 becomes .5, above .75 rounds up.
double roundToHalfSecond(double seconds);
// The dissolve as it is stored: half-second steps, at least 0.1 s.
double storedDissolveSeconds(double seconds);

// A decimal field's seconds: the first comma read as the decimal point.
double fieldSeconds(const std::string& text);

}  // namespace vistrel
