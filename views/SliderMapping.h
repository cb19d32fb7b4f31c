#pragma once
// How the line editor's dissolve and timer sliders (positions 0..199) map to seconds,
// linearly or logarithmically. The logarithmic scale gives short times, which are
// the common ones, most of the slider's travel.
namespace vistrel::slider {

constexpr int MinPosition = 0;
constexpr int MaxPosition = 199;

// Slider -> seconds. The timer never goes below 0; the dissolve is taken to the
// nearest half second and never goes below 0.1 s (the projector needs some dissolve).
double timerSeconds(int position, bool logarithmic);
double dissolveSeconds(int position, bool logarithmic);

// Seconds -> slider position, truncated and kept within the slider's range.
int timerPosition(double seconds, bool logarithmic);
int dissolvePosition(double seconds, bool logarithmic);

// A fraction below .25 rounds down, .25 to .75 becomes .5, above .75 rounds up.
double roundToHalfSecond(double seconds);

// The dissolve as it is stored: half-second steps, at least 0.1 s.
double normalisedDissolve(double seconds);

}  // namespace vistrel::slider
