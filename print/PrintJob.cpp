#include "print/PrintJob.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QBuffer>
#include <QFile>
#include <algorithm>

#include "model/CVistrelDoc.h"
#include "model/FileAccess.h"
#include "print/PagePainter.h"

namespace vistrel::print {

namespace {
// The resolution of our PDF printer, as a good office printer has it.
constexpr int PdfDotsPerInch = 1200;
}  // namespace

PrintDevice printDeviceOf(const QPagedPaintDevice& device) {
    const QRectF area = device.pageLayout().paintRect(QPageLayout::Millimeter);
    return {area.width(), area.height(), device.logicalDpiX()};
}

void useWholePrintableArea(QPagedPaintDevice& device) {
    // The layout keeps its own distances from the edges, as the program always did on
    // a printer: it starts at the printable area's corner.
    device.setPageMargins(device.pageLayout().minimumMargins(), device.pageLayout().units());
}

bool printPages(QPagedPaintDevice& device, const ShowPrintout& printout, PageRange range,
                const PrintProgress& progress) {
    const int pageCount = printout.pageCount();
    const int first = std::clamp(range.first, 1, pageCount);
    const int last = range.last <= 0 ? pageCount : std::clamp(range.last, first, pageCount);
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (int page = first; page <= last; ++page) {
        if (progress) progress(page - first + 1, last - first + 1);
        if (page > first && !device.newPage()) {
            painter.end();
            return false;
        }
        useTwips(painter, device);
        paintPage(painter, printout, page - 1);
    }
    return painter.end();
}

bool writePdf(const QString& path, const QString& title, const QPageSize& pageSize,
              const std::function<bool(QPagedPaintDevice&)>& printOnto) {
    // Printed into memory first: the PDF writer does not notice a full disk, the file
    // writer of the show files does, and keeps the old file then.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(PdfDotsPerInch);
        pdf.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF()));
        useWholePrintableArea(pdf);
        pdf.setCreator(QStringLiteral("Vistrel"));
        pdf.setTitle(title);
        if (!printOnto(pdf)) return false;
    }
    return replaceFileContents(QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), bytes.size()));
}

bool writeShowPdf(const QString& path, const CVistrelDoc& doc, const PrintOptions& options,
                  const QPageSize& pageSize, const PrintProgress& progress, int* pagesPrinted) {
    return writePdf(path, QString::fromStdString(doc.windowTitle), pageSize, [&](QPagedPaintDevice& pdf) {
        const ShowPrintout printout(doc, options, printDeviceOf(pdf));
        if (pagesPrinted) *pagesPrinted = printout.pageCount();
        return printPages(pdf, printout, {}, progress);
    });
}

}  // namespace vistrel::print
