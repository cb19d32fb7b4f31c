#include "print/PageLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vistrel::print {

namespace {
// The list's own standard widths, for a list whose columns were all pushed shut.
constexpr std::array<int, 6> StandardListWidths{80, 80, 80, 80, 80, 350};

int hundredthsOfInch(double millimetres) {
    if (!(millimetres > 0)) return 0;
    // A hair over the exact value so that 215.9 mm is 850 and not 849.999...
    return static_cast<int>(std::floor(millimetres * 1000.0 / 254.0 + 1e-9));
}
}  // namespace

PageSize pageSizeFromMillimetres(double widthMm, double heightMm) {
    // In whole numbers: the factors are 12.71543 and 13.2, and a double of 13.2 times
    // 1100 would fall just short of 14520.
    const std::int64_t across = hundredthsOfInch(widthMm);
    const std::int64_t down = hundredthsOfInch(heightMm);
    return {static_cast<int>(across * 1271543 / 100000), static_cast<int>(down * 132 / 10)};
}

int cellMarginForDpi(int dotsPerInch) { return std::max(0, dotsPerInch) / 8; }

ColumnEdges columnEdges(const std::array<int, 6>& listWidths, int pageWidth, int pictureColumn) {
    pictureColumn = std::clamp(pictureColumn, 0, std::max(pageWidth, 0));
    pageWidth -= pictureColumn;
    std::array<std::int64_t, 6> widths{};
    std::int64_t sum = 0;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        widths[c] = std::max(0, listWidths[c]);
        sum += widths[c];
    }
    if (sum == 0) {
        for (std::size_t c = 0; c < widths.size(); ++c) widths[c] = StandardListWidths[c];
        sum = 750;
    }
    ColumnEdges edges{};
    edges[0] = TableLeft + pictureColumn;
    for (std::size_t c = 0; c < widths.size(); ++c)
        edges[c + 1] = edges[c] + static_cast<int>(widths[c] * pageWidth / sum);
    return edges;
}

int pictureRows(int lineHeight) {
    if (lineHeight <= 0) return 1;
    const int height = RowPictureHeight + 2 * PicturePadding;
    return (height + lineHeight - 1) / lineHeight;
}

int rowsForTextHeight(int textHeight, int lineHeight) {
    if (lineHeight <= 0) return 1;
    int rows = textHeight / lineHeight;
    if (2 * (textHeight % lineHeight) > lineHeight) ++rows;  // an exact half goes down
    return std::max(1, rows);
}

PagePlan planPages(std::span<const int> rowsPerLine, int pageHeight, int lineHeight) {
    const int lineCount = static_cast<int>(rowsPerLine.size());
    PagePlan plan;
    plan.starts.assign(1, 0);
    auto record = [&plan](int page, int line) {
        // Entry `page` is the first line of page page + 1.
        plan.starts.resize(static_cast<std::size_t>(page) + 1, line);
        plan.starts[static_cast<std::size_t>(page)] = line;
    };
    int page = 1;
    int linesOnPage = 1;
    long long y = PaginationTop;
    for (int i = 0; i < lineCount; ++i) {
        const long long height = static_cast<long long>(rowsPerLine[static_cast<std::size_t>(i)]) * lineHeight;
        y += height;
        if (y > pageHeight || linesOnPage > MaxLinesPerPage) {
            record(page, i);
            ++page;
            linesOnPage = 1;
            y = PaginationTop + height;
        }
        ++linesOnPage;
    }
    record(page, lineCount);
    plan.pagesStarted = page;
    return plan;
}

std::vector<PageLines> printedPages(std::span<const int> rowsPerLine, int pageHeight, int lineHeight) {
    const int lineCount = static_cast<int>(rowsPerLine.size());
    const PagePlan plan = planPages(rowsPerLine, pageHeight, lineHeight);
    std::vector<PageLines> pages;
    int start = 0;
    for (int page = 1;; ++page) {
        // The planned end; a page added because earlier pages stopped short takes what
        // is left, 50 lines at most.
        const int plannedEnd = page <= plan.pagesStarted ? plan.starts[static_cast<std::size_t>(page)]
                                                         : std::min(lineCount, start + MaxLinesPerPage);
        long long y = firstRowTop(lineHeight);
        int line = start;
        while (line < plannedEnd) {
            // A row that would begin below the page height goes to the next page; the
            // first row of a page has no row above it and always stands.
            if (line > start && y > pageHeight) break;
            y += static_cast<long long>(rowsPerLine[static_cast<std::size_t>(line)]) * lineHeight;
            ++line;
        }
        pages.push_back({start, line});
        if (line >= lineCount) break;
        start = line;
    }
    return pages;
}

int firstRowTop(int lineHeight) { return BodyTop + lineHeight; }

int ruleAboveRowsY(int lineHeight) { return firstRowTop(lineHeight) - RuleWidth; }

Band footerBand(int pageHeight) {
    const int top = static_cast<int>(static_cast<long long>(pageHeight) * 104 / 100);
    return {top, top + FooterHeight};
}

int pageNumberLeft(int pageWidth, int textWidth) { return pageWidth - (textWidth + textWidth / 20); }

}  // namespace vistrel::print
