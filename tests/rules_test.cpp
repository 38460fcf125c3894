#include <gtest/gtest.h>

#include "core/moves.h"
#include "core/position.h"
#include "core/rules.h"

namespace {

struct Rules : ::testing::Test {
    Position p;
    int check(int fx, int fy, int tx, int ty, int c) { return 移動チェック(p, fx, fy, tx, ty, c); }
    int reachable(int fx, int fy, int c) {
        int n = 0;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) n += check(fx, fy, x, y, c);
        return n;
    }
};

TEST_F(Rules, NoPieceMovesOntoItsOwnSquareOrOffTheBoard) {
    for (int c : {10,  20,  30,  40,  50,  60,  61,  70,  71,  80,
                  -10, -20, -30, -40, -50, -60, -61, -70, -71, -80}) {
        p.put(5, 5, c);
        EXPECT_EQ(check(5, 5, 5, 5, c), OFF) << c;
        EXPECT_EQ(check(5, 5, 0, 5, c), OFF) << c;
        EXPECT_EQ(check(5, 5, 10, 5, c), OFF) << c;
        EXPECT_EQ(check(5, 5, 5, 0, c), OFF) << c;
        EXPECT_EQ(check(5, 5, 5, 10, c), OFF) << c;
    }
}

TEST_F(Rules, StepPiecesHaveTheirGeometry) {
    // From the middle of an empty board.
    EXPECT_EQ(reachable(5, 5, COM_HU), 1);
    EXPECT_EQ(check(5, 5, 5, 6, COM_HU), ON);
    EXPECT_EQ(check(5, 5, 5, 4, MAN_HU), ON);
    EXPECT_EQ(reachable(5, 5, COM_KEI), 2);
    EXPECT_EQ(check(5, 5, 4, 7, COM_KEI), ON);
    EXPECT_EQ(check(5, 5, 6, 3, MAN_KEI), ON);
    EXPECT_EQ(check(5, 5, 6, 7, MAN_KEI), OFF);  // never backwards
    EXPECT_EQ(reachable(5, 5, COM_GIN), 5);
    EXPECT_EQ(check(5, 5, 5, 4, COM_GIN), OFF);  // no straight step back
    EXPECT_EQ(check(5, 5, 4, 4, COM_GIN), ON);
    EXPECT_EQ(check(5, 5, 4, 6, MAN_GIN), ON);
    for (int c : {COM_KIN, COM_TO, COM_NARIKYOU, COM_NARIKEI, COM_NARIGIN, MAN_KIN, MAN_TO}) {
        EXPECT_EQ(reachable(5, 5, c), 6) << c;
    }
    EXPECT_EQ(check(5, 5, 4, 6, COM_KIN), ON);
    EXPECT_EQ(check(5, 5, 4, 4, COM_KIN), OFF);
    EXPECT_EQ(check(5, 5, 4, 4, MAN_KIN), ON);
    EXPECT_EQ(reachable(5, 5, COM_OU), 8);
    EXPECT_EQ(reachable(5, 5, MAN_OU), 8);
    EXPECT_EQ(reachable(1, 1, MAN_OU), 3);
}

TEST_F(Rules, RangingPiecesAreBlockedByEitherSide) {
    EXPECT_EQ(reachable(5, 5, COM_SYA), 16);
    EXPECT_EQ(reachable(5, 5, COM_KAKU), 16);
    EXPECT_EQ(reachable(5, 5, COM_RYU), 20);
    EXPECT_EQ(reachable(5, 5, MAN_UMA), 20);
    EXPECT_EQ(reachable(5, 5, COM_KYOU), 4);
    EXPECT_EQ(check(5, 5, 5, 4, COM_KYOU), OFF);  // a lance never goes back
    EXPECT_EQ(reachable(5, 5, MAN_KYOU), 4);

    p.put(5, 3, COM_HU);  // own blocker
    p.put(7, 5, MAN_HU);  // enemy blocker
    p.put(3, 3, MAN_KIN);
    EXPECT_EQ(check(5, 5, 5, 2, MAN_SYA), OFF);
    EXPECT_EQ(check(5, 5, 5, 3, MAN_SYA), ON);  // the blocker itself can be captured
    EXPECT_EQ(check(5, 5, 8, 5, MAN_SYA), OFF);
    EXPECT_EQ(check(5, 5, 7, 5, MAN_SYA), OFF);  // own piece
    EXPECT_EQ(check(5, 5, 2, 2, COM_KAKU), OFF);
    EXPECT_EQ(check(5, 5, 3, 3, COM_KAKU), ON);
    EXPECT_EQ(check(5, 5, 5, 2, MAN_KYOU), OFF);
    EXPECT_EQ(check(5, 5, 5, 3, MAN_KYOU), ON);
    // Dragon and horse always step one square, also diagonally / orthogonally.
    EXPECT_EQ(check(5, 5, 4, 4, MAN_RYU), ON);
    EXPECT_EQ(check(5, 5, 5, 4, COM_UMA), ON);
    // Every diagonal direction of the bishop walk.
    EXPECT_EQ(check(5, 5, 9, 1, COM_KAKU), ON);
    EXPECT_EQ(check(5, 5, 1, 9, COM_KAKU), ON);
    EXPECT_EQ(check(5, 5, 9, 9, COM_KAKU), ON);
    p.put(8, 8, COM_HU);
    EXPECT_EQ(check(5, 5, 9, 9, COM_KAKU), OFF);
    EXPECT_EQ(check(5, 5, 6, 3, COM_KAKU), OFF);
}

