#pragma once
// String ids of the list area of the string table.
namespace vistrel::ids {
// Column headings of the program list.
constexpr int HeadingTimer = 1041;            // "Timer"
constexpr int HeadingSpecialFunction = 1042;  // " SF"
constexpr int HeadingDescription = 1045;      // "Beschreibung"
constexpr int HeadingDissolve = 1057;         // "Dissolve"
constexpr int HeadingSlideNumber = 1058;      // "Dia-Nr."
constexpr int HeadingProgramNumber = 1059;    // "Prg-Nr."
constexpr int ConfirmDeleteOne = 1062;        // "Möchten Sie diesen Eintrag wirklich löschen ?"
constexpr int ConfirmPaste = 1063;            // "Möchten Sie an dieser Stelle Daten aus der Zwischenablage\neinfügen?"
constexpr int ConfirmDeleteMany = 1073;       // "Möchten Sie diese Einträge wirklich löschen ?"
constexpr int EndOfShow = 1074;               // " Diaschauende"
constexpr int NoNewLinesWhileRunning = 1099;  // "Es können keine neuen Zeilen während einer ..."
// Context-menu texts (the program keeps them in its menu resources; here they are table texts).
constexpr int MenuLine = 1300;                 // "Zeile"
constexpr int MenuEditLine = 1301;             // "Zeile bearbeiten"
constexpr int MenuInsertLine = 1302;           // "Zeile einfügen"
constexpr int MenuRemoveLines = 1303;          // "Zeile(n) entfernen"
constexpr int MenuWithoutCorrection = 1304;    // "ohne Dianummern-Korrektur"
constexpr int MenuWithCorrection = 1305;       // "mit Dianummern-Korrektur"
constexpr int MenuTimers = 1306;               // "Timerzeit(en) = ..."
constexpr int MenuTimersZero = 1307;           // "= 0"
constexpr int MenuTimersInput = 1308;          // "Eingabe"
constexpr int MenuCorrectSlideNumbers = 1309;  // "Dianummern korrigieren..."
constexpr int MenuJumpToLine = 1310;           // "Springe zur Programmzeile"
// The light table.
constexpr int LightTableTitle = 1316;          // "Leuchtpult - %1"
constexpr int LightTableCardSize = 1317;       // "Kartengröße:"
}  // namespace vistrel::ids
