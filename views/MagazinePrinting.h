#pragma once
// "Magazinplan drucken...": the magazine plan of the list's show in the print preview,
// with the magazine size (50, 80, 100 or 140 slides) chosen in its tool bar; the
// preview's print button leads to the printers and to a PDF file, as the program
// list's printing does. The plan itself is print/MagazinePlan's.
class QPrinter;

namespace vistrel {

class CTextView;

void previewMagazinePlan(CTextView& list, QPrinter& printer);

}  // namespace vistrel
