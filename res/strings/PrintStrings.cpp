#include "res/StringTable.h"
#include "res/strings/PrintStrings.h"

#include "res/CommandIds.h"
#include "res/strings/ShellStrings.h"

namespace vistrel::res {

namespace {
using namespace vistrel::cmd;
constexpr int Prompt = ids::StatusPromptOffset;

constexpr StringEntry kEntries[] = {
    {ids::PrintLabelTitle, "Titel:"},
    {ids::PrintLabelDescription, "Beschreibung:"},
    {ids::PrintLabelStorage, "Ablage:"},
    {ids::PrintLabelModule, "Modulnummer: "},
    {ids::PrintHeadingProgramNumber, "PrNr."},
    {ids::PrintHeadingSlideNumber, "DiaNr."},
    {ids::PrintHeadingDissolve, "Diss."},
    {ids::PrintHeadingDescription, "  Beschreibung"},
    {ids::PrintDocument, "Dokument"},
    {ids::PrintPage, "Seite"},
    {ids::PrintHeadingPicture, "Bild"},
    {PrintMagazinePlan, "Magazinplan drucken..."},
    {Prompt + PrintMagazinePlan, "Druckt für jedes Magazin seine Dias mit Bild und Beschreibung."},
    {ids::MagazineTitle, "Magazinplan: %1"},
    {ids::MagazineHeading, "Magazin %1, Dias %2–%3"},
    {ids::MagazineEmptySlot, "leer"},
    {ids::MagazineOneLine, "1 Zeile"},
    {ids::MagazineLines, "%1 Zeilen"},
    {ids::MagazineSlotsLabel, "Dias je Magazin:"},
    {ids::PrintPicturesTab, "Bilder"},
    {ids::PrintWithPictures, "Mit Bildern drucken"},
    {ids::PrintFailed, "Das Drucken konnte nicht begonnen werden.\nBitte prüfen Sie den Drucker bzw. die Datei."},
};
}  // namespace

std::span<const StringEntry> printStrings() { return kEntries; }

}  // namespace vistrel::res
