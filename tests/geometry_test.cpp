#include <gtest/gtest.h>

#include <limits>

#include "ui/geometry.h"

namespace {

// Every point of a cell, its top and left edges included, finds that cell; anything absurd
// lands far off the board.
TEST(Geometry, EveryPointFindsTheCellItLiesIn) {
    for (int c = -3; c <= 14; ++c) {
        EXPECT_EQ(cellColumn(セル左(c)), c);
        EXPECT_EQ(cellColumn(cellMiddleX(c)), c);
        EXPECT_EQ(cellColumn(セル左(c + 1) - 0.01), c);
        EXPECT_EQ(cellRow(セル上(c)), c);
        EXPECT_EQ(cellRow(cellMiddleY(c)), c);
        EXPECT_EQ(cellRow(セル上(c + 1) - 0.01), c);
    }
    // The window's own numbers: the board's corner and the last twip of square (9, 9).
    EXPECT_EQ(cellColumn(1049.99), -1);
    EXPECT_EQ(cellColumn(1050 + 495), 1);
    EXPECT_EQ(cellRow(100 + 615 * 10 - 1), 9);
    for (const double absurd : {std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::infinity(), -1e300, 1e300}) {
        EXPECT_EQ(cellColumn(absurd), -1000);
        EXPECT_EQ(cellRow(absurd), -1000);
    }
}

// The stands as the screen shows them: MAN's from the pawn down, COM's from the rook down.
TEST(Geometry, EveryKindHasOnePlaceOnEachStand) {
    EXPECT_EQ(standCell(Side::MAN, HU), (Cell{11, 3}));
    EXPECT_EQ(standCell(Side::MAN, SYA), (Cell{11, 9}));
    EXPECT_EQ(standCell(Side::COM, HU), (Cell{-1, 7}));
    EXPECT_EQ(standCell(Side::COM, SYA), (Cell{-1, 1}));
    for (const Side side : {Side::MAN, Side::COM})
        for (int k = HU; k <= SYA; ++k) {
            const Cell at = standCell(side, k);
            EXPECT_EQ(kindAtStand(at.x, at.y), k);
        }
    for (const Cell none :
         {Cell{11, 2}, Cell{11, 10}, Cell{-1, 0}, Cell{-1, 8}, Cell{5, 5}, Cell{12, 3}, Cell{0, 3}})
        EXPECT_EQ(kindAtStand(none.x, none.y), 0) << none.x << ' ' << none.y;
}

}  // namespace
