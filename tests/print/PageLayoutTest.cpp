// The rules of the printed page, without a printer: page size, column edges, how
// tall a row is, and which lines each page holds.
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "print/MagazineLayout.h"
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
        int pictureColumn = 0;
    };
    const Case cases[] = {
        {"standard widths on A4", {80, 80, 80, 80, 80, 350}, 10502, {1000, 2120, 3240, 4360, 5480, 6600, 11500}},
        {"a closed column", {100, 50, 0, 80, 120, 400}, 10502, {1000, 2400, 3100, 3100, 4220, 5900, 11501}},
        // Each share is truncated on its own, not the running sum.
        {"six equal columns", {1, 1, 1, 1, 1, 1}, 100, {1000, 1016, 1032, 1048, 1064, 1080, 1096}},
        {"a negative width counts as none", {-80, 80, 80, 80, 80, 350}, 6700, {1000, 1000, 1800, 2600, 3400, 4200, 7700}},
        // Nothing to share out: the list's standard widths stand in, no division by zero.
        {"every column closed", {0, 0, 0, 0, 0, 0}, 10502, {1000, 2120, 3240, 4360, 5480, 6600, 11500}},
        // Printed with pictures: the picture column first, the six share the rest.
        {"with pictures", {80, 80, 80, 80, 80, 350}, 10502, {2500, 3460, 4420, 5380, 6340, 7300, 11500}, 1500},
        {"a picture column wider than the page", {80, 80, 80, 80, 80, 350}, 1000, {2000, 2000, 2000, 2000, 2000, 2000, 2000}, 5000},
    };
    for (const Case& c : cases) EXPECT_EQ(columnEdges(c.listWidths, c.pageWidth, c.pictureColumn), c.edges) << c.name;
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

    // A row with a picture is at least as tall as the picture (920) and its padding (2 x 60).
    const Case pictureCases[] = {{Line, 5}, {300, 4}, {520, 2}, {1040, 1}, {1041, 1}, {0, 1}};
    for (const Case& c : pictureCases) EXPECT_EQ(pictureRows(c.textHeight), c.rows) << c.textHeight;
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

namespace vistrel::print {
namespace {

// The magazine plan on A4 without margins (11906 x 16838 twips), one line 238 high.
constexpr int A4WidthTwips = 11906;
constexpr int A4HeightTwips = 16838;

TEST(MagazineLayout, FourSlotsAcrossAsManyRowsAsFit) {
    const struct {
        int width, height, line;
        SlotGrid grid;
    } table[] = {
        {A4WidthTwips, A4HeightTwips, Line, {4, 5, 2526, 2558, 1672}},
        {16838, 11906, Line, {4, 2, 3759, 3380, 1672}},  // across: larger slots, fewer rows
        {2000, 2000, Line, {4, 1, 50, 954, 1672}},       // no room at all: still one row
    };
    for (const auto& row : table) EXPECT_EQ(slotGrid(row.width, row.height, row.line), row.grid) << row.width;
}

TEST(MagazineLayout, EachMagazineStartsAPage) {
    struct Page {
        int magazine, magazineFirst, magazineLast;
        bool starts;
        int firstSlot, lastSlot;
    };
    const SlotGrid grid{4, 5, 2526, 2558, 1672};  // 20 slots to a page
    const struct {
        int highest, perMagazine;
        std::vector<Page> pages;
    } table[] = {
        {100, 80, {{1, 1, 80, true, 1, 20}, {1, 1, 80, false, 21, 40}, {1, 1, 80, false, 41, 60},
                   {1, 1, 80, false, 61, 80}, {2, 81, 160, true, 81, 100}}},
        {90, 50, {{1, 1, 50, true, 1, 20}, {1, 1, 50, false, 21, 40}, {1, 1, 50, false, 41, 50},
                  {2, 51, 100, true, 51, 70}, {2, 51, 100, false, 71, 90}}},
        {81, 80, {{1, 1, 80, true, 1, 20}, {1, 1, 80, false, 21, 40}, {1, 1, 80, false, 41, 60},
                  {1, 1, 80, false, 61, 80}, {2, 81, 160, true, 81, 81}}},
        {7, 140, {{1, 1, 140, true, 1, 7}}},
        {0, 80, {{1, 1, 80, true, 0, -1}}},  // no slide but dark: one page without slots
    };
    for (const auto& row : table) {
        const std::vector<MagazinePage> pages = planMagazinePages(row.highest, row.perMagazine, grid);
        ASSERT_EQ(pages.size(), row.pages.size()) << row.highest << "/" << row.perMagazine;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            const MagazinePage& got = pages[i];
            const Page& want = row.pages[i];
            EXPECT_EQ(got.magazine, want.magazine) << i;
            EXPECT_EQ(got.magazineFirst, want.magazineFirst) << i;
            EXPECT_EQ(got.magazineLast, want.magazineLast) << i;
            EXPECT_EQ(got.startsMagazine, want.starts) << i;
            EXPECT_EQ(got.places.size(), static_cast<std::size_t>(want.lastSlot - want.firstSlot + 1)) << i;
            for (std::size_t k = 0; k < got.places.size(); ++k) EXPECT_EQ(got.places[k].slot, want.firstSlot + int(k));
        }
    }
}

TEST(MagazineLayout, SlotsFillTheGridRowByRow) {
    const SlotGrid grid{4, 5, 2526, 2558, 1672};
    const std::vector<MagazinePage> pages = planMagazinePages(30, 80, grid);
    const struct {
        std::size_t page, index;
        SlotPlace place;
    } table[] = {
        {0, 0, {1, {720, 1672, 2526, 2558}}},
        {0, 3, {4, {8658, 1672, 2526, 2558}}},
        {0, 5, {6, {3366, 4350, 2526, 2558}}},
        {0, 19, {20, {8658, 12384, 2526, 2558}}},
        {1, 0, {21, {720, 1672, 2526, 2558}}},  // the next page begins at the top again
    };
    for (const auto& row : table) EXPECT_EQ(pages.at(row.page).places.at(row.index), row.place) << row.place.slot;

    const SlotParts parts = slotParts({720, 1672, 2526, 2558}, Line);
    EXPECT_EQ(parts.number, (Box{780, 1732, 2406, 238}));
    EXPECT_EQ(parts.picture, (Box{780, 2030, 2406, 1604}));
    EXPECT_EQ(parts.description, (Box{780, 3694, 2406, 238}));
    EXPECT_EQ(parts.count, (Box{780, 3932, 2406, 238}));
}

}  // namespace
}  // namespace vistrel::print
