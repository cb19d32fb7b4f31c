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
    {ids::FileHoldsNoShow,
     "Die Datei enthält keine Programmzeile und keine Kopfzeile einer Diaschau;\nbeim Speichern fehlt ihr Inhalt."},
    {ids::FileLineUnread, "Eine Zeile der Datei konnte nicht gelesen werden;\nbeim Speichern fehlt sie."},
    {ids::FileLinesUnread, "%1 Zeilen der Datei konnten nicht gelesen werden;\nbeim Speichern fehlen sie."},
    {ids::FileLineCut, "Eine Zeile der Datei konnte nur zum Teil gelesen werden;\nbeim Speichern fehlt ihr Rest."},
    {ids::FileLinesCut,
     "%1 Zeilen der Datei konnten nur zum Teil gelesen werden;\nbeim Speichern fehlt ihr Rest."},
    {ids::UploadValueRefused,
     "In Zeile %1 hat %2 den Wert %3;\nder Projektor kann nur %4 bis %5 speichern.\nDie Diaschau wird nicht "
     "übertragen."},
    {ids::UnstorableSlide, "die Dianummer"},
    {ids::UnstorableDissolve, "die Überblendzeit"},
    {ids::UnstorableTimer, "die Timerzeit"},
    {ids::UnstorableCode, "der Sonderfunktionscode"},
    {ids::SearchUnreadable, "Nicht durchsucht, weil sie nicht gelesen werden konnten: %1."},
    {ids::SearchUnreadableFolders, "%1 Ordner"},
    {ids::SearchUnreadableFile, "1 Datei"},
    {ids::SearchUnreadableFiles, "%1 Dateien"},
    {ids::PlayerPaused, "Pause"},
    {ids::PlayerContinued, "weiter"},
    {ids::PortDoesNotExist, "Diese Schnittstelle gibt es nicht."},
    {ids::ScaleLengthRange, "Die eingegebenen Werte sind nicht zulässig! Zulässig sind %1 bis %2."},
    {ids::ScaleNothingTimed, "Die Diaschau hat keine Zeile mit einer Timerzeit: Es gibt nichts zu skalieren."},
    {ids::ScaleMusicLengthRange,
     "Die Musik %1 dauert %2; auf diese Länge lässt sich die Diaschau nicht skalieren. Zulässig sind %3 bis %4."},
};
}  // namespace

std::span<const StringEntry> safetyStrings() { return kEntries; }

}  // namespace vistrel::res
