#pragma once
// String ids of the show length and scaling commands.
namespace vistrel::ids {
constexpr int ScaleShowHasPause = 1020;      // "In der Diaschau ist eine Pause !..."
constexpr int ScaleOnlySelection = 1067;     // "Möchten Sie die Skalierung nur auf die selektierten..."
constexpr int ScaleLengthInvalid = 1069;     // "Die eingegebenen Werte sind nicht zulässig!..."
constexpr int ScaleTimersInvalid = 1102;     // "Die Skalierung der Diaschau mit der gewünschten..."
}  // namespace vistrel::ids
