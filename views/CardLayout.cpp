#include "views/CardLayout.h"

#include <algorithm>

namespace vistrel {

CardLayout::CardLayout(int count, int width, int cardWidth, int cardHeight, int gap)
    : count_(std::max(0, count)),
      cardWidth_(std::max(1, cardWidth)),
      cardHeight_(std::max(1, cardHeight)),
      gap_(std::max(0, gap)),
      columns_(std::max(1, (width - gap_) / (cardWidth_ + gap_))) {}

int CardLayout::rows() const { return (count_ + columns_ - 1) / columns_; }

int CardLayout::contentHeight() const { return gap_ + rows() * (cardHeight_ + gap_); }

CardBox CardLayout::cardBox(int index) const {
    const int column = index % columns_;
    const int row = index / columns_;
    return {gap_ + column * (cardWidth_ + gap_), gap_ + row * (cardHeight_ + gap_), cardWidth_, cardHeight_};
}

int CardLayout::cardAt(int x, int y) const {
    if (x < gap_ || y < gap_) return -1;
    const int column = (x - gap_) / (cardWidth_ + gap_);
    const int row = (y - gap_) / (cardHeight_ + gap_);
    if (column >= columns_) return -1;
    // Inside the pitch but in the gap after the card.
    if ((x - gap_) % (cardWidth_ + gap_) >= cardWidth_ || (y - gap_) % (cardHeight_ + gap_) >= cardHeight_) return -1;
    const int index = row * columns_ + column;
    return index < count_ ? index : -1;
}

int CardLayout::insertionAt(int x, int y) const {
    if (y < gap_) return 0;
    const int row = (y - gap_) / (cardHeight_ + gap_);
    if (row >= rows()) return count_;
    const int pitch = cardWidth_ + gap_;
    // The edge nearest to x: the left edge of card `place` in the row.
    const int place = std::clamp((x - gap_ + cardWidth_ / 2) / pitch, 0, columns_);
    return std::min(count_, row * columns_ + place);
}

std::pair<int, int> CardLayout::cardsBetween(int top, int bottom) const {
    const int pitch = cardHeight_ + gap_;
    const int firstRow = std::max(0, (top - gap_) / pitch);
    const int lastRow = std::max(0, (bottom - gap_) / pitch);
    return {std::min(count_, firstRow * columns_), std::min(count_, (lastRow + 1) * columns_)};
}

int moveTargetFor(int insertion, const std::vector<int>& rows) {
    const auto before = std::count_if(rows.begin(), rows.end(), [insertion](int row) { return row < insertion; });
    return insertion - static_cast<int>(before);
}

}  // namespace vistrel