TEST_F(Rules, DropsFollowTheLastRowAndTwoPawnRules) {
    EXPECT_EQ(check(11, 3, 5, 1, MAN_HU), OFF);
    EXPECT_EQ(check(11, 4, 5, 1, MAN_KYOU), OFF);
    EXPECT_EQ(check(11, 5, 5, 2, MAN_KEI), OFF);
    EXPECT_EQ(check(11, 5, 5, 3, MAN_KEI), ON);
    EXPECT_EQ(check(-1, 1, 5, 9, COM_HU), OFF);
    EXPECT_EQ(check(-1, 2, 5, 9, COM_KYOU), OFF);
    EXPECT_EQ(check(-1, 3, 5, 8, COM_KEI), OFF);
    EXPECT_EQ(check(-1, 3, 5, 7, COM_KEI), ON);
    for (int c : {MAN_GIN, MAN_KIN, MAN_KAKU, MAN_SYA}) EXPECT_EQ(reachable(11, 0, c), 81);

    p.put(4, 6, MAN_HU);
    p.put(6, 6, MAN_TO);
    p.put(7, 2, COM_HU);
    調査_2歩フラグ設定(p);
    EXPECT_EQ(check(11, 3, 4, 5, MAN_HU), OFF);  // two pawns
    EXPECT_EQ(check(11, 3, 6, 5, MAN_HU), ON);   // a tokin does not count
    EXPECT_EQ(check(-1, 1, 7, 5, COM_HU), OFF);
    EXPECT_EQ(check(-1, 1, 4, 5, COM_HU), ON);
    EXPECT_EQ(check(11, 6, 4, 6, MAN_KIN), OFF);  // occupied square
    // The other side's stand column fails the geometry.
    EXPECT_EQ(check(-1, 1, 5, 5, MAN_HU), OFF);
    EXPECT_EQ(check(11, 3, 5, 5, COM_KEI), OFF);
}

TEST_F(Rules, OnlyTheTwoStandColumnsAreSourcesOffTheBoard) {
    // Any other source off the board is no move, whatever the piece (index safety).
    for (int c : {COM_KYOU, COM_SYA, COM_KAKU, COM_RYU, MAN_KYOU, MAN_HU, MAN_KIN, MAN_UMA}) {
        EXPECT_EQ(check(0, 5, 5, 5, c), OFF) << c;
        EXPECT_EQ(check(10, 5, 5, 5, c), OFF) << c;
        EXPECT_EQ(check(5, 0, 5, 5, c), OFF) << c;
        EXPECT_EQ(check(5, 10, 5, 5, c), OFF) << c;
        EXPECT_EQ(check(-7, 40, 5, 5, c), OFF) << c;
    }
    // The stand columns ignore the row.
    EXPECT_EQ(check(-1, 99, 5, 5, COM_SYA), ON);
    EXPECT_EQ(check(11, -5, 5, 5, MAN_KEI), ON);
    EXPECT_EQ(check(-1, 99, 5, 5, COM_KYOU), ON);
}

TEST_F(Rules, DirectionAndDistance) {
    EXPECT_EQ(取得_進行方向(5, 5, 5, 2), (Step{0, -1}));  // towards row 1
    EXPECT_EQ(取得_進行方向(5, 5, 7, 7), (Step{1, 1}));
    EXPECT_EQ(取得_進行方向(5, 5, 3, 4), (Step{-1, -1}));  // not on a line: signs only
    EXPECT_EQ(取得_進行方向(5, 5, 5, 5), (Step{0, 0}));
    EXPECT_EQ(取得_進行方向(5, 5, 2, 5), (Step{-1, 0}));
    EXPECT_EQ(取得_移動桝数(5, 5, 8, 2), 3);
    EXPECT_EQ(取得_移動桝数(5, 5, 5, 1), 4);
    p.put(9, 9, MAN_OU);
    EXPECT_EQ(調査_駒存在(p, MAN_OU), ON);
    EXPECT_EQ(調査_駒存在(p, COM_OU), OFF);
}

TEST_F(Rules, PromotionZonesAndCompulsoryPromotion) {
    auto may = [](int fx, int fy, int tx, int ty, int c) {
        const Promotion pr = 調査_駒成(fx, fy, tx, ty, c);
        return pr.may ? pr.code : 0;
    };
    EXPECT_EQ(may(5, 4, 5, 3, MAN_HU), MAN_TO);
    EXPECT_EQ(may(5, 5, 5, 4, MAN_HU), 0);
    EXPECT_EQ(may(5, 3, 4, 4, MAN_GIN), MAN_NARIGIN);  // leaving the zone
    EXPECT_EQ(may(5, 3, 5, 4, MAN_HU), 0);             // a pawn only on arrival
    EXPECT_EQ(may(2, 6, 2, 7, COM_SYA), COM_RYU);
    EXPECT_EQ(may(5, 6, 5, 7, COM_KIN), 0);
    EXPECT_EQ(may(5, 6, 5, 7, COM_TO), 0);
    EXPECT_EQ(may(11, 3, 5, 2, MAN_HU), 0);  // drops never promote
    EXPECT_EQ(may(-1, 1, 5, 8, COM_HU), 0);

    EXPECT_EQ(移動後チェック(1, MAN_HU), OFF);
    EXPECT_EQ(移動後チェック(1, MAN_KYOU), OFF);
    EXPECT_EQ(移動後チェック(2, MAN_KEI), OFF);
    EXPECT_EQ(移動後チェック(3, MAN_KEI), ON);
    EXPECT_EQ(移動後チェック(1, MAN_GIN), ON);
    EXPECT_EQ(移動後チェック(9, COM_HU), OFF);
    EXPECT_EQ(移動後チェック(8, COM_KEI), OFF);
    EXPECT_EQ(移動後チェック(8, COM_KYOU), ON);
}

}  // namespace
