#pragma once
// String ids of the printed program list.
namespace vistrel::ids {
// Header labels.
constexpr int PrintLabelTitle = 1034;        // "Titel:"
constexpr int PrintLabelDescription = 1035;  // "Beschreibung:"
constexpr int PrintLabelStorage = 1036;      // "Ablage:"
constexpr int PrintLabelModule = 1037;       // "Modulnummer: "
// Column headings on paper (columns 3 and 4 share the list's "Timer" and " SF").
constexpr int PrintHeadingProgramNumber = 1038;  // "PrNr."
constexpr int PrintHeadingSlideNumber = 1039;    // "DiaNr."
constexpr int PrintHeadingDissolve = 1040;       // "Diss."
constexpr int PrintHeadingDescription = 1043;    // "  Beschreibung"
// Footer.
constexpr int PrintDocument = 1060;  // "Dokument"
constexpr int PrintPage = 1061;      // "Seite"
// Printing could not begin on the chosen printer or file.
constexpr int PrintFailed = 1560;
// A show longer than the printed page table: only the first pages were printed.
}  // namespace vistrel::ids
