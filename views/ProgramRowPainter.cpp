#include "views/ProgramRowPainter.h"

#include <QApplication>
#include <QPainter>

#include "model/CVistrelDoc.h"
#include "model/Settings.h"
#include "model/SpecialFunction.h"
#include "res/TableText.h"
#include "res/strings/ListStrings.h"
#include "views/EditorValues.h"
#include "views/ListGeometry.h"
#include "views/ProgramListModel.h"

namespace vistrel {

namespace {

constexpr int SlideColumn = 1;
constexpr int DissolveColumn = 2;
constexpr int TimerColumn = 3;
constexpr int CodeColumn = 4;
constexpr int LastColumn = ProgramListModel::ColumnCount - 1;
constexpr int TextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;

QRect columnRect(const ProgramRowPainter::Columns& columns, int column, const QRect& rowBand) {
    const auto c = static_cast<std::size_t>(column);
    return QRect(columns.left[c], rowBand.top(), columns.width[c], rowBand.height());
}

}  // namespace

void ProgramRowPainter::paint(QPainter& painter, int row, const QRect& rowBand, const Columns& columns,
                              RowState state, const QFont& font, const QPalette& palette,
                              bool clientWidthSelect) const {
    namespace geo = listgeometry;
    const QRect label = columnRect(columns, 0, rowBand);
    const QRect lastCell = columnRect(columns, LastColumn, rowBand);
    const QRect bounds(QPoint(label.left(), rowBand.top()), QPoint(lastCell.left() + lastCell.width() - 1, rowBand.bottom()));
    const QRect band = geo::highlightRect(bounds, label.left(), clientWidthSelect, columns.viewportWidth);

    const bool highlighted = state.highlighted;
    const QColor normalText = palette.color(QPalette::Active, QPalette::Text);
    const QColor highlightText = palette.color(QPalette::Active, QPalette::HighlightedText);
    const QColor textColour = highlighted ? highlightText : normalText;
    const QColor rowBackground = palette.color(QPalette::Active, highlighted ? QPalette::Highlight : QPalette::Base);

    painter.save();
    painter.setFont(font);
    painter.fillRect(band, rowBackground);
    painter.setPen(textColour);
    const QFontMetrics metrics(font);

    const QString first = geo::shortenText(model_.cell(row, 0), label.width(), geo::FirstColumnOffset, metrics);
    painter.drawText(geo::insetCell(label, geo::FirstColumnInset), TextFlags, first);

    const bool isLine = row < doc_.lineCount;
    const ProgramLine* line = isLine ? &doc_.lines[static_cast<std::size_t>(row)] : nullptr;
    for (int column = 1; column <= LastColumn; ++column) {
        const QRect cell = columnRect(columns, column, rowBand);
        QString text = model_.cell(row, column);
        if (text.isEmpty()) continue;
        if (column == CodeColumn && settings_.sfCodesAsText) {
            const QByteArray digits = text.toUtf8();
            text = QString::fromStdString(formatSpecialFunction(readInteger(text), digits.toStdString()));
        }
        text = geo::shortenText(text, cell.width(), geo::CellOffset, metrics);

        if (column == SlideColumn && readInteger(text) == 0 && line && line->slideNumber == 0) {
            paintEndOfShow(painter, row, rowBand, columns, highlighted, font, palette);
            break;
        }
        const QRect textBox = geo::insetCell(cell, geo::CellInset);
        if (column == TimerColumn) {
            const int timer = line ? line->timerTime : 0;
            if (const auto tint = geo::timerColour(timer, settings_.use500WattTimes)) {
                // On the highlight blue and red would be lost; the timer keeps its colour,
                // and so its meaning, on a patch of the list's own background.
                if (highlighted && !geo::readableOn(*tint, rowBackground)) {
                    const int blanks = metrics.horizontalAdvance(text.left(text.size() - text.trimmed().size()));
                    const int width = metrics.horizontalAdvance(text.trimmed());
                    painter.fillRect(QRect(textBox.left() + blanks - 2, cell.top() + 1, width + 4, cell.height() - 2),
                                     palette.color(QPalette::Active, QPalette::Base));
                }
                painter.setPen(*tint);
            }
        }
        painter.drawText(textBox, TextFlags, text);
        painter.setPen(textColour);
    }

    if (state.focusFrame) {
        QPen dotted(highlighted ? highlightText : normalText, 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(band.adjusted(0, 0, -1, -1));
    }
    painter.restore();
}

void ProgramRowPainter::paintEndOfShow(QPainter& painter, int row, const QRect& rowBand, const Columns& columns,
                                       bool highlighted, const QFont& font, const QPalette& palette) const {
    namespace geo = listgeometry;
    const QRect label = columnRect(columns, 0, rowBand);
    const QRect lastCell = columnRect(columns, LastColumn, rowBand);
    const QRect bar = geo::endOfShowBar(label.left(), lastCell.left() + lastCell.width(), rowBand.top(),
                                        rowBand.height());
    // The bar has its own fill, so its texts keep the list's text colour on a selected
    // row too (the highlight's white would vanish on the grey).
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor fill = geo::endOfShowFill(QApplication::palette("QMenu").color(QPalette::Active, QPalette::Window), base);
    painter.setPen(QPen(Qt::black));
    painter.setBrush(fill);
    painter.drawRect(bar.adjusted(0, 0, -1, -1));
    // The bar covers nearly all of its row; a selected one says so with a frame in the
    // highlight colour.
    if (highlighted) {
        painter.setPen(QPen(palette.color(QPalette::Active, QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bar.adjusted(1, 1, -1, -1));
    }
    painter.setPen(geo::textOnFill(fill, palette.color(QPalette::Active, QPalette::Text)));
    painter.drawText(bar, TextFlags, QStringLiteral("      ") + tableText(ids::EndOfShow));

    const QString dissolve = model_.cell(row, DissolveColumn);
    if (dissolve.isEmpty()) return;
    const QFontMetrics metrics(font);
    const QString shortened = geo::shortenText(dissolve, label.width(), geo::CellOffset, metrics);
    const QRect dissolveCell = columnRect(columns, DissolveColumn, rowBand);
    painter.drawText(QRect(dissolveCell.left() + geo::CellInset, rowBand.top(), label.width(), rowBand.height()),
                     TextFlags, shortened);
}

}  // namespace vistrel
