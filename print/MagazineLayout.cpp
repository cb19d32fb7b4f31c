#include "print/MagazineLayout.h"

#include <algorithm>

namespace vistrel::print {

namespace {

int pictureHeightFor(int slotWidth) { return std::max(0, slotWidth - 2 * SlotPadding) * 2 / 3; }

}  // namespace

bool isMagazineSize(int slotCount) {
    return std::find(std::begin(MagazineSizes), std::end(MagazineSizes), slotCount) != std::end(MagazineSizes);
}

SlotGrid slotGrid(int pageWidth, int pageHeight, int lineHeight) {
    SlotGrid grid;
    grid.columns = MagazineColumns;
    const int inner = std::max(0, pageWidth - 2 * MagazineMargin);
    grid.slotWidth = std::max(0, (inner - (MagazineColumns - 1) * SlotGap) / MagazineColumns);
    grid.slotHeight = 3 * lineHeight + pictureHeightFor(grid.slotWidth) + 4 * SlotPadding;
    grid.top = MagazineMargin + MagazineHeaderLines * lineHeight;
    const int bottom = pageHeight - MagazineMargin - MagazineFooterLines * lineHeight;
    const int room = bottom - grid.top;
    grid.rows = std::max(1, grid.slotHeight > 0 ? (room + SlotGap) / (grid.slotHeight + SlotGap) : 1);
    return grid;
}

std::vector<MagazinePage> planMagazinePages(int highestSlide, int slotsPerMagazine, const SlotGrid& grid) {
    const int perMagazine = std::max(1, slotsPerMagazine);
    const int perPage = std::max(1, grid.columns) * std::max(1, grid.rows);
    std::vector<MagazinePage> pages;
    if (highestSlide < 1) {
        pages.push_back({1, 1, perMagazine, true, {}});
        return pages;
    }
    for (int first = 1; first <= highestSlide; first += perMagazine) {
        const int magazine = (first - 1) / perMagazine + 1;
        const int last = first + perMagazine - 1;
        const int shownLast = std::min(last, highestSlide);
        for (int pageFirst = first; pageFirst <= shownLast; pageFirst += perPage) {
            MagazinePage page{magazine, first, last, pageFirst == first, {}};
            for (int slot = pageFirst; slot <= std::min(shownLast, pageFirst + perPage - 1); ++slot) {
                const int index = slot - pageFirst;
                const int column = index % std::max(1, grid.columns);
                const int row = index / std::max(1, grid.columns);
                page.places.push_back(
                    {slot,
                     {MagazineMargin + column * (grid.slotWidth + SlotGap),
                      grid.top + row * (grid.slotHeight + SlotGap), grid.slotWidth, grid.slotHeight}});
            }
            pages.push_back(std::move(page));
        }
    }
    return pages;
}

SlotParts slotParts(const Box& slot, int lineHeight) {
    const int left = slot.x + SlotPadding;
    const int width = std::max(0, slot.width - 2 * SlotPadding);
    SlotParts parts;
    parts.number = {left, slot.y + SlotPadding, width, lineHeight};
    parts.picture = {left, parts.number.y + lineHeight + SlotPadding, width, pictureHeightFor(slot.width)};
    parts.description = {left, parts.picture.y + parts.picture.height + SlotPadding, width, lineHeight};
    parts.count = {left, parts.description.y + lineHeight, width, lineHeight};
    return parts;
}

Box magazineTitleLine(int pageWidth, int lineHeight) {
    return {MagazineMargin, MagazineMargin, std::max(0, pageWidth - 2 * MagazineMargin), lineHeight};
}

Box magazineHeadingLine(int pageWidth, int lineHeight) {
    Box line = magazineTitleLine(pageWidth, lineHeight);
    line.y += 2 * lineHeight;
    return line;
}

Box magazineFooterLine(int pageWidth, int pageHeight, int lineHeight) {
    return {MagazineMargin, pageHeight - MagazineMargin - lineHeight, std::max(0, pageWidth - 2 * MagazineMargin),
            lineHeight};
}

}  // namespace vistrel::print
