#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "ai/tactics.h"
#include "core/constants.h"
#include "core/rules.h"
#include "test_util.h"

namespace {

void fill(Map& map, int v) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) map[x][y] = v;
}

}  // namespace

TEST(TacticsSurvey, SafeDestinationsCountOnlySquaresTheOtherSideMisses) {
    AiFixture f;
    Analysis& s = f.s;
    s.pos.put(5, 5, COM_OU);
    fill(s.inf.SEIRYOKU_MAN, 1);
    EXPECT_EQ(調査_移動可場所数(s, 5, 5, COM_OU), 0);

    s.inf.SEIRYOKU_MAN[4][6] = 0;
    s.pos.put(6, 4, MAN_KIN);  // a capture counts as a destination
    s.inf.SEIRYOKU_MAN[6][4] = 0;
    s.pos.put(6, 6, COM_KIN);  // an own piece does not
    s.inf.SEIRYOKU_MAN[6][6] = 0;
    EXPECT_EQ(調査_移動可場所数(s, 5, 5, COM_OU), 2);

    // A MAN piece is judged against COM's reach; the piece need not stand there.
    fill(s.inf.SEIRYOKU_COM, 1);
    s.inf.SEIRYOKU_COM[2][8] = 0;
    EXPECT_EQ(調査_移動可場所数(s, 2, 9, MAN_KIN), 1);
}

TEST(TacticsSurvey, SurroundingsCountComMajorsAndKingOnly) {
    AiFixture f;
    Analysis& s = f.s;
    s.pos.put(2, 1, COM_KIN);
    s.pos.put(3, 3, COM_SYA);  // two squares away
    s.pos.put(1, 1, COM_OU);   // the square itself
    EXPECT_EQ(調査_周辺状況(s.pos, 1, 1), 0);
    s.pos.put(1, 2, COM_KAKU);
    EXPECT_EQ(調査_周辺状況(s.pos, 1, 1), -1);
    s.pos.put(2, 2, COM_OU);
    EXPECT_EQ(調査_周辺状況(s.pos, 1, 1), -2);
    s.pos.put(2, 1, MAN_RYU);
    EXPECT_EQ(調査_周辺状況(s.pos, 1, 1), -2);

    s.pos.put(9, 8, COM_UMA);
    s.pos.put(8, 9, COM_RYU);
    s.pos.put(8, 8, COM_NARIGIN);
    EXPECT_EQ(調査_周辺状況(s.pos, 9, 9), -2);
}

TEST(TacticsSurvey, KnightAimValuesTheFarMajorThatIsNotTheAttacker) {
    AiFixture f;
    Analysis& s = f.s;
    s.pos.put(5, 7, COM_KIN);
    s.pos.put(3, 7, MAN_SYA);
    s.pos.put(7, 7, MAN_KAKU);
    s.inf.NERAI_MAN[5][7] = MAN_KAKU;
    s.inf.NERAI_MAN_X[5][7] = 7;  // the bishop is the attacker: a knight fork gains nothing on it
    EXPECT_EQ(調査_桂狙い(s, 5, 7), 70.0);

    s.inf.NERAI_MAN_X[5][7] = 4;
    EXPECT_EQ(調査_桂狙い(s, 5, 7), 130.0);

    s.inf.SEIRYOKU_MAN[4][5] = 1;  // the left drop square is not safe
    EXPECT_EQ(調査_桂狙い(s, 5, 7), 60.0);
    s.pos.put(6, 5, MAN_HU);  // nor is the right one empty
    EXPECT_EQ(調査_桂狙い(s, 5, 7), 0.0);

    // Only when the cheapest attacker is a major piece, and only from row 6 on.
    AiFixture g;
    Analysis& t = g.s;
    t.pos.put(3, 6, MAN_RYU);
    t.inf.NERAI_MAN[5][6] = MAN_RYU;
    EXPECT_EQ(調査_桂狙い(t, 5, 6), 71.0);
    t.inf.NERAI_MAN[5][6] = MAN_KIN;
    EXPECT_EQ(調査_桂狙い(t, 5, 6), 0.0);
    t.pos.put(3, 5, MAN_RYU);
    t.inf.NERAI_MAN[5][5] = MAN_RYU;
    EXPECT_EQ(調査_桂狙い(t, 5, 5), 0.0);
}

