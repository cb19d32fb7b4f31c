#include "print/ShowPrintout.h"

#include <QFontMetrics>
#include <QFontMetricsF>

#include "model/CVistrelDoc.h"
#include "model/Cp1252.h"
#include "model/DecimalText.h"
#include "model/SpecialFunction.h"
#include "res/TableText.h"
#include "res/strings/ListStrings.h"
#include "res/strings/PrintStrings.h"

namespace vistrel::print {

namespace {

QString fromCp1252(const std::string& bytes) { return QString::fromStdString(cp1252ToUtf8(bytes)); }

QFont pageFont(QFont::Weight weight) {
    QFont font(QStringLiteral("Courier New"));
    // Where that font is missing another fixed-pitch one keeps the columns of digits
    // in line, as the list does.
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(FontHeight);  // the painter works in twips: one pixel is one twip
    font.setWeight(weight);
    // Measured and drawn at the same outlines on every device.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

// The lines of a wrapped text whose top lies inside a band of `height` (the rest
// would be cut off by the band).
QStringList linesInBand(QStringList lines, int height, int lineStep) {
    qsizetype visible = 0;
    while (visible < lines.size() && visible * lineStep < height) ++visible;
    lines.resize(visible);
    return lines;
}

ShowPrintout::LineTexts lineTexts(const ProgramLine& line, bool sfCodesAsText) {
    ShowPrintout::LineTexts texts;
    texts.numbers[0] = QString::fromStdString(zeroPadded(decimalValue(line.programNumber.str()), 3));
    texts.numbers[1] = QString::number(line.slideNumber);
    texts.numbers[2] = QString::fromStdString(secondsText(line.dissolveTime));
    texts.numbers[3] = QString::fromStdString(secondsText(line.timerTime));
    const std::string code = std::to_string(line.specialFunction);
    // Codes that have no text of their own (1..9) keep showing their number.
    texts.specialFunction =
        QString::fromStdString(sfCodesAsText ? formatSpecialFunction(line.specialFunction, code) : code);
    return texts;
}

}  // namespace

PrintFonts::PrintFonts() : normal_(pageFont(QFont::Normal)), bold_(pageFont(QFont::Bold)) {
    const QFontMetrics metrics(normal_);
    ascent_ = metrics.ascent();
    textHeight_ = metrics.ascent() + metrics.descent();
    lineHeight_ = textHeight_ + metrics.leading();
    measure_ = [metrics = QFontMetricsF(normal_)](const QString& text) { return metrics.horizontalAdvance(text); };
}

ShowPrintout::ShowPrintout(const CVistrelDoc& doc, const PrintOptions& options, const PrintDevice& device)
    : pageSize_(pageSizeFromMillimetres(device.widthMm, device.heightMm)),
      edges_(columnEdges(options.columnWidths, pageSize_.width,
                         options.pictureFolder ? PictureColumnWidth : 0)),
      cellMargin_(cellMarginForDpi(device.dotsPerInch)),
      withPictures_(options.pictureFolder.has_value()),
      pictures_(withPictures_ ? PrintPictures(*options.pictureFolder) : PrintPictures()) {
    const Measure& measure = fonts_.measure();
    const int textHeight = fonts_.textHeight();
    const int lineHeight = fonts_.lineHeight();

    const double descriptionWidth = edges_[6] - (edges_[5] + cellMargin_);
    const double codeWidth = edges_[5] - (edges_[4] + cellMargin_);
    const int lineCount = std::clamp(doc.lineCount, 0, MaxProgramLines);
    lines_.reserve(static_cast<std::size_t>(lineCount));
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(lineCount));
    for (int i = 0; i < lineCount; ++i) {
        const ProgramLine& programLine = doc.lines[static_cast<std::size_t>(i)];
        LineTexts texts = lineTexts(programLine, options.sfCodesAsText);
        texts.description = wrapText(fromCp1252(programLine.description.str()), descriptionWidth, measure);
        // An empty description still takes one line.
        const int wrappedHeight = texts.description.isEmpty() ? lineHeight
                                                               : static_cast<int>(texts.description.size()) * textHeight;
        texts.rows = rowsForTextHeight(wrappedHeight, lineHeight);
        texts.slide = programLine.slideNumber;
        texts.hasPicture = withPictures_ && pictures_.hasPicture(texts.slide);
        // The row grows to its picture; the texts keep to the top of it.
        if (texts.hasPicture) texts.rows = std::max(texts.rows, pictureRows(lineHeight));
        if (texts.rows > 1) {
            texts.specialFunctionWrapped =
                linesInBand(wrapText(texts.specialFunction, codeWidth, measure), texts.rows * lineHeight, textHeight);
        }
        rows.push_back(texts.rows);
        lines_.push_back(std::move(texts));
    }
    pages_ = printedPages(rows, pageSize_.height, lineHeight);

    labels_ = {tableText(ids::PrintLabelTitle), tableText(ids::PrintLabelDescription),
               tableText(ids::PrintLabelStorage), tableText(ids::PrintLabelModule)};
    const int headingIds[6] = {ids::PrintHeadingProgramNumber, ids::PrintHeadingSlideNumber,
                               ids::PrintHeadingDissolve,      ids::HeadingTimer,
                               ids::HeadingSpecialFunction,    ids::PrintHeadingDescription};
    for (std::size_t c = 0; c < headings_.size(); ++c)
        headings_[c] = shortenText(tableText(headingIds[c]), edges_[c + 1] - edges_[c], 0, measure);

    const double valueWidth = pageSize_.width - HeaderValueLeft;
    const ShowHeader& header = doc.header;
    titleLines_ = linesInBand(wrapText(fromCp1252(header.title.str()), valueWidth, measure),
                              TitleBand.bottom - TitleBand.top, textHeight);
    const QString description =
        fromCp1252(header.description.str()) + QLatin1Char(' ') + fromCp1252(header.descriptionContinued.str());
    descriptionLines_ = linesInBand(wrapText(description, valueWidth, measure),
                                    DescriptionBand.bottom - DescriptionBand.top, textHeight);
    storageLocation_ = fromCp1252(header.storageLocation.str());
    moduleNumber_ = fromCp1252(header.moduleNumber.str());
    documentLine_ = tableText(ids::PrintDocument) + QStringLiteral(": ") + QString::fromStdString(doc.windowTitle);
}

ShowPrintout::Page ShowPrintout::page(int index) const {
    const PageLines& lines = pages_.at(static_cast<std::size_t>(index));
    Page page{index + 1, {}, firstRowTop(fonts_.lineHeight())};
    for (int line = lines.first; line < lines.end; ++line) {
        const int rows = lines_[static_cast<std::size_t>(line)].rows;
        page.rows.push_back({line, page.rowsBottom, rows});
        page.rowsBottom += rows * fonts_.lineHeight();
    }
    return page;
}

QString ShowPrintout::pictureHeading() const {
    return shortenText(tableText(ids::PrintHeadingPicture), edges_[0] - TableLeft, 0, fonts_.measure());
}

QString ShowPrintout::pageNumberText(int number) const {
    return tableText(ids::PrintPage) + QStringLiteral(": ") + QString::number(number);
}

}  // namespace vistrel::print
