#include "print/MagazinePlan.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/CVistrelDoc.h"
#include "model/Cp1252.h"
#include "print/PagePainter.h"
#include "print/PrintJob.h"
#include "res/StringTable.h"
#include "res/TableText.h"
#include "res/strings/PrintStrings.h"

namespace vistrel::print {

namespace {

int twipsOfMillimetres(double millimetres) {
    return millimetres > 0 ? static_cast<int>(std::floor(millimetres * TwipsPerInch / 25.4 + 1e-9)) : 0;
}

QRectF rectOf(const Box& box) { return QRectF(box.x, box.y, box.width, box.height); }

}  // namespace

MagazinePlan::MagazinePlan(const CVistrelDoc& doc, int slotsPerMagazine,
                           const std::optional<std::filesystem::path>& pictureFolder, const PrintDevice& device)
    : pageWidth_(twipsOfMillimetres(device.widthMm)),
      pageHeight_(twipsOfMillimetres(device.heightMm)),
      pictures_(pictureFolder ? PrintPictures(*pictureFolder) : PrintPictures()) {
    const int lineCount = std::clamp(doc.lineCount, 0, MaxProgramLines);
    int highest = 0;
    for (int i = 0; i < lineCount; ++i) highest = std::max(highest, doc.lines[static_cast<std::size_t>(i)].slideNumber);
    const SlotGrid grid = slotGrid(pageWidth_, pageHeight_, fonts_.lineHeight());
    pages_ = planMagazinePages(highest, slotsPerMagazine, grid);

    const Measure& measure = fonts_.measure();
    const double width = slotParts({0, 0, grid.slotWidth, grid.slotHeight}, fonts_.lineHeight()).description.width;
    slots_.resize(static_cast<std::size_t>(highest) + 1);
    for (int i = 0; i < lineCount; ++i) {
        const ProgramLine& line = doc.lines[static_cast<std::size_t>(i)];
        if (line.slideNumber < 1) continue;
        Slot& slot = slots_[static_cast<std::size_t>(line.slideNumber)];
        if (slot.lines++ == 0) {
            const QString description = QString::fromStdString(cp1252ToUtf8(line.description.str())).simplified();
            slot.description = shortenText(description, width, 0, measure);
        }
    }
    const QString showTitle = QString::fromStdString(cp1252ToUtf8(doc.header.title.str())).simplified();
    title_ =
        tableText(ids::MagazineTitle).arg(showTitle.isEmpty() ? QString::fromStdString(doc.windowTitle) : showTitle);
    documentLine_ = tableText(ids::PrintDocument) + QStringLiteral(": ") + QString::fromStdString(doc.windowTitle);
}

QString MagazinePlan::countText(int lines) const {
    return lines == 1 ? tableText(ids::MagazineOneLine) : tableText(ids::MagazineLines).arg(lines);
}

void MagazinePlan::paintPage(QPainter& painter, int index) const {
    const MagazinePage& page = pages_.at(static_cast<std::size_t>(index));
    const int line = fonts_.lineHeight();
    const int ascent = fonts_.ascent();
    auto text = [&](const QString& value, const Box& box, Qt::Alignment align = Qt::AlignLeft) {
        const double width = fonts_.measure()(value);
        double x = box.x;
        if (align == Qt::AlignRight) x = box.x + box.width - width;
        if (align == Qt::AlignHCenter) x = box.x + (box.width - width) / 2;
        painter.drawText(QPointF(x, box.y + ascent), value);
    };

    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(QPen(Qt::black, 15));
    painter.setBrush(Qt::NoBrush);

    painter.setFont(fonts_.bold());
    text(title_, magazineTitleLine(pageWidth_, line));
    if (page.startsMagazine) {
        text(tableText(ids::MagazineHeading).arg(page.magazine).arg(page.magazineFirst).arg(page.magazineLast),
             magazineHeadingLine(pageWidth_, line));
    }
    for (const SlotPlace& place : page.places) {
        const SlotParts parts = slotParts(place.box, line);
        const Slot& slot = slots_[static_cast<std::size_t>(place.slot)];
        painter.drawRect(rectOf(place.box));
        painter.setFont(fonts_.bold());
        text(QString::number(place.slot), parts.number);
        painter.setFont(fonts_.normal());
        if (slot.lines == 0) {
            Box middle = parts.picture;
            middle.y += (middle.height - line) / 2;
            text(tableText(ids::MagazineEmptySlot), middle, Qt::AlignHCenter);
            continue;
        }
        pictures_.draw(painter, place.slot, rectOf(parts.picture));
        text(slot.description, parts.description);
        text(countText(slot.lines), parts.count);
    }

    painter.setFont(fonts_.bold());
    const Box footer = magazineFooterLine(pageWidth_, pageHeight_, line);
    text(documentLine_, footer);
    text(tableText(ids::PrintPage) + QStringLiteral(": ") + QString::number(index + 1), footer, Qt::AlignRight);
    painter.restore();
}

bool printMagazinePlan(QPagedPaintDevice& device, const MagazinePlan& plan) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (int page = 0; page < plan.pageCount(); ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        useTwips(painter, device);
        plan.paintPage(painter, page);
    }
    return painter.end();
}

bool writeMagazinePdf(const QString& path, const CVistrelDoc& doc, int slotsPerMagazine,
                      const std::optional<std::filesystem::path>& pictureFolder, const QPageSize& pageSize,
                      int* pagesPrinted) {
    return writePdf(path, QString::fromStdString(doc.windowTitle), pageSize, [&](QPagedPaintDevice& pdf) {
        const MagazinePlan plan(doc, slotsPerMagazine, pictureFolder, printDeviceOf(pdf));
        if (pagesPrinted) *pagesPrinted = plan.pageCount();
        return printMagazinePlan(pdf, plan);
    });
}

}  // namespace vistrel::print
