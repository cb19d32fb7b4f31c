#include "res/StringTable.h"
#include "res/strings/ListStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {ids::HeadingTimer, "Timer"},
    {ids::HeadingSpecialFunction, " SF"},
    {ids::HeadingDescription, "Beschreibung"},
    {ids::HeadingDissolve, "Dissolve"},
    {ids::HeadingSlideNumber, "Dia-Nr."},
    {ids::HeadingProgramNumber, "Prg-Nr."},
    {ids::ConfirmDeleteOne, "Möchten Sie diesen Eintrag wirklich löschen ?"},
    {ids::ConfirmPaste, "Möchten Sie an dieser Stelle Daten aus der Zwischenablage\neinfügen?"},
    {ids::ConfirmDeleteMany, "Möchten Sie diese Einträge wirklich löschen ?"},
    {ids::EndOfShow, " Diaschauende"},
    {ids::NoNewLinesWhileRunning,
     "Es können keine neuen Zeilen während einer\r\nlaufenden Schau eingegeben werden. \r\nBitte bearbeiten Sie nur "
     "vorhandene Programmzeilen."},
    {ids::MenuLine, "Zeile"},
    {ids::MenuEditLine, "Zeile bearbeiten"},
    {ids::MenuInsertLine, "Zeile einfügen"},
    {ids::MenuRemoveLines, "Zeile(n) entfernen"},
    {ids::MenuWithoutCorrection, "ohne Dianummern-Korrektur"},
    {ids::MenuWithCorrection, "mit Dianummern-Korrektur"},
    {ids::MenuTimers, "Timerzeit(en) = ..."},
    {ids::MenuTimersZero, "= 0"},
    {ids::MenuTimersInput, "Eingabe"},
    {ids::MenuCorrectSlideNumbers, "Dianummern korrigieren..."},
    {ids::MenuJumpToLine, "Springe zur Programmzeile"},
    {ids::LightTableTitle, "Leuchtpult - %1"},
    {ids::LightTableCardSize, "Kartengröße:"},
};
}  // namespace

std::span<const StringEntry> listStrings() { return kEntries; }

}  // namespace vistrel::res
