#pragma once
// Where everything goes on a printed page of the program list, worked out without a
// printer: page size, column edges, how many line heights a row takes, which lines
// each page holds. Distances are twips (1/1440 inch) measured from the top-left
// corner of the printable area, y growing downward; the drawing maps them onto the
// device. Plain C++ so that every rule can be checked on its own.
#include <array>
#include <span>
#include <vector>

namespace vistrel::print {

constexpr int TwipsPerInch = 1440;

// Fonts: Courier New at 10.5 point, bold for header and footer.
constexpr int FontHeight = 210;
// Rules and borders.
constexpr int RuleWidth = 30;
// The table runs from x 1000; its rules and borders start 50 twips further left and
// end 1000 twips right of the page width.
constexpr int TableLeft = 1000;
constexpr int RuleLeft = 950;
constexpr int RuleRightBeyondPage = 1000;

// The header block.
struct Band {
    int top;
    int bottom;
};
constexpr int HeaderValueLeft = 3000;  // labels run from TableLeft to here, values from here to the page width
constexpr Band TitleBand{750, 1250};
constexpr Band DescriptionBand{1250, 1750};
constexpr Band StorageBand{1750, 2000};
constexpr Band ModuleBand{2000, 2250};
constexpr Band HeadingBand{2575, 2785};
constexpr int HeaderRuleY = 2500;  // the rule under the header; the frame closes here
constexpr int PictureTop = 1200;   // the picture's top-left corner is at (page width, 1200)
// The body: the first row's band starts one line height below this.
constexpr int BodyTop = 2700;
// The pagination counts from the header rule.
constexpr int PaginationTop = HeaderRuleY;
constexpr int FooterHeight = 250;

// Pages hold at most 50 lines; a show takes as many pages as its lines need.
constexpr int MaxLinesPerPage = 50;

struct PageSize {
    int width;
    int height;
};

// The page's size from the printable area in millimetres: hundredths of an inch
// (truncated), then the fixed factors the table layout was made with (12.71543
// across, 13.2 down), truncated.
PageSize pageSizeFromMillimetres(double widthMm, double heightMm);

// Room kept between a cell's edge and its text: the printer's dots per inch / 8,
// taken as twips.
int cellMarginForDpi(int dotsPerInch);

// x0..x6: x0 = 1000, each column as wide on paper as its share of the list's columns
// on screen (truncated). Negative list widths count as 0; when nothing is left, the
// list's standard widths are used instead.
// With `pictureColumn` (printing with pictures) the table begins with a column of that
// width for the pictures: x0 moves right by it and the six columns share what is left.
using ColumnEdges = std::array<int, 7>;
ColumnEdges columnEdges(const std::array<int, 6>& listWidths, int pageWidth, int pictureColumn = 0);

// Printing with pictures: each row whose slide has a picture shows it, fitted into a
// box of 3:2 at the left of the row, and is at least as tall as that box and its padding.
constexpr int PictureColumnWidth = 1500;
constexpr int PicturePadding = 60;
constexpr int RowPictureWidth = PictureColumnWidth - 2 * PicturePadding;
constexpr int RowPictureHeight = RowPictureWidth * 2 / 3;
// The line heights such a row takes at least: the box and its padding, rounded up.
int pictureRows(int lineHeight);

// How many line heights a row takes whose wrapped description is `textHeight` tall:
// the nearest whole number, an exact half going down, at least 1.
int rowsForTextHeight(int textHeight, int lineHeight);

// The print preparation's page table: entry p-1 is the first line of page p and the
// entry after the last page holds the line count. A line begins a new page when it
// would end below the page height, counted from the header rule, or when the page has
// 50 lines already.
struct PagePlan {
    std::vector<int> starts;
    int pagesStarted = 1;
};
PagePlan planPages(std::span<const int> rowsPerLine, int pageHeight, int lineHeight);

// The lines each printed page holds, [first, end). A page prints its planned lines
// from where the page before it stopped, and stops early at a line whose row would
// begin below the page height; that line opens the next page. Pages go on until
// every line is printed. An empty show prints one page.
struct PageLines {
    int first;
    int end;
};
std::vector<PageLines> printedPages(std::span<const int> rowsPerLine, int pageHeight, int lineHeight);

// Where the rows of a page stand: the first one a line height below the body top.
int firstRowTop(int lineHeight);
// The rule over the first row, 30 twips above it.
int ruleAboveRowsY(int lineHeight);

// The footer band: it starts 4 % below the page height.
Band footerBand(int pageHeight);

// The page number's box: as wide as its text plus a twentieth, ending at the page width.
int pageNumberLeft(int pageWidth, int textWidth);

}  // namespace vistrel::print
