// The light table's cards: rows for a width, the card under a point, the place a drop
// goes to, and where a dropped block of lines lands.
#include <gtest/gtest.h>

#include "views/CardLayout.h"

namespace vistrel {
namespace {

TEST(CardLayout, CardsWrapInRowsForTheWidth) {
    struct Case {
        int count, width, columns, rows, contentHeight;
    };
    // Cards of 100 x 80 with a gap of 10.
    const Case cases[] = {
        {10, 500, 4, 3, 280}, {10, 450, 4, 3, 280}, {10, 449, 3, 4, 370},
        {10, 50, 1, 10, 910},  // narrower than a card: one to a row
        {10, 0, 1, 10, 910},   {0, 500, 4, 0, 10},  {4, 500, 4, 1, 100},
    };
    for (const auto& c : cases) {
        const CardLayout layout(c.count, c.width, 100, 80, 10);
        EXPECT_EQ(layout.columns(), c.columns) << c.count << " in " << c.width;
        EXPECT_EQ(layout.rows(), c.rows) << c.count << " in " << c.width;
        EXPECT_EQ(layout.contentHeight(), c.contentHeight) << c.count << " in " << c.width;
    }
}

TEST(CardLayout, CardsStandInProgramOrder) {
    const CardLayout layout(10, 500, 100, 80, 10);
    const std::pair<int, CardBox> cases[] = {{0, {10, 10, 100, 80}},  {3, {340, 10, 100, 80}},
                                             {4, {10, 100, 100, 80}}, {9, {120, 190, 100, 80}}};
    for (const auto& [index, box] : cases) EXPECT_EQ(layout.cardBox(index), box) << index;
}

TEST(CardLayout, CardUnderAPoint) {
    const CardLayout layout(10, 500, 100, 80, 10);
    struct Case {
        int x, y, card;
    };
    const Case cases[] = {
        {10, 10, 0},   {109, 89, 0},  {110, 50, -1},  // the gap right of the first card
        {5, 50, -1},   {50, 95, -1},  // left margin, gap below the first row
        {125, 105, 5}, {340, 20, 3},  {450, 20, -1},  // right of the last column
        {400, 200, -1},  // past the last card of the last row
        {-3, -3, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(layout.cardAt(c.x, c.y), c.card) << c.x << "," << c.y;
}

TEST(CardLayout, DropPlaceIsTheNearerEdge) {
    const CardLayout layout(10, 500, 100, 80, 10);
    struct Case {
        int x, y, place;
    };
    const Case cases[] = {
        {0, 0, 0},    {50, 20, 0},   {70, 20, 1},   // left half of card 0, right half
        {470, 20, 4}, {70, 100, 5},  {230, 195, 10},  // after the last card of the last row
        {480, 200, 10}, {50, 500, 10},  // below the last row
        {-20, 150, 4},  // left of the second row: before its first card
    };
    for (const auto& c : cases) EXPECT_EQ(layout.insertionAt(c.x, c.y), c.place) << c.x << "," << c.y;
}

TEST(CardLayout, CardsBetweenTwoHeights) {
    const CardLayout layout(10, 500, 100, 80, 10);
    const std::tuple<int, int, int, int> cases[] = {
        {0, 99, 0, 4}, {100, 150, 4, 8}, {95, 200, 0, 10}, {0, 5000, 0, 10}, {300, 400, 10, 10}};
    for (const auto& [top, bottom, first, end] : cases)
        EXPECT_EQ(layout.cardsBetween(top, bottom), std::make_pair(first, end)) << top << ".." << bottom;
}

TEST(CardLayout, DroppedBlockLandsAtThePlaceWithoutItself) {
    const std::tuple<int, std::vector<int>, int> cases[] = {
        {6, {2, 3}, 4}, {0, {2, 3}, 0}, {3, {2, 3}, 2} /* inside itself: stays */, {10, {0, 9}, 8}, {5, {7}, 5}};
    for (const auto& [place, rows, target] : cases) EXPECT_EQ(moveTargetFor(place, rows), target) << place;
}

}  // namespace
}  // namespace vistrel
