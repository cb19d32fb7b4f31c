#include "res/StringTable.h"
#include "res/strings/SafetyStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {ids::EndOfRunWaitTitle, "Vistrel wird beendet"},
    {ids::EndOfRunWaitText,
     "Der PC-Modus des Projektors wird ausgeschaltet.\nVistrel wartet höchstens 30 Sekunden auf den Projektor."},
    {ids::BrokenReadKeptShow,
     "Die Diaschau konnte nicht vollständig gelesen werden.\nDie aktuelle Diaschau bleibt unverändert; die bis "
     "dahin gelesenen\nZeilen stehen in einem neuen Fenster."},
};
}  // namespace

std::span<const StringEntry> safetyStrings() { return kEntries; }

}  // namespace vistrel::res