TEST(TacticsSurvey, LanceAimStopsAtTheFirstPieceBelow) {
    AiFixture f;
    Analysis& s = f.s;
    s.pos.put(5, 7, COM_GIN);
    s.pos.put(5, 9, MAN_SYA);
    s.inf.SEIRYOKU_COM[5][6] = 1;
    s.inf.NERAI_MAN[5][7] = MAN_KAKU;
    EXPECT_EQ(調査_香狙い(s, 5, 7), 70.0);

    s.pos.put(5, 8, COM_HU);  // own piece first: no value, and the rook behind is not seen
    EXPECT_EQ(調査_香狙い(s, 5, 7), 0.0);
    s.pos.put(5, 8, MAN_HU);
    EXPECT_EQ(調査_香狙い(s, 5, 7), 10.0);

    s.inf.SEIRYOKU_MAN[5][6] = 1;  // the square behind must be safe
    EXPECT_EQ(調査_香狙い(s, 5, 7), 0.0);

    // Row 6 and above never count.
    s.pos.put(4, 6, COM_GIN);
    s.pos.put(4, 9, MAN_RYU);
    s.inf.SEIRYOKU_COM[4][5] = 1;
    s.inf.NERAI_MAN[4][6] = MAN_RYU;
    EXPECT_EQ(調査_香狙い(s, 4, 6), 0.0);
}

TEST(TacticsSurvey, HeldBishopAimSquaresAreEmptyUncoveredDiagonalsToComKing) {
    AiFixture f;
    Analysis& s = f.s;
    s.pos.put(5, 1, COM_OU);
    s.kingsSeen.COM_OU_X = 5;
    s.kingsSeen.COM_OU_Y = 1;
    s.pos.put(7, 3, COM_HU);  // blocks (8,4) and beyond
    s.inf.SEIRYOKU_COM[3][3] = 1;
    s.turn.MOCHIKAKU_NERAI[1][1] = 1;  // stale value from an earlier turn
    調査_持角狙座標(s);

    int marked = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) marked += s.turn.MOCHIKAKU_NERAI[x][y];
    const auto& m = s.turn.MOCHIKAKU_NERAI;
    EXPECT_EQ(m[4][2], 1);
    EXPECT_EQ(m[3][3], 0);  // COM covers it
    EXPECT_EQ(m[2][4], 1);
    EXPECT_EQ(m[1][5], 1);
    EXPECT_EQ(m[6][2], 1);
    EXPECT_EQ(m[7][3], 0);  // occupied
    EXPECT_EQ(m[8][4], 0);  // blocked
    EXPECT_EQ(m[1][1], 0);
    EXPECT_EQ(marked, 4);
}

TEST(TacticsSurvey, PinnedPiecesAreFoundWithThePieceLifted) {
    AiFixture f;
    Analysis& s = f.s;
    const auto& BAN = s.pos.board();
    s.pos.put(5, 9, MAN_OU);
    s.kingsSeen.MAN_OU_X = 5;
    s.kingsSeen.MAN_OU_Y = 9;
    s.pos.put(5, 1, COM_KYOU);
    s.pos.put(5, 6, MAN_HU);  // pinned by the lance
    s.pos.put(6, 8, MAN_KIN);
    s.pos.put(1, 5, COM_UMA);
    s.pos.put(3, 7, MAN_GIN);  // pinned on the horse's diagonal
    s.pos.put(8, 5, COM_KEI);  // a knight never pins
    s.pos.put(7, 7, MAN_HU);
    s.pos.put(9, 1, COM_OU);
    s.kingsSeen.COM_OU_X = 9;
    s.kingsSeen.COM_OU_Y = 1;
    s.pos.put(9, 3, COM_HU);
    s.turn.IDOU_FUKA_MAN[6][8] = 1;  // stale
    s.turn.IDOU_FUKA_COM_ARI = ON;

    const Map before = BAN;
    調査_移動不可駒(s);
    EXPECT_EQ(BAN, before);

    const auto& m = s.turn.IDOU_FUKA_MAN;
    EXPECT_EQ(m[5][6], 1);
    EXPECT_EQ(m[3][7], 1);
    EXPECT_EQ(m[6][8], 0);
    EXPECT_EQ(m[7][7], 0);
    EXPECT_EQ(m[5][9], 0);  // the king itself, shielded by the pinned pieces
    EXPECT_EQ(m[8][5], 0);  // COM pieces never get a mark
    EXPECT_EQ(s.turn.IDOU_FUKA_COM_ARI, OFF);

    // A MAN lance behind COM's pawn pins it against COM's king.
    s.pos.put(9, 8, MAN_KYOU);
    調査_移動不可駒(s);
    EXPECT_EQ(s.turn.IDOU_FUKA_COM_ARI, ON);
}

