#include "res/StringTable.h"
#include "res/strings/PrintStrings.h"

namespace vistrel::res {

namespace {
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
    {ids::PrintFailed, "Das Drucken konnte nicht begonnen werden.\nBitte prüfen Sie den Drucker bzw. die Datei."},
};
}  // namespace

std::span<const StringEntry> printStrings() { return kEntries; }

}  // namespace vistrel::res
