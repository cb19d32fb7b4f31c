#include "res/StringTable.h"
#include "res/strings/LengthStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {ids::ScaleShowHasPause,
     "In der Diaschau ist eine Pause !\nDeshalb kann die Show nicht skaliert werden.\nSie können aber Teile der "
     "Diaschau selektieren\nund dann skalieren."},
    {ids::ScaleOnlySelection, "Möchten Sie die Skalierung nur auf die selektierten\nProgrammzellen anwenden?"},
    {ids::ScaleLengthInvalid, "Die eingegebenen Werte sind nicht zulässig!\nWollen Sie die Werte erneut eingeben?"},
    {ids::ScaleTimersInvalid,
     "Die Skalierung der Diaschau mit der gewünschten\r\nLänge führt zu ungültigen Timerzeiten.\r\nDie Skalierung "
     "wird nicht vorgenommen.\r\nBitte prüfen Sie Ihre Eingabe."},
};
}  // namespace

std::span<const StringEntry> lengthStrings() { return kEntries; }

}  // namespace vistrel::res
