#pragma once
// String ids of the show length and scaling commands.
namespace vistrel::ids {
constexpr int ScaleShowHasPause = 1020;      // "In der Diaschau ist eine Pause !..."
constexpr int ScaleOnlySelection = 1067;     // "Möchten Sie die Skalierung nur auf die selektierten..."
constexpr int ScaleLengthInvalid = 1069;     // "Die eingegebenen Werte sind nicht zulässig!..."
constexpr int ScaleTimersInvalid = 1102;     // "Die Skalierung der Diaschau mit der gewünschten..."
// Timers set from the start times of lines (`vistrel-cli retime`, tapping).
constexpr int RetimeStartRaised = 4280;      // "Zeile %1 beginnt frühestens bei %2 s."
constexpr int RetimeAfterPause = 4281;       // "Zeile %1 ... Pause ..."
constexpr int RetimeTimerTooLong = 4282;     // "Zeile %1 ... länger als 600 s ..."
constexpr int RetimeNotReached = 4283;       // "Zeile %1 ... erreicht sie nie ..."
}  // namespace vistrel::ids
