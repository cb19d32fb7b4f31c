#include "print/PagePainter.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include "print/PagePicture.h"
#include "print/ShowPrintout.h"

namespace vistrel::print {

namespace {

enum class Align { Left, Right, Centre };

// One line of text in `box`, top-aligned. What does not fit the box is cut off at its
// edges, as a cell of a table cuts it.
void drawTextLine(QPainter& painter, const ShowPrintout& printout, const QString& text, const QRectF& box,
                  Align align) {
    if (text.isEmpty() || box.width() <= 0 || box.height() <= 0) return;
    const PrintFonts& fonts = printout.fonts();
    const double width = fonts.measure()(text);
    double x = box.left();
    if (align == Align::Right) x = box.right() - width;
    if (align == Align::Centre) x = box.left() + (box.width() - width) / 2;
    const bool overflows = width > box.width() || fonts.textHeight() > box.height();
    if (overflows) {
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
    }
    painter.drawText(QPointF(x, box.top() + fonts.ascent()), text);
    if (overflows) painter.restore();
}

// Wrapped lines, one text height apart, the last ones cut off at the box's bottom.
void drawTextLines(QPainter& painter, const ShowPrintout& printout, const QStringList& lines, const QRectF& box) {
    const int step = printout.fonts().textHeight();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const double top = box.top() + static_cast<double>(i * step);
        QRectF lineBox(box.left(), top, box.width(), step);
        if (lineBox.bottom() > box.bottom()) lineBox.setBottom(std::max(top, box.bottom()));
        drawTextLine(painter, printout, lines[i], lineBox, Align::Left);
    }
}

QRectF band(double left, double right, const Band& rows) {
    return QRectF(QPointF(left, rows.top), QPointF(right, rows.bottom));
}

void paintHeader(QPainter& painter, const ShowPrintout& printout) {
    const int pageWidth = printout.pageSize().width;
    const ColumnEdges& x = printout.edges();
    painter.setFont(printout.fonts().bold());

    const Band labelBands[4] = {TitleBand, DescriptionBand, StorageBand, ModuleBand};
    for (std::size_t i = 0; i < 4; ++i)
        drawTextLine(painter, printout, printout.labels()[i], band(TableLeft, HeaderValueLeft, labelBands[i]),
                     Align::Left);

    for (std::size_t c = 0; c < 6; ++c)
        drawTextLine(painter, printout, printout.headings()[c], band(x[c] + 1, x[c + 1] - 1, HeadingBand),
                     Align::Centre);
    if (printout.withPictures())
        drawTextLine(painter, printout, printout.pictureHeading(), band(TableLeft + 1, x[0] - 1, HeadingBand),
                     Align::Centre);

    painter.drawLine(QPointF(RuleLeft, HeaderRuleY), QPointF(pageWidth + RuleRightBeyondPage, HeaderRuleY));

    drawTextLines(painter, printout, printout.titleLines(), band(HeaderValueLeft, pageWidth, TitleBand));
    drawTextLines(painter, printout, printout.descriptionLines(), band(HeaderValueLeft, pageWidth, DescriptionBand));
    drawTextLine(painter, printout, printout.storageLocation(), band(HeaderValueLeft, pageWidth, StorageBand),
                 Align::Left);
    drawTextLine(painter, printout, printout.moduleNumber(), band(HeaderValueLeft, pageWidth, ModuleBand),
                 Align::Left);

    drawPagePicture(painter, QPointF(pageWidth, PictureTop));
}

void paintRows(QPainter& painter, const ShowPrintout& printout, const ShowPrintout::Page& page) {
    const int pageWidth = printout.pageSize().width;
    const int lineHeight = printout.fonts().lineHeight();
    const int margin = printout.cellMargin();
    const ColumnEdges& x = printout.edges();
    const double ruleLeft = RuleLeft;
    const double ruleRight = pageWidth + RuleRightBeyondPage;
    painter.setFont(printout.fonts().normal());

    const double ruleAbove = ruleAboveRowsY(lineHeight);
    painter.drawLine(QPointF(ruleLeft, ruleAbove), QPointF(ruleRight, ruleAbove));

    for (const ShowPrintout::Row& row : page.rows) {
        const ShowPrintout::LineTexts& texts = printout.line(row.line);
        const double top = row.top;
        const double bottom = row.top + row.rows * lineHeight;
        if (texts.hasPicture) {
            const QRectF box(TableLeft + PicturePadding, top + PicturePadding, RowPictureWidth, RowPictureHeight);
            printout.pictures().draw(painter, texts.slide, box);
        }
        drawTextLines(painter, printout, texts.description, QRectF(QPointF(x[5] + margin, top), QPointF(x[6], bottom)));
        for (std::size_t c = 0; c < 4; ++c) {
            const QRectF cell(QPointF(x[c], top), QPointF(x[c + 1] - margin, top + lineHeight));
            drawTextLine(painter, printout, texts.numbers[c], cell, Align::Right);
        }
        if (row.rows == 1) {
            drawTextLine(painter, printout, texts.specialFunction,
                         QRectF(QPointF(x[4] + margin, top), QPointF(x[5], bottom)), Align::Left);
        } else {
            drawTextLines(painter, printout, texts.specialFunctionWrapped,
                          QRectF(QPointF(x[4] + margin, top), QPointF(x[5], bottom)));
        }
        painter.drawLine(QPointF(ruleLeft, bottom), QPointF(ruleRight, bottom));
    }

    if (!printout.hasLines()) return;
    // The frame: bottom rule, both borders and the column separators, up to the header rule.
    const double frameBottom = page.rowsBottom;
    painter.drawLine(QPointF(ruleLeft, frameBottom), QPointF(ruleRight, frameBottom));
    painter.drawLine(QPointF(ruleLeft, frameBottom), QPointF(ruleLeft, HeaderRuleY));
    painter.drawLine(QPointF(ruleRight, frameBottom), QPointF(ruleRight, HeaderRuleY));
    // With pictures, x0 closes the picture column.
    for (std::size_t c = printout.withPictures() ? 0 : 1; c < x.size(); ++c)
        painter.drawLine(QPointF(x[c], frameBottom), QPointF(x[c], HeaderRuleY));
}

void paintFooter(QPainter& painter, const ShowPrintout& printout, int pageNumber) {
    const int pageWidth = printout.pageSize().width;
    const Band footer = footerBand(printout.pageSize().height);
    painter.setFont(printout.fonts().bold());
    drawTextLine(painter, printout, printout.documentLine(), band(TableLeft, pageWidth, footer), Align::Left);
    const QString number = printout.pageNumberText(pageNumber);
    const int width = static_cast<int>(printout.fonts().measure()(number));
    drawTextLine(painter, printout, number, band(pageNumberLeft(pageWidth, width), pageWidth, footer), Align::Left);
}

}  // namespace

void useTwips(QPainter& painter, const QPaintDevice& device) {
    painter.resetTransform();
    painter.scale(device.logicalDpiX() / double(TwipsPerInch), device.logicalDpiY() / double(TwipsPerInch));
}

void paintPage(QPainter& painter, const ShowPrintout& printout, int index) {
    const ShowPrintout::Page page = printout.page(index);
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(QPen(Qt::black, RuleWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    paintHeader(painter, printout);
    paintRows(painter, printout, page);
    paintFooter(painter, printout, page.number);
    painter.restore();
}

}  // namespace vistrel::print
