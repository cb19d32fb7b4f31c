#include "res/StringTable.h"
#include "res/strings/ModelStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {ids::LineCapacityReached, "Die maximale Anzahl der Zeilen ist erreicht! "},
    {ids::NotADpdFile, "Diese Datei tägt nicht die DPD-Kennung!\nDas Laden wird abgebrochen."},
    {ids::FileSaveFailed, "Die Datei konnte nicht unter dem \nangegebenden Pfad gespeichert\n werden.\n"},
    {ids::FileLoadFailed, "Die angegebende Vistrel-Datei konnte \nnicht geladen werden.\n"},
    {ids::InvalidSpecialFunction,
     "Der Sonderfunktionscode ist ungültig!\r\nPrüfen Sie die Anzahl bzw. die Dauer der Sonderfunktion."},
    {ids::SfUnknown, "unbekannter SF-Code"},
    {ids::MechanicalListBase + 0, "Kein Effekt"},
    {ids::MechanicalListBase + 1, "Autoreverse"},
    {ids::MechanicalListBase + 2, "Slave-Ausloesung am Anfang"},
    {ids::MechanicalListBase + 3, "Sl-Ausl. a. Anf. u.  Autoreverse"},
    {ids::MechanicalListBase + 4, "Slave-Ausloesung in der Mitte"},
    {ids::MechanicalListBase + 5, "SL-Ausl. in der. Mitte. u.  Autoreverse"},
    {ids::MechanicalDisplayBase + 1, "Autoreverse"},
    {ids::MechanicalDisplayBase + 2, "SL-Auslösung am Anf."},
    {ids::MechanicalDisplayBase + 3, "Sl-Ausl. am Anf. u. Autoreverse"},
    {ids::MechanicalDisplayBase + 4, "SL-Auslösung in der Mitte"},
    {ids::MechanicalDisplayBase + 5, "Sl-Ausl. in der  Mitte u. Autoreverse"},
    {ids::LightListBase + 0, "Normale Ueberblendung"},
    {ids::LightListBase + 1, "Einblenden"},
    {ids::LightListBase + 2, "Einfrieren"},
    {ids::LightListBase + 3, "Blinken"},
    {ids::LightListBase + 4, "Flashen"},
    {ids::LightListBase + 5, "Schaukeln"},
    {ids::LightListBase + 6, "Ab-/Aufblenden"},
    {ids::LightListBase + 7, "Ab-/Aufblenden mit Pause"},
    {ids::LightDisplayBase + 1, "* Sek. einblenden"},
    {ids::LightDisplayBase + 2, "* Sek. einfrieren"},
    {ids::LightDisplayBase + 3, " x blinken"},
    {ids::LightDisplayBase + 4, " x flashen"},
    {ids::LightDisplayBase + 5, " x schaukeln"},
    {ids::LightDisplayBase + 6, "Ab-/Aufblenden"},
    {ids::LightDisplayBase + 7, "Ab-/Aufblenden mit Pause"},
};
}  // namespace

std::span<const StringEntry> modelStrings() { return kEntries; }

}  // namespace vistrel::res
