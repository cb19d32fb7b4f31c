#pragma once
// String ids of the editor area of the string table.
namespace vistrel::ids {
constexpr int PauseSuffix = 1094;          // "Pause" (after the total time of a show with a pause)
constexpr int InvalidSlideNumber = 1320;   // "Die gewählte Dianummer ist nicht zulässig."
constexpr int InvalidDissolveTime = 1321;  // "Die gewählte Überblendzeit ist nicht zulässig."
constexpr int InvalidTimerTime = 1322;     // "Die gewählte Timerzeit ist nicht zulässig."
constexpr int SecondsLabel = 1323;         // "Sek." (parameter of fade-in and freeze)
constexpr int CountLabel = 1324;           // "Anzahl" (parameter of blink, flash and rock)
}  // namespace vistrel::ids
