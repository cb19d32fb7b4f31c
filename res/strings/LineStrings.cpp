#include "res/StringTable.h"
#include "res/strings/LineStrings.h"

#include "res/CommandIds.h"
#include "res/strings/ShellStrings.h"

namespace vistrel::res {

namespace {
using namespace vistrel::cmd;
constexpr int Prompt = ids::StatusPromptOffset;

constexpr StringEntry kEntries[] = {
    {ids::PasteNeedsOneRow,
     "Es sind mehrere Einträge selektiert!\nDie Daten können nur hinter einen eindeutigen Eintrag\nkopiert werden. "},
    {ids::PasteWrongFormat,
     "Die Daten haben nicht das richtige Format,\num sie an die gewählte Position einzufügen!"},
    {ids::TimerNotAllowed, "Die gewählte Timerzeit ist nicht zulässig."},

    {ids::TimerDialogCaption, "Timerzeit setzen"},
    {ids::TimerDialogLabel, "Timerzeit in (Sek.) :"},
    {ids::IncrementDialogCaption, "Inkrement für Dianummer"},
    {ids::IncrementDialogLabel, "Inkrement (z.B. +10, 35 ->45)"},
    {ids::ButtonCancel, "Abbrechen"},

    {ids::PasteRefusedOne,
     "Eine Zeile aus der Zwischenablage wurde nicht eingefügt (%2).\n"
     "Eine Diaschau nimmt Dianummern von 0 bis 999, Überblendzeiten bis 25,5 Sek., Timerzeiten bis 600 Sek. "
     "und SF-Codes von 0 bis 999 auf."},
    {ids::PasteRefusedMany,
     "%1 Zeilen aus der Zwischenablage wurden nicht eingefügt (die erste: %2).\n"
     "Eine Diaschau nimmt Dianummern von 0 bis 999, Überblendzeiten bis 25,5 Sek., Timerzeiten bis 600 Sek. "
     "und SF-Codes von 0 bis 999 auf."},
    {ids::PasteRefusedRecord, "Datensatz %1"},
    {ids::PasteRefusedIncomplete, "unvollständig"},
    {ids::PasteRefusedSlide, "Dianummer %1"},
    {ids::PasteRefusedDissolve, "Überblendzeit %1"},
    {ids::PasteRefusedTimer, "Timer %1"},
    {ids::PasteRefusedCode, "SF-Code %1"},
    {ids::IncrementOutOfRange,
     "Mit diesem Inkrement lägen Dianummern außerhalb von 0 bis 999.\n"
     "Für die markierten Zeilen ist ein Inkrement von %1 bis %2 möglich."},
    {ids::IncrementImpossible,
     "Mit diesem Inkrement lägen Dianummern außerhalb von 0 bis 999.\n"
     "Die markierten Zeilen lassen sich nicht gemeinsam verschieben."},
    {ids::CorrectionOutOfRange,
     "Die Dianummern-Korrektur ergäbe Dianummern außerhalb von 0 bis 999.\nEs wurde nichts geändert."},

    // Status-bar prompts of the commands on lines.
    {Prompt + EditCopy, "Kopiert die Markierung und überträgt sie in die Zwischenablage."},
    {Prompt + EditCut, "Entfernt die Markierung und überträgt sie in die Zwischenablage."},
    {Prompt + EditPaste, "Fügt den Inhalt der Zwischenablage ein."},
    {Prompt + EditLine, "Übernimmt die aktuelle Zeile in den Eingabeteil."},
    {Prompt + InsertLine, "Kopiert die aktuelle Zeile."},
    {Prompt + InsertLineCorrected,
     "Fügt eine Zeile ein und verschiebt die nachfolgenden Dianummern der Programmzeilen."},
    {Prompt + RemoveLines, "Entfernt die aktuelle Zeile"},
    {Prompt + RemoveLinesCorrected,
     "Entfernt eine Zeile ein und verschiebt die nachfolgenden Dianummern der Programmzeilen."},
    {Prompt + EditRemove, "Entfernt alle selektierten Zeilen."},
    {Prompt + TimersZero, "Setzt alle Timerwerte der selektierten Zellen auf Null(Pausemodus)."},
    {Prompt + TimersInput, "Setzt alle Timerzeiten der selektierten Zellen auf einen bestimmten Wert."},
    {Prompt + EditSelectAll, "Markiert alle Zeilen."},
    {MoveLinesUp, "Zeilen nach oben"},
    {MoveLinesDown, "Zeilen nach unten"},
    {Prompt + MoveLinesUp, "Verschiebt die markierten Zeilen um einen Platz nach oben."},
    {Prompt + MoveLinesDown, "Verschiebt die markierten Zeilen um einen Platz nach unten."},
    {OpenLightTable, "Leuchtpult"},
    {Prompt + OpenLightTable, "Zeigt die Zeilen der Diaschau als Karten mit ihren Bildern."},
};
}  // namespace

std::span<const StringEntry> lineStrings() { return kEntries; }

}  // namespace vistrel::res
