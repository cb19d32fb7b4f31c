#pragma once
// Moving program lines to another place in the show: the list's Alt+Up and Alt+Down
// and `vistrel-cli move`. A moved line takes its slide number, times, code and
// description with it; only the program numbers follow the new order. The orders are
// worked out as pure functions first, so that the rule of a move can be checked
// without a show.
#include <vector>

#include "model/ShowEditing.h"

namespace vistrel {

// An order of the lines: entry i is the old index of the line that stands at i.
using LineOrder = std::vector<int>;

// `rows` (ascending, distinct, each below `lineCount`) taken out and put back as one
// block, in their order, so that the first of them becomes line `target` (0-based) of
// the result; the other lines keep their order around the block. `target` runs from 0
// to lineCount - rows.size(); outside that, or with no rows, nothing moves (the
// order stays as it is).
LineOrder orderMovingTo(int lineCount, const std::vector<int>& rows, int target);

// Each of `rows` one place up (`step` -1) or down (+1), past the line beside the run of
// rows it belongs to; a run of neighbouring rows moves as one. Nothing moves when the
// first row is already at the top (up) or the last one at the bottom (down).
LineOrder orderMovingOnePlace(int lineCount, const std::vector<int>& rows, int step);

// Where a move sends the selected lines.
struct LineMove {
    enum class Kind { ToLine, OnePlaceUp, OnePlaceDown };
    Kind kind = Kind::ToLine;
    int target = 0;  // ToLine: the 0-based line the first moved line becomes

    static LineMove toLine(int target) { return {Kind::ToLine, target}; }
};

class LineMoving {
public:
    explicit LineMoving(ShowEditing& editing) : e_(editing) {}

    // Moves the lines selected in the list. The moved lines stay selected where they now
    // stand, and the editor keeps working on the line it had. False when nothing moved.
    bool moveSelected(const LineMove& move);
    // Puts the lines into `order` (a permutation of 0 .. lineCount-1). False when it is
    // the order they have.
    bool reorder(const LineOrder& order);

private:
    ShowEditing& e_;
};

}  // namespace vistrel
