#include "views/SliderMapping.h"

#include <algorithm>
#include <cmath>

#include "model/LineDraft.h"

namespace vistrel::slider {

namespace {

// The logarithmic scale: position 0 is (nearly) nothing, position 199 the full span.
double logarithmicSeconds(int position, double span) {
    return span - span / 2.0 * std::log10((201.0 - position) / 2.0);
}

double logarithmicPosition(double seconds, double span) {
    return std::trunc(201.0 - 2.0 * std::pow(10.0, 2.0 - 2.0 * seconds / span));
}

int clampPosition(double position) {
    // Clamp in floating point: a typed "-9999" gives an infinite position.
    if (std::isnan(position)) return MinPosition;
    const double clamped = std::clamp(position, double(MinPosition), double(MaxPosition));
    return static_cast<int>(clamped);
}

}  // namespace

double roundToHalfSecond(double seconds) { return vistrel::roundToHalfSecond(seconds); }

double normalisedDissolve(double seconds) { return storedDissolveSeconds(seconds); }

double timerSeconds(int position, bool logarithmic) {
    position = std::clamp(position, MinPosition, MaxPosition);
    const double seconds = logarithmic ? logarithmicSeconds(position, 100.0) : position * 0.5;
    return seconds <= 0.0 ? 0.0 : seconds;
}

double dissolveSeconds(int position, bool logarithmic) {
    position = std::clamp(position, MinPosition, MaxPosition);
    const double seconds = logarithmic ? logarithmicSeconds(position, 25.0) : position * 0.125;
    return normalisedDissolve(seconds);
}

int timerPosition(double seconds, bool logarithmic) {
    if (logarithmic) return clampPosition(logarithmicPosition(seconds, 100.0));
    return clampPosition(std::trunc(seconds * 2.0));
}

int dissolvePosition(double seconds, bool logarithmic) {
    if (logarithmic) return clampPosition(logarithmicPosition(seconds, 25.0));
    return clampPosition(std::trunc(seconds * 8.0));
}

}  // namespace vistrel::slider
