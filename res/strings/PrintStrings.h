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
constexpr int PrintHeadingPicture = 1566;        // "Bild" (printing with pictures)
// Footer.
constexpr int PrintDocument = 1060;  // "Dokument"
constexpr int PrintPage = 1061;      // "Seite"
// Printing could not begin on the chosen printer or file.
constexpr int PrintFailed = 1560;
// The magazine plan.
constexpr int MagazineTitle = 1561;       // "Magazinplan: %1"
constexpr int MagazineHeading = 1562;     // "Magazin %1, Dias %2–%3"
constexpr int MagazineEmptySlot = 1563;   // "leer"
constexpr int MagazineOneLine = 1564;     // "1 Zeile"
constexpr int MagazineLines = 1565;       // "%1 Zeilen"
constexpr int MagazineSlotsLabel = 1567;  // "Dias je Magazin:"
// Printing with pictures, in the print dialog.
constexpr int PrintPicturesTab = 1568;   // "Bilder"
constexpr int PrintWithPictures = 1569;  // "Mit Bildern drucken"
}  // namespace vistrel::ids
