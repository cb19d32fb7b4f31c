#include "model/LineDraft.h"

#include <cmath>

#include "model/DecimalText.h"
#include "res/strings/EditorStrings.h"
#include "res/strings/ModelStrings.h"

namespace vistrel {

namespace {

constexpr int MaxSlideNumber = 999;
constexpr double MaxDissolveTenths = 255.0;
constexpr double MaxTimerTenths = 6000.0;
constexpr int MaxParameter = 9;

}  // namespace

double roundToHalfSecond(double seconds) {
    const double whole = std::floor(seconds);
    const double fraction = seconds - whole;
    if (fraction < 0.25) return whole;
    if (fraction <= 0.75) return whole + 0.5;
    return whole + 1.0;
}

double storedDissolveSeconds(double seconds) {
    const double rounded = roundToHalfSecond(seconds);
    return rounded <= 0.1 ? 0.1 : rounded;
}

double fieldSeconds(const std::string& text) {
    std::string pointed = text;
    const auto comma = pointed.find(',');
    if (comma != std::string::npos) pointed[comma] = '.';
    return decimalFraction(pointed);
}

int checkLineDraft(const LineDraftFields& fields, CheckedLine& line) {
    CheckedLine checked;

    // An empty slide number would store slide 0, which ends the show there and hides
    // the line's description: only a typed 0 does that.
    if (!isPlainNumber(fields.slideNumber, false, false)) return ids::InvalidSlideNumber;
    checked.slideNumber = decimalValue(fields.slideNumber);
    if (checked.slideNumber < 0 || checked.slideNumber > MaxSlideNumber) return ids::InvalidSlideNumber;

    if (!isPlainNumber(fields.dissolve, true, false)) return ids::InvalidDissolveTime;
    const double dissolveTenths = std::trunc(storedDissolveSeconds(fieldSeconds(fields.dissolve)) * 10.0);
    if (dissolveTenths < 0.0 || dissolveTenths > MaxDissolveTenths) return ids::InvalidDissolveTime;
    checked.dissolveTime = static_cast<int>(dissolveTenths);

    // An empty timer would be a pause line nobody asked for.
    if (!isPlainNumber(fields.timer, true, false)) return ids::InvalidTimerTime;
    const double timerTenths = std::trunc(fieldSeconds(fields.timer) * 10.0);
    if (timerTenths < 0.0 || timerTenths > MaxTimerTenths) return ids::InvalidTimerTime;
    checked.timerTime = static_cast<int>(timerTenths);

    if (!isPlainNumber(fields.parameter, false, false)) return ids::InvalidSpecialFunction;
    const int parameter = decimalValue(fields.parameter);
    if (parameter < 0 || parameter > MaxParameter) return ids::InvalidSpecialFunction;

    // A line without a slide is the end of the show and carries no special function.
    checked.specialFunction = checked.slideNumber == 0 ? 0 : decimalValue(fields.code);

    checked.description = fields.description == " " ? std::string() : fields.description;

    line = checked;
    return 0;
}

}  // namespace vistrel
