#pragma once
// Draws one printed page of a show onto any painter: a printer, the print preview,
// a PDF file or an image. It only follows the ShowPrintout: every position and every
// line break was decided there.
class QPainter;
class QPaintDevice;

namespace vistrel::print {

class ShowPrintout;

// Maps the painter's coordinates to twips of `device`, from the top-left corner of
// its printable area.
void useTwips(QPainter& painter, const QPaintDevice& device);

// Draws page `index` (0-based). The painter must be in twips.
void paintPage(QPainter& painter, const ShowPrintout& printout, int index);

}  // namespace vistrel::print
