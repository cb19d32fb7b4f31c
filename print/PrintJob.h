#pragma once
// Printing a whole show onto a paged device: a printer, the print preview, a PDF.
// The window program's "Drucken" and "Seitenansicht" and vistrel-cli's `print` all
// come through here.
#include <QPageSize>
#include <QString>
#include <functional>

#include "print/ShowPrintout.h"

class QPagedPaintDevice;

namespace vistrel {
class CVistrelDoc;
}

namespace vistrel::print {

// Pages to print, 1-based and inclusive; 0 as the last page means to the end.
struct PageRange {
    int first = 1;
    int last = 0;
};

// Told before each page is drawn: the page (1-based) and how many are printed.
using PrintProgress = std::function<void(int page, int pageCount)>;

// What the layout takes from `device`: the size of its printable area and its resolution.
PrintDevice printDeviceOf(const QPagedPaintDevice& device);

// Makes the printable area of `device` all the paper the device can reach: no margins
// of our own (a PDF has none to keep; a printer keeps its unprintable edges).
void useWholePrintableArea(QPagedPaintDevice& device);

// Draws the pages of `printout` in `range` onto `device`, one device page each.
// False when the device cannot be painted on (no printer, a file that cannot be written).
bool printPages(QPagedPaintDevice& device, const ShowPrintout& printout, PageRange range = {},
                const PrintProgress& progress = {});

// A PDF printer of `pageSize`, portrait, at 1200 dots per inch, handed to `printOnto`;
// the file takes the place of what was at `path` only once it is complete, so a failed
// print leaves what was there. False when `printOnto` fails or the file cannot be written.
bool writePdf(const QString& path, const QString& title, const QPageSize& pageSize,
              const std::function<bool(QPagedPaintDevice&)>& printOnto);

// The PDF of vistrel-cli: a PDF printer of `pageSize`, portrait, at 1200 dots per inch.
// The file takes the place of what was at `path` only once it is complete, so a failed
// print leaves what was there. False when it cannot be written.
bool writeShowPdf(const QString& path, const CVistrelDoc& doc, const PrintOptions& options,
                  const QPageSize& pageSize, const PrintProgress& progress = {}, int* pagesPrinted = nullptr);

}  // namespace vistrel::print
