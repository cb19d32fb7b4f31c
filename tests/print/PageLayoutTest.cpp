// The rules of the printed page, without a printer: page size, column edges, how
// tall a row is, and which lines each page holds.
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "print/PageLayout.h"

namespace vistrel::print {
namespace {

constexpr int A4Height = 15430;
constexpr int LetterHeight = 14520;
constexpr int Line = 238;  // one row of 10.5 point Courier New, in twips

TEST(PrintPageSize, FromThePrintableAreaInMillimetres) {
    struct Case {
        double widthMm, heightMm;
        int width, height;
    };
    const Case cases[] = {
        {210, 297, 10502, 15430},    // A4: 826 and 1169 hundredths of an inch
        {215.9, 279.4, 10808, 14520},  // Letter: exactly 850 and 1100 hundredths
        {297, 210, 14864, 10903},    // A4 across
        {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const PageSize size = pageSizeFromMillimetres(c.widthMm, c.heightMm);
        EXPECT_EQ(size.width, c.width) << c.widthMm;
        EXPECT_EQ(size.height, c.height) << c.heightMm;
    }
}

TEST(PrintColumnEdges, EachColumnItsShareOfTheListTruncated) {
    struct Case {
        const char* name;
        std::array<int, 6> listWidths;
        int pageWidth;
        ColumnEdges edges;
    };
    const Case cases[] = {
        {"standard widths on A4", {80, 80, 80, 80, 80, 350}, 10502, {1000, 2120, 3240, 4360, 5480, 6600, 11500}},
        {"a closed column", {100, 50, 0, 80, 120, 400}, 10502, {1000, 2400, 3100, 3100, 4220, 5900, 11501}},
        // Each share is truncated on its own, not the running sum.
        {"six equal columns", {1, 1, 1, 1, 1, 1}, 100, {1000, 1016, 1032, 1048, 1064, 1080, 1096}},
        {"a negative width counts as none", {-80, 80, 80, 80, 80, 350}, 6700, {1000, 1000, 1800, 2600, 3400, 4200, 7700}},
        // Nothing to share out: the list's standard widths stand in, no division by zero.
        {"every column closed", {0, 0, 0, 0, 0, 0}, 10502, {1000, 2120, 3240, 4360, 5480, 6600, 11500}},
    };
    for (const Case& c : cases) EXPECT_EQ(columnEdges(c.listWidths, c.pageWidth), c.edges) << c.name;
}

TEST(PrintRowHeight, WrappedHeightToTheNearestLineAnExactHalfGoingDown) {
    struct Case {
        int textHeight;
        int rows;
    };
    const Case cases[] = {
        {0, 1},    {100, 1},  {238, 1}, {357, 1},  // 1.5 line heights: down
        {381, 2},                                   // 1.6
        {595, 2},  {596, 3},  {714, 3}, {2380, 10},
    };
    for (const Case& c : cases) EXPECT_EQ(rowsForTextHeight(c.textHeight, Line), c.rows) << c.textHeight;
}

std::vector<int> repeated(int rows, int count) { return std::vector<int>(static_cast<std::size_t>(count), rows); }

std::vector<int> joined(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The number of lines on each printed page, checking on the way that the pages
// follow each other without a gap or an overlap.
std::vector<int> linesPerPage(const std::vector<int>& rows, int pageHeight) {
    std::vector<int> counts;
    int expectedFirst = 0;
    for (const PageLines& page : printedPages(rows, pageHeight, Line)) {
        EXPECT_EQ(page.first, expectedFirst);
        counts.push_back(page.end - page.first);
        expectedFirst = page.end;
    }
    return counts;
}

TEST(PrintPagination, LinesOnEachPrintedPage) {
    struct Case {
        const char* name;
        std::vector<int> rows;  // line heights of each program line
        int pageHeight;
        std::vector<int> pages;
    };
    const Case cases[] = {
        {"an empty show prints one page", {}, A4Height, {0}},
        {"50 lines fill a page", repeated(1, 50), A4Height, {50}},
        {"the 51st line opens page 2", repeated(1, 51), A4Height, {50, 1}},
        {"120 one-line rows", repeated(1, 120), A4Height, {50, 50, 20}},
        // Tall rows: a line goes on when it would end below the page height.
        {"rows of five lines", repeated(5, 25), A4Height, {10, 10, 5}},
        // On Letter the 50th row would begin below the page height: it opens the next
        // page, and the pages go on until every line is printed.
        {"Letter, 150 one-line rows", repeated(1, 150), LetterHeight, {49, 49, 49, 3}},
        // The preparation keeps the 50th line on page 1 (it ends above the page height
        // counted from the header rule); drawn a row lower, it would begin below it.
        {"a row the drawing moves on", joined(joined({5}, repeated(1, 48)), repeated(1, 11)), A4Height, {49, 11}},
    };
    for (const Case& c : cases) EXPECT_EQ(linesPerPage(c.rows, c.pageHeight), c.pages) << c.name;
}

TEST(PrintPagination, HasNoPageLimit) {
    // Six-line rows: nine lines a page, so 999 lines need 111 pages, every one printed.
    EXPECT_EQ(linesPerPage(repeated(6, 999), A4Height), repeated(9, 111));
}

TEST(PrintPagination, RowsTallerThanAPageEachGetTheirOwn) {
    // As the pagination always had it, the first page stays empty: the first row does not fit it.
    EXPECT_EQ(linesPerPage(repeated(100, 999), A4Height), joined({0}, repeated(1, 999)));
}

}  // namespace
}  // namespace vistrel::print
