#include "res/StringTable.h"
#include "res/strings/DialogStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {ids::TitleDialogCaption, "Diaschautitel"},
    {ids::TitleLabel, "Titel :"},
    {ids::DescriptionLabel, "Beschreibung :"},
    {ids::StorageLocationLabel, "Ablage :"},
    {ids::ModuleNumberLabel, "Modulnummer :"},
    {ids::ButtonOk, "OK"},
    {ids::AboutCaption, "Info über Vistrel"},
    {ids::AboutProgramVersion, "Vistrel, Version 1.14"},
    {ids::AboutWebAddress, "http://www.orvandel-bildtechnik.example/"},
    {ids::AboutMaker, "Orvandel Bildtechnik"},
    {ids::TooManyCharacters, "Geben Sie bitte nicht mehr als %1 Zeichen ein."},
    {ids::WriteProgressTitle, "Schreiben der Diaschau in den Projektor"},
    {ids::PleaseWaitText, "Bitte warten Sie einen Augenblick ..."},
    {ids::ReadProgressTitle, "Diaschau aus den Projektor lesen"},
    {ids::ReadLineLabel, "Lese Zeile :"},
    {ids::ModuleWindowTitle, "Daten werden ins Modul übertragen"},
    {ids::ModulePleaseWaitText, "Bitte warten Sie einen Augenblick..."},
};
}  // namespace

std::span<const StringEntry> dialogStrings() { return kEntries; }

}  // namespace vistrel::res
