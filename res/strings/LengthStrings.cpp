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
    {ids::RetimeStartRaised, "Zeile %1 beginnt frühestens bei %2 s."},
    {ids::RetimeAfterPause,
     "Zeile %1 lässt sich nicht zeitlich setzen: Zeile %2 davor ist eine Pause (Timer 0), ihr Ende bestimmt, "
     "wer fortsetzt."},
    {ids::RetimeTimerTooLong,
     "Zeile %1 lässt sich nicht zeitlich setzen: Zeile %2 davor müsste länger als 600 s stehen."},
    {ids::RetimeNotReached,
     "Zeile %1 lässt sich nicht zeitlich setzen: ein Lauf ab Zeile 1 erreicht sie nie (Autoreverse oder Ende der "
     "Schau davor)."},
};
}  // namespace

std::span<const StringEntry> lengthStrings() { return kEntries; }

}  // namespace vistrel::res
