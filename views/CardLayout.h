#pragma once
// Where the cards of the light table stand: the lines in program order, wrapped in rows
// that fill the window's width, and which card or which place between two cards lies
// under a point. Plain numbers only, so that the rules can be checked without a window.
#include <vector>

namespace vistrel {

struct CardBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const CardBox&, const CardBox&) = default;
};

class CardLayout {
public:
    // `count` cards of `cardWidth` x `cardHeight` with `gap` pixels around each, in a
    // window `width` pixels wide; at least one card to a row, however narrow it is.
    CardLayout(int count, int width, int cardWidth, int cardHeight, int gap);

    int columns() const { return columns_; }
    int rows() const;
    // The height the cards need, the gap below the last row included.
    int contentHeight() const;
    CardBox cardBox(int index) const;
    // The card under a point, -1 for a gap or below the last card.
    int cardAt(int x, int y) const;
    // The place a drop at a point puts cards: 0 before the first card, `count` after the
    // last; between two cards the nearer edge counts. Above the first row is 0, below
    // the last row `count`.
    int insertionAt(int x, int y) const;
    // The cards that lie, wholly or in part, between `top` and `bottom` (first, last+1).
    std::pair<int, int> cardsBetween(int top, int bottom) const;

private:
    int count_;
    int cardWidth_;
    int cardHeight_;
    int gap_;
    int columns_;
};

// The line the first of `rows` (ascending) becomes when they are dropped at `insertion`:
// the place counted without the moved lines that stand before it.
int moveTargetFor(int insertion, const std::vector<int>& rows);

}  // namespace vistrel
