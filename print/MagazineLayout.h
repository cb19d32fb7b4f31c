#pragma once
// Where everything goes on the pages of a magazine plan, worked out without a printer:
// the slots of each magazine in a grid, a new page for each magazine, and the parts of
// a slot. Distances are twips from the top-left corner of the printable area, y
// growing downward. Plain C++ so that the rules can be checked on their own.
#include <vector>

namespace vistrel::print {

// The magazine sizes offered; 80 unless chosen otherwise.
constexpr int MagazineSizes[] = {50, 80, 100, 140};
constexpr int DefaultMagazineSize = 80;
bool isMagazineSize(int slotCount);

constexpr int MagazineMargin = 720;  // half an inch all round
constexpr int MagazineColumns = 4;
constexpr int SlotGap = 120;            // between two slots, across and down
constexpr int SlotPadding = 60;         // inside a slot's frame
constexpr int MagazineHeaderLines = 4;  // the title, a gap, the magazine's heading, a gap
constexpr int MagazineFooterLines = 2;

struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Box&) const = default;
};

// How many slots a page holds and how large each is: four across the width inside the
// margins; a slot is its number's line, a picture of 3:2 and two lines below it; as
// many rows as fit between the header and the footer, at least one.
struct SlotGrid {
    int columns = 0;
    int rows = 0;
    int slotWidth = 0;
    int slotHeight = 0;
    int top = 0;  // the first row's top
    bool operator==(const SlotGrid&) const = default;
};
SlotGrid slotGrid(int pageWidth, int pageHeight, int lineHeight);

struct SlotPlace {
    int slot;  // the slide number it holds, from 1
    Box box;
    bool operator==(const SlotPlace&) const = default;
};

struct MagazinePage {
    int magazine = 1;       // from 1
    int magazineFirst = 1;  // the slide numbers the magazine holds: "Dias 81–160"
    int magazineLast = 0;
    bool startsMagazine = true;  // the magazine's first page carries its heading
    std::vector<SlotPlace> places;
};

// Slots 1 .. highestSlide, `slotsPerMagazine` to a magazine; each magazine starts a new
// page and fills the grid row by row. Slide 0 (dark) is no slot. A show without slots
// still has one page, for magazine 1 and no slot.
std::vector<MagazinePage> planMagazinePages(int highestSlide, int slotsPerMagazine, const SlotGrid& grid);

// The parts of a slot: its number's line at the top, the picture's box below it, then
// the description's line and the line that says how many lines show the slide.
struct SlotParts {
    Box number;
    Box picture;
    Box description;
    Box count;
};
SlotParts slotParts(const Box& slot, int lineHeight);

// The heading's line (the title and the magazine's line) and the footer's line.
Box magazineTitleLine(int pageWidth, int lineHeight);
Box magazineHeadingLine(int pageWidth, int lineHeight);
Box magazineFooterLine(int pageWidth, int pageHeight, int lineHeight);

}  // namespace vistrel::print