TEST(TacticsSurvey, KingAlreadyInCheckMarksEveryManPiece) {
    AiFixture f;
    Analysis& s = f.s;
    const auto& BAN = s.pos.board();
    s.pos.put(5, 9, MAN_OU);
    s.kingsSeen.MAN_OU_X = 5;
    s.kingsSeen.MAN_OU_Y = 9;
    s.pos.put(5, 2, COM_SYA);
    s.pos.put(1, 7, MAN_HU);
    s.pos.put(9, 9, MAN_KYOU);
    s.pos.put(8, 2, MAN_KAKU);
    調査_移動不可駒(s);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            EXPECT_EQ(s.turn.IDOU_FUKA_MAN[x][y], BAN[x][y] <= -10 ? 1 : 0) << x << "," << y;
}

namespace {

// The plain reading: every lifted piece rescans the whole board for the other side's
// rangers, and COM pieces are tested even after the flag is set.
bool pinnedByPlainScan(Analysis& s, int x, int y, int& comFlag) {
    const auto& BAN = s.pos.board();
    const int p = BAN[x][y];
    s.pos.put(x, y, EMPTY);
    bool pinned = false;
    for (int c = 1; c <= 9; ++c)
        for (int d = 1; d <= 9; ++d) {
            const int q = BAN[c][d];
            const int kind = q < 0 ? -q : q;
            if (kind != 20 && kind != 60 && kind != 61 && kind != 70 && kind != 71) continue;
            if (p <= -10 && q > 0 &&
                移動チェック(s.pos, c, d, s.kingsSeen.MAN_OU_X, s.kingsSeen.MAN_OU_Y, q) == ON)
                pinned = true;
            if (p >= 10 && q < 0 &&
                移動チェック(s.pos, c, d, s.kingsSeen.COM_OU_X, s.kingsSeen.COM_OU_Y, q) == ON)
                comFlag = ON;
        }
    s.pos.put(x, y, p);
    return pinned;
}

}  // namespace

TEST(TacticsSurvey, PinnedPiecesMatchAPlainScanOnRandomBoards) {
    static const int kinds[] = {10, 11, 20, 21, 30, 40, 50, 60, 61, 70, 71};
    std::mt19937 rng(12345);
    for (int round = 0; round < 300; ++round) {
        AiFixture f;
        Analysis& s = f.s;
        const auto& BAN = s.pos.board();
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                if (rng() % 3 == 0) s.pos.put(x, y, kinds[rng() % 11] * (rng() % 2 ? 1 : -1));
        s.kingsSeen.COM_OU_X = 1 + rng() % 9;
        s.kingsSeen.COM_OU_Y = 1 + rng() % 3;
        s.kingsSeen.MAN_OU_X = 1 + rng() % 9;
        s.kingsSeen.MAN_OU_Y = 7 + rng() % 3;
        s.pos.put(s.kingsSeen.COM_OU_X, s.kingsSeen.COM_OU_Y, COM_OU);
        s.pos.put(s.kingsSeen.MAN_OU_X, s.kingsSeen.MAN_OU_Y, MAN_OU);

        int comFlag = OFF;
        Map expected{};
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                if (BAN[x][y] != EMPTY) expected[x][y] = pinnedByPlainScan(s, x, y, comFlag);
        調査_移動不可駒(s);
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                ASSERT_EQ(s.turn.IDOU_FUKA_MAN[x][y], expected[x][y])
                    << round << ": " << x << "," << y;
        ASSERT_EQ(s.turn.IDOU_FUKA_COM_ARI, comFlag) << round;
    }
}
