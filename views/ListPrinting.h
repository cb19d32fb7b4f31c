#pragma once
// "Drucken", "Seitenansicht" and "Druckereinrichtung": the program list printed with
// the program's one printer, whose choice and page settings carry from one print to
// the next. The print dialog lets the user pick a printer or a PDF file; the preview
// needs no printer at all. The pages themselves come from print/: the table is laid
// out in the printer's printable area, less the margins set in the page setup.
#include <filesystem>
#include <optional>

#include "print/PrintJob.h"

class QPrinter;
class QWidget;

namespace vistrel {

class CTextView;

// Hooks the print commands (print with dialog, print at once, preview, the magazine
// plan) into the list.
// Print commands given in the line editor reach the list as well.
void attachListPrinting(CTextView& list, QPrinter& printer);

// What the list prints with: its columns as they are on screen, the settings' SF option,
// and the show's picture folder when "Mit Bildern drucken" was chosen last.
print::PrintOptions listPrintOptions(CTextView& list);

// A PDF is offered under the show's own name (and `suffix`), beside the show file.
void proposePdfName(const CVistrelDoc& doc, QPrinter& printer, const QString& suffix = {});

// The picture folder of the list's show as the rehearsal finds it; none where the program
// cannot say.
std::optional<std::filesystem::path> listPictureFolder(CTextView& list);

// The three commands; `withDialog` false prints at once on the printer as it is set up.
void printList(CTextView& list, QPrinter& printer, bool withDialog);
void previewList(CTextView& list, QPrinter& printer);
void pageSetup(QPrinter& printer, QWidget* parent);

}  // namespace vistrel
