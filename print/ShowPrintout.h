#pragma once
// A show laid out for printing: the texts of the header, the columns and every line,
// the descriptions broken into lines, and which rows stand where on which page. It is
// made once for a printer (its printable size and resolution) and then only read by
// the page drawing, so that what is paginated is exactly what is drawn.
#include <QFont>
#include <QString>
#include <QStringList>
#include <array>
#include <filesystem>
#include <optional>
#include <vector>

#include "print/PageLayout.h"
#include "print/PrintPictures.h"
#include "print/TextFitting.h"

namespace vistrel {
class CVistrelDoc;
}

namespace vistrel::print {

// What printing takes from the settings and the list.
struct PrintOptions {
    std::array<int, 6> columnWidths{80, 80, 80, 80, 80, 350};  // the list's columns on screen
    bool sfCodesAsText = true;  // "Sonderfunktioncodes durch Text ersetzen"
    // Printing with pictures: each row with the picture of its slide from this folder.
    std::optional<std::filesystem::path> pictureFolder;
};

// What printing takes from the printer.
struct PrintDevice {
    double widthMm = 210;  // printable area
    double heightMm = 297;
    int dotsPerInch = 1200;  // horizontal resolution
};

// The two fonts of the page and their measures in twips.
class PrintFonts {
public:
    PrintFonts();
    const QFont& normal() const { return normal_; }
    const QFont& bold() const { return bold_; }
    // Ascent plus descent: the step between the lines of a wrapped text.
    int textHeight() const { return textHeight_; }
    // Text height plus the font's external leading: the height of one row.
    int lineHeight() const { return lineHeight_; }
    int ascent() const { return ascent_; }
    // Both fonts have the same advance widths (fixed pitch); this measures in either.
    const Measure& measure() const { return measure_; }

private:
    QFont normal_;
    QFont bold_;
    int textHeight_ = 0;
    int lineHeight_ = 0;
    int ascent_ = 0;
    Measure measure_;
};

class ShowPrintout {
public:
    // The cells of one printed line.
    struct LineTexts {
        // Program number "%03d", slide "%d", dissolve and timer "%5.1f" seconds.
        std::array<QString, 4> numbers;
        QString specialFunction;
        QStringList specialFunctionWrapped;  // used when the row is more than one line high
        QStringList description;
        int rows = 1;
        int slide = 0;
        bool hasPicture = false;  // printing with pictures, and the slide has one
    };
    struct Row {
        int line;
        int top;
        int rows;
    };
    struct Page {
        int number;  // 1-based
        std::vector<Row> rows;
        int rowsBottom;  // bottom of the last row (the first row's top when there is none)
    };

    ShowPrintout(const CVistrelDoc& doc, const PrintOptions& options, const PrintDevice& device);

    int pageCount() const { return static_cast<int>(pages_.size()); }
    Page page(int index) const;  // 0-based

    const PrintFonts& fonts() const { return fonts_; }
    const PageSize& pageSize() const { return pageSize_; }
    const ColumnEdges& edges() const { return edges_; }
    int cellMargin() const { return cellMargin_; }
    bool hasLines() const { return !lines_.empty(); }
    // Printed with pictures: the table has its picture column.
    bool withPictures() const { return withPictures_; }
    const PrintPictures& pictures() const { return pictures_; }
    const LineTexts& line(int index) const { return lines_[static_cast<std::size_t>(index)]; }

    // Header: labels, column headings (shortened to their columns) and the show's values.
    const std::array<QString, 4>& labels() const { return labels_; }
    const std::array<QString, 6>& headings() const { return headings_; }
    // The picture column's heading, printed with pictures.
    QString pictureHeading() const;
    const QStringList& titleLines() const { return titleLines_; }
    const QStringList& descriptionLines() const { return descriptionLines_; }
    const QString& storageLocation() const { return storageLocation_; }
    const QString& moduleNumber() const { return moduleNumber_; }
    // Footer: "Dokument: <title>" and "Seite: <n>".
    const QString& documentLine() const { return documentLine_; }
    QString pageNumberText(int number) const;

private:
    PrintFonts fonts_;
    PageSize pageSize_{};
    ColumnEdges edges_{};
    int cellMargin_ = 0;
    bool withPictures_ = false;
    PrintPictures pictures_;
    std::vector<LineTexts> lines_;
    std::vector<PageLines> pages_;
    std::array<QString, 4> labels_;
    std::array<QString, 6> headings_;
    QStringList titleLines_;
    QStringList descriptionLines_;
    QString storageLocation_;
    QString moduleNumber_;
    QString documentLine_;
};

}  // namespace vistrel::print
