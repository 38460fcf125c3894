#include <gtest/gtest.h>

#include <memory>

#include "ai/mate.h"
#include "ai/survey.h"
#include "core/history.h"
#include "core/moves.h"
#include "test_util.h"

namespace {

struct Mate : ::testing::Test {
    AiFixture f;
    Analysis& s = f.s;

    void put(int x, int y, int c) { s.pos.put(x, y, c); }
    void hand(int kind, int n) { s.pos.setHand(Side::MAN, kind, s.pos.manHand()[kind] + n); }
    // Surveys, asks, and checks that the board came back unchanged.
    int mated() {
        勢力調査(s);
        const Map before = s.pos.board();
        const int answer = 詰めかMAN(s);
        EXPECT_EQ(s.pos.board(), before) << "board not restored";
        return answer;
    }
    // MAN king in the corner, boxed in by a pawn and a lance that cannot help, checked
    // down the file by a COM rook on (1, 5): (1, 6), (1, 7), (1, 8) lie between.
    void cornerRookCheck() {
        put(1, 9, MAN_OU);
        put(2, 8, MAN_HU);
        put(2, 9, MAN_KYOU);
        put(1, 5, COM_SYA);
    }
};

TEST_F(Mate, AKingNoComPieceReachesIsNeverMated) {
    put(1, 9, MAN_OU);
    put(1, 8, MAN_KIN);
    put(2, 8, MAN_HU);
    put(2, 9, MAN_KYOU);
    put(1, 5, COM_SYA);  // its file is shut by the gold
    EXPECT_EQ(mated(), OFF);
    EXPECT_EQ(詰めかMAN_COM移動(s), OFF);
    put(1, 8, EMPTY);
    EXPECT_EQ(詰めかMAN_COM移動(s), ON);  // reads the board, not the maps
}

TEST_F(Mate, ARookOnTheLastFileOrRowReachesTheKing) {
    for (const auto& [x, y] : {std::pair{9, 5}, std::pair{5, 9}}) {
        clearBoard(s.pos);
        put(5, 5, MAN_OU);
        s.kingsSeen.MAN_OU_X = s.kingsSeen.MAN_OU_Y = 5;
        put(x, y, COM_SYA);
        EXPECT_EQ(詰めかMAN_COM移動(s), ON) << x << ", " << y;
    }
}

TEST_F(Mate, ARangingCheckIsBlockedByAnyDropUnlessOnlyUndroppablePawnsAreInHand) {
    cornerRookCheck();
    EXPECT_EQ(mated(), ON);  // empty hand: no escape, no board piece can help

    hand(KIN, 1);
    EXPECT_EQ(mated(), OFF);

    // Pawns only and a free file: the pawn drop blocks.
    s.pos.setHand(Side::MAN, KIN, 0);
    s.pos.setHand(Side::MAN, HU, 1);
    調査_2歩フラグ設定(s.pos);
    EXPECT_EQ(mated(), OFF);

    // Pawns only, and the file already holds a MAN pawn.
    put(1, 3, MAN_HU);
    調査_2歩フラグ設定(s.pos);
    EXPECT_EQ(mated(), ON);
    hand(GIN, 1);  // one other piece in hand is enough
    EXPECT_EQ(mated(), OFF);
}

TEST_F(Mate, APawnCannotBeDroppedBetweenOnTheFirstRow) {
    put(5, 1, MAN_OU);
    put(1, 1, COM_SYA);
    put(4, 2, MAN_KEI);  // knights on row 2 cannot move at all
    put(5, 2, MAN_KEI);
    put(6, 2, MAN_KEI);
    put(6, 1, MAN_KYOU);
    hand(HU, 1);
    EXPECT_EQ(mated(), ON);
    hand(KAKU, 1);
    EXPECT_EQ(mated(), OFF);
}

TEST_F(Mate, DoubleAndAdjacentChecksAreNotBlockedByADrop) {
    cornerRookCheck();
    put(2, 7, COM_KEI);  // a knight check on top of the rook's
    hand(KIN, 1);
    // The pawn can take the knight, but the rook still reaches the king.
    EXPECT_EQ(mated(), ON);
    put(1, 5, EMPTY);
    EXPECT_EQ(mated(), OFF);  // the knight alone: the king steps to (1, 8)

    // An adjacent gold defended by a pawn: the king cannot take it, a drop cannot help.
    AiFixture g;
    Analysis& t = g.s;
    t.pos.put(1, 9, MAN_OU);
    t.pos.put(2, 8, MAN_HU);
    t.pos.put(2, 9, MAN_KYOU);
    t.pos.put(1, 8, COM_KIN);
    t.pos.put(1, 7, COM_HU);
    t.pos.setHand(Side::MAN, SYA, 1);
    勢力調査(t);
    EXPECT_EQ(詰めかMAN(t), ON);
    t.pos.put(1, 7, EMPTY);  // undefended: the king takes it
    勢力調査(t);
    EXPECT_EQ(詰めかMAN(t), OFF);
}

TEST_F(Mate, TheSquareBehindTheKingOnTheCheckingLineIsNoEscape) {
    put(5, 1, COM_SYA);
    put(5, 5, MAN_OU);
    put(4, 4, MAN_HU);
    put(6, 4, MAN_HU);
    put(4, 5, MAN_KYOU);
    put(6, 5, MAN_KYOU);
    put(4, 6, MAN_KYOU);
    put(6, 6, MAN_KYOU);
    EXPECT_EQ(mated(), ON);
    EXPECT_EQ(s.inf.SEIRYOKU_COM[5][6], 1);
    EXPECT_EQ(調査_自王逃道(s), 0);
}

TEST_F(Mate, BoardPiecesHelpOnlyIfNoComPieceReachesTheKingAfterwards) {
    put(5, 9, MAN_OU);
    put(5, 5, COM_SYA);
    put(4, 8, MAN_KIN);   // could step between on (5, 7) or (5, 8)...
    put(2, 6, COM_KAKU);  // ...but is pinned by this bishop
    put(6, 8, MAN_HU);
    put(6, 9, MAN_KYOU);
    put(4, 9, MAN_KYOU);
    EXPECT_EQ(mated(), ON);

    put(2, 6, EMPTY);
    EXPECT_EQ(mated(), OFF);

    // Taking the checker helps as well.
    put(2, 6, COM_KAKU);
    put(4, 4, MAN_GIN);
    EXPECT_EQ(mated(), OFF);
}

TEST_F(Mate, EscapeSquaresAreEmptyUnreachedNeighboursOnTheBoard) {
    put(1, 1, MAN_OU);
    put(2, 1, COM_HU);  // holds a piece, never an escape; and reaches (2, 2)
    s.turn.NIGEMICHI_BAN[7][7] = 1;
    勢力調査(s);
    EXPECT_EQ(調査_自王逃道(s), 1);
    EXPECT_EQ(s.turn.NIGEMICHI_BAN[1][2], 1);
    EXPECT_EQ(s.turn.NIGEMICHI_BAN[2][1], 0);
    EXPECT_EQ(s.turn.NIGEMICHI_BAN[2][2], 0);
    EXPECT_EQ(s.turn.NIGEMICHI_BAN[7][7], 1);  // never cleared here

    AiFixture g;
    Analysis& t = g.s;
    t.pos.put(9, 9, MAN_OU);
    勢力調査(t);
    EXPECT_EQ(調査_自王逃道(t), 3);
    EXPECT_EQ(t.turn.NIGEMICHI_BAN[9][8] + t.turn.NIGEMICHI_BAN[8][8] + t.turn.NIGEMICHI_BAN[8][9],
              3);

    // On the bottom edge with row 8 swept by a rook: only the two side squares.
    t.pos.put(9, 9, EMPTY);
    t.pos.put(5, 9, MAN_OU);
    t.pos.put(1, 8, COM_SYA);
    t.turn.NIGEMICHI_BAN = {};
    勢力調査(t);
    EXPECT_EQ(調査_自王逃道(t), 2);
    EXPECT_EQ(t.turn.NIGEMICHI_BAN[4][9], 1);
    EXPECT_EQ(t.turn.NIGEMICHI_BAN[6][9], 1);

    // Surrounded by its own pieces.
    for (int x = 4; x <= 6; ++x)
        for (int y = 4; y <= 6; ++y) s.pos.put(x, y, MAN_KIN);
    s.pos.put(5, 5, MAN_OU);
    勢力調査(s);
    EXPECT_EQ(調査_自王逃道(s), 0);
}

TEST_F(Mate, MoveResultIsTheFirstFilledSquareOfTheMove) {
    const auto hist = std::make_unique<History>();
    auto& h = hist->BAN_RIREKI;
    h[0][5][5] = MAN_HU;
    h[0][5][4] = COM_GIN;
    h[0][7][5] = COM_GIN;
    h[0][7][4] = COM_HU;
    // Move 1: a drop on (3, 4).
    h[1] = h[0];
    h[1][3][4] = COM_KIN;
    // Move 2: the MAN pawn on (5, 5) takes on (5, 4).
    h[2] = h[1];
    h[2][5][5] = EMPTY;
    h[2][5][4] = MAN_HU;
    // Move 3: the silver on (7, 5) moves to (7, 6); its follower fills (7, 5).
    h[3] = h[2];
    h[3][7][6] = COM_GIN;
    h[3][7][5] = COM_HU;
    h[3][7][4] = EMPTY;
    // Move 4 changed nothing.
    h[4] = h[3];

    struct Want {
        int t, x, y, code;
    };
    for (Want w : {Want{1, 3, 4, COM_KIN}, Want{2, 5, 4, MAN_HU}, Want{3, 7, 5, COM_HU}}) {
        const Arrival a = 調査_移動結果(*hist, w.t);
        EXPECT_TRUE(a.found) << w.t;
        EXPECT_EQ(a.x, w.x) << w.t;
        EXPECT_EQ(a.y, w.y) << w.t;
        EXPECT_EQ(a.code, w.code) << w.t;
    }

    // Nothing filled, or no such move: nothing found.
    for (int t : {4, 0, TESU_MAX + 1}) {
        const Arrival a = 調査_移動結果(*hist, t);
        EXPECT_FALSE(a.found) << t;
        EXPECT_EQ(a.x + a.y + a.code, 0) << t;
    }
}

TEST_F(Mate, AKingAttackedOnlyByTheComKingLeavesNoMarksForTheJudgement) {
    // The COM king reaches MAN's king but marks no check: with anything in hand the drop
    // scan finds nothing to block and answers not mated; with an empty hand no board
    // piece is tried on the COM king's square, so only an escape would help.
    put(1, 9, MAN_OU);
    put(1, 8, MAN_KIN);
    put(2, 9, MAN_KIN);
    put(2, 8, COM_OU);
    put(2, 7, COM_HU);  // the COM king is defended, so MAN's king cannot take it
    EXPECT_EQ(mated(), ON);
    hand(HU, 1);
    EXPECT_EQ(mated(), OFF);

    // A king not on the board is never judged mated.
    AiFixture g;
    g.s.kingsSeen.MAN_OU_X = 0;
    g.s.kingsSeen.MAN_OU_Y = 0;
    g.s.pos.put(5, 5, COM_SYA);
    勢力調査(g.s);
    EXPECT_EQ(詰めかMAN(g.s), OFF);
}

}  // namespace
