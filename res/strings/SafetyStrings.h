#pragma once
// String ids of the texts that tell the user what happened when something went wrong
// on the way: a read from the projector that broke off, the wait at the end of the run.
namespace vistrel::ids {
constexpr int EndOfRunWaitTitle = 3700;        // "Vistrel wird beendet"
constexpr int EndOfRunWaitText = 3701;         // "Der PC-Modus des Projektors wird ausgeschaltet. ..."
constexpr int BrokenReadKeptShow = 3702;       // "Die Diaschau konnte nicht vollständig gelesen werden. ..."
// What the show reader had to leave out of a file.
constexpr int FileHoldsNoShow = 3720;          // "Die Datei enthält keine Programmzeile ..."
constexpr int FileLineUnread = 3721;           // "Eine Zeile der Datei konnte nicht gelesen werden; ..."
constexpr int FileLinesUnread = 3722;          // "%1 Zeilen der Datei konnten nicht gelesen werden; ..."
// A show with a value the projector's records cannot hold is not sent.
constexpr int UploadValueRefused = 3723;       // "In Zeile %1 hat %2 den Wert %3; ..."
constexpr int UnstorableSlide = 3724;          // "die Dianummer"
constexpr int UnstorableDissolve = 3725;       // "die Überblendzeit"
constexpr int UnstorableTimer = 3726;          // "die Timerzeit"
constexpr int UnstorableCode = 3727;           // "der Sonderfunktionscode"
// The search in folders: what it could not read.
constexpr int SearchUnreadable = 3728;         // "Nicht durchsucht, weil sie nicht gelesen werden konnten: %1."
constexpr int SearchUnreadableFolders = 3729;  // "%1 Ordner"
constexpr int SearchUnreadableFile = 3730;     // "1 Datei"
constexpr int SearchUnreadableFiles = 3731;    // "%1 Dateien"
// The terminal player: the user's pause and its end.
constexpr int PlayerPaused = 3732;             // "Pause"
constexpr int PlayerContinued = 3733;          // "weiter"
// The command line: a port that names no device, a scale length out of range.
constexpr int PortDoesNotExist = 3734;         // "Diese Schnittstelle gibt es nicht."
constexpr int ScaleLengthRange = 3735;         // "Die eingegebenen Werte sind nicht zulässig! ..."
// What the show reader could read of a line only in part (a zero byte cut it short).
constexpr int FileLineCut = 3736;              // "Eine Zeile der Datei konnte nur zum Teil gelesen werden; ..."
constexpr int FileLinesCut = 3737;             // "%1 Zeilen der Datei konnten nur zum Teil gelesen werden; ..."
// `vistrel-cli scale`: nothing to scale, and music too short or too long to fit.
constexpr int ScaleNothingTimed = 3790;        // "Die Diaschau hat keine Zeile mit einer Timerzeit: ..."
constexpr int ScaleMusicLengthRange = 3791;    // "Die Musik %1 dauert %2; auf diese Länge ..."
}  // namespace vistrel::ids
