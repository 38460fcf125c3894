#include <gtest/gtest.h>

#include <algorithm>

#include "ai/danger.h"
#include "core/constants.h"
#include "test_util.h"

namespace {

// Maps as a survey would leave them on a board where COM covers every square, both
// now and at the start of the turn, and MAN reaches nothing: no term fires until a test
// changes something.
void quiet(Analysis& s) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            s.inf.SEIRYOKU_COM[x][y] = 1;
            s.turn.SEIRYOKU_COM_MAE[x][y] = 1;
            s.inf.NERAI_MAN[x][y] = -999;
            s.inf.NERAI_COM[x][y] = 999;
            s.inf.MAMORI_COM[x][y] = 999;
            s.inf.MAMORI_MAN[x][y] = 999;
        }
}

}  // namespace

TEST(DangerTerms, StraightGuardLooksUpTheColumnFromBelow) {
    AiFixture f;
    Analysis& s = f.s;
    const auto& BAN = s.pos.board();
    s.pos.put(5, 9, MAN_SYA);
    EXPECT_EQ(調査_自守駒MAN_直進駒(s.pos, 5, 5), ON);
    s.pos.put(5, 5, COM_KIN);  // the piece on the square itself does not block
    EXPECT_EQ(調査_自守駒MAN_直進駒(s.pos, 5, 5), ON);
    EXPECT_EQ(BAN[5][5], COM_KIN);
    s.pos.put(5, 7, MAN_HU);  // the rook is found behind the pawn, but cannot pass it
    EXPECT_EQ(調査_自守駒MAN_直進駒(s.pos, 5, 5), OFF);
    s.pos.put(5, 7, COM_HU);
    EXPECT_EQ(調査_自守駒MAN_直進駒(s.pos, 5, 5), OFF);
    EXPECT_EQ(BAN[5][5], COM_KIN);

    s.pos.put(3, 9, MAN_KYOU);
    EXPECT_EQ(調査_自守駒MAN_直進駒(s.pos, 3, 2), ON);
    s.pos.put(3, 9, MAN_KIN);
    EXPECT_EQ(調査_自守駒MAN_直進駒(s.pos, 3, 2), OFF);
    s.pos.put(3, 3, MAN_RYU);
    EXPECT_EQ(調査_自守駒MAN_直進駒(s.pos, 3, 2), ON);
    EXPECT_EQ(調査_自守駒MAN_直進駒(s.pos, 3, 9), OFF);  // nothing below the last row
}

TEST(DangerTerms, BishopCautionNeedsAReachableAimAndABishopForIt) {
    AiFixture f;
    Analysis& s = f.s;
    s.pos.put(5, 5, COM_KIN);
    s.turn.MOCHIKAKU_NERAI[3][3] = 1;
    EXPECT_EQ(盤評価_自角注意_COM(s, 5, 5, COM_KIN), 0.0);
    s.pos.put(1, 1, MAN_UMA);
    EXPECT_EQ(盤評価_自角注意_COM(s, 5, 5, COM_KIN), 50.0);
    s.pos.put(1, 1, EMPTY);
    s.pos.setHand(Side::MAN, KAKU, 1);
    EXPECT_EQ(盤評価_自角注意_COM(s, 5, 5, COM_KIN), 50.0);

    // An aim square off the destination's diagonals: nothing, whatever MAN holds.
    s.turn.MOCHIKAKU_NERAI[3][3] = 0;
    s.turn.MOCHIKAKU_NERAI[3][4] = 1;
    s.pos.put(1, 2, MAN_KAKU);
    EXPECT_EQ(盤評価_自角注意_COM(s, 5, 5, COM_KIN), 0.0);

    // A horse on the destination would also step straight.
    s.turn.MOCHIKAKU_NERAI[5][4] = 1;
    EXPECT_EQ(盤評価_自角注意_COM(s, 5, 5, COM_KIN), 50.0);

    // A bishop in hand cannot be dropped on an aim square that is no longer empty.
    s.pos.put(1, 2, EMPTY);
    s.pos.put(5, 4, COM_HU);
    EXPECT_EQ(盤評価_自角注意_COM(s, 5, 5, COM_KIN), 0.0);
}

TEST(DangerTerms, BishopCautionJudgesTheFirstAimSquareOnly) {
    AiFixture f;
    Analysis& s = f.s;
    s.turn.MOCHIKAKU_NERAI[3][3] = 1;
    s.turn.MOCHIKAKU_NERAI[7][7] = 1;
    s.pos.put(9, 5, MAN_KAKU);  // reaches (7,7), not (3,3)
    EXPECT_EQ(盤評価_自角注意_COM(s, 5, 5, COM_GIN), 0.0);
    s.pos.put(1, 5, MAN_KAKU);  // reaches (3,3)
    EXPECT_EQ(盤評価_自角注意_COM(s, 5, 5, COM_GIN), 40.0);
}

TEST(DangerTerms, ComKingOnBackRowWithAttackedSquareInFront) {
    AiFixture f;
    Analysis& s = f.s;
    quiet(s);
    s.pos.put(5, 1, COM_OU);
    s.kingsSeen.COM_OU_X = 5;
    s.kingsSeen.COM_OU_Y = 1;
    s.inf.SEIRYOKU_MAN[5][2] = 1;
    s.pos.setHand(Side::MAN, GIN, 1);
    // King: -50 -250 -700; the square in front: -0.5 for MAN's reach, -10 for the silver.
    EXPECT_EQ(盤評価_COM危険座標(s, COM_OU, 5, 1), -1010.5);

    s.pos.setHand(Side::MAN, GIN, 0);
    s.inf.SEIRYOKU_COM[5][2] = 2;
    EXPECT_EQ(盤評価_COM危険座標(s, COM_OU, 5, 1), -50.5);

    // Each "then" has its own condition: the gold in hand costs 700 even when COM's
    // defence of the square outnumbers MAN's attack, and 10 more next to the king.
    s.pos.setHand(Side::MAN, KIN, 1);
    EXPECT_EQ(盤評価_COM危険座標(s, COM_OU, 5, 1), -760.5);
}

TEST(DangerTerms, ForkOfUndefendedPiecesAddsTheCheapest) {
    AiFixture f;
    Analysis& s = f.s;
    quiet(s);
    s.pos.put(5, 5, COM_RYU);
    s.pos.put(5, 8, MAN_SYA);
    s.pos.put(8, 5, MAN_OU);
    s.kingsSeen.MAN_OU_X = 8;
    s.kingsSeen.MAN_OU_Y = 5;
    s.inf.SEIRYOKU_MAN[8][5] = 1;  // the king counts even where MAN covers it
    EXPECT_EQ(盤評価_COM危険座標(s, COM_RYU, 5, 5), 0.1 + 0.1 + 70);

    s.inf.SEIRYOKU_MAN[5][8] = 1;
    EXPECT_EQ(盤評価_COM危険座標(s, COM_RYU, 5, 5), 0.1);

    s.inf.SEIRYOKU_MAN[5][8] = 0;
    s.inf.SEIRYOKU_MAN[5][5] = 1;  // a mover MAN can take forks nothing
    EXPECT_EQ(盤評価_COM危険座標(s, COM_RYU, 5, 5), 0.0);
}

TEST(DangerTerms, AttackedComPieces) {
    AiFixture f;
    Analysis& s = f.s;
    quiet(s);
    s.pos.put(5, 5, COM_GIN);
    s.pos.put(5, 6, MAN_HU);
    s.inf.SEIRYOKU_MAN[5][5] = 1;
    s.inf.SEIRYOKU_COM[5][5] = 0;
    s.inf.NERAI_MAN[5][5] = MAN_HU;
    s.inf.NERAI_MAN_X[5][5] = 5;
    s.inf.NERAI_MAN_Y[5][5] = 6;
    s.turn.BAN_MAE[5][5] = MAN_KIN;  // the silver just took a gold there
    // -40 + 10 for the exchange, -40 for no guard, +50 for the gold it stands on.
    EXPECT_EQ(盤評価_COM危険座標(s, COM_GIN, 5, 5), -20.0);
    s.turn.IDOU_FUKA_MAN[5][6] = 1;  // a pinned attacker does not count as an exchange
    EXPECT_EQ(盤評価_COM危険座標(s, COM_GIN, 5, 5), 10.0);

    AiFixture g;
    Analysis& t = g.s;
    quiet(t);
    t.pos.put(5, 3, COM_GIN);
    t.pos.put(5, 4, MAN_HU);
    t.inf.SEIRYOKU_MAN[5][3] = 1;
    t.inf.SEIRYOKU_COM[5][3] = 0;
    t.inf.NERAI_MAN[5][3] = MAN_HU;
    t.inf.NERAI_MAN_X[5][3] = 5;
    t.inf.NERAI_MAN_Y[5][3] = 4;
    // On COM's own rows, an undefended piece a pawn attacks costs 10 and 20 more.
    EXPECT_EQ(盤評価_COM危険座標(t, COM_GIN, 5, 3), -100.0);

    // Defended, but MAN attacks twice and the only guard is the king.
    t.inf.SEIRYOKU_COM[5][3] = 1;
    t.inf.SEIRYOKU_MAN[5][3] = 2;
    t.inf.MAMORI_COM[5][3] = COM_OU;
    // -100 for the king guard, -30 for the exchange, -40 for being outnumbered.
    EXPECT_EQ(盤評価_COM危険座標(t, COM_GIN, 5, 3), -170.0);

    // As many guards as attackers, but the pawn in front is backed by a rook down the file:
    // the silver and the pawn's cheapest attacker count against it.
    t.inf.SEIRYOKU_COM[5][3] = 2;
    t.pos.put(5, 9, MAN_SYA);
    t.inf.NERAI_MAN[5][4] = MAN_KAKU;
    EXPECT_EQ(盤評価_COM危険座標(t, COM_GIN, 5, 3), -230.0);
}

TEST(DangerTerms, EmptySquaresMANCouldUse) {
    AiFixture f;
    Analysis& s = f.s;
    quiet(s);
    s.pos.put(5, 4, MAN_HU);
    s.pos.put(5, 9, MAN_SYA);
    s.inf.SEIRYOKU_MAN[5][3] = 1;
    // A pawn one step from COM's rows with the rook behind it: -30 and -70.
    EXPECT_EQ(盤評価_COM危険座標(s, COM_KIN, 5, 3), -100.0);
    s.pos.put(5, 7, COM_KIN);
    EXPECT_EQ(盤評価_COM危険座標(s, COM_KIN, 5, 3), -30.0);

    // A lance dropped below a rook would skewer the horse behind it.
    AiFixture g;
    Analysis& t = g.s;
    quiet(t);
    t.pos.put(5, 4, COM_SYA);
    t.pos.put(5, 2, COM_UMA);
    t.inf.SEIRYOKU_MAN[5][5] = 1;
    t.pos.setHand(Side::MAN, KYOU, 1);
    EXPECT_EQ(盤評価_COM危険座標(t, COM_SYA, 5, 4), -130.5);

    // A knight dropped here would fork two COM pieces above pawns.
    AiFixture h;
    Analysis& u = h.s;
    quiet(u);
    u.pos.put(4, 3, COM_GIN);
    u.pos.put(6, 3, COM_KIN);
    u.inf.SEIRYOKU_MAN[5][5] = 1;
    u.pos.setHand(Side::MAN, KEI, 1);
    EXPECT_EQ(盤評価_COM危険座標(u, COM_KIN, 6, 3), -20.0);
    u.pos.put(6, 3, COM_HU);
    EXPECT_EQ(盤評価_COM危険座標(u, COM_HU, 6, 3), 0.0);
}

TEST(DangerTerms, ManPiecesNewlyAttackedOrOnComKingsFile) {
    AiFixture f;
    Analysis& s = f.s;
    quiet(s);
    s.kingsSeen.COM_OU_X = 4;
    s.kingsSeen.COM_OU_Y = 3;
    s.pos.put(5, 5, MAN_KEI);
    s.pos.put(5, 4, COM_GIN);
    s.turn.SEIRYOKU_COM_MAE[5][5] = 0;
    s.inf.SEIRYOKU_MAN[5][5] = 1;  // guarded, so no fork
    // +1 for the knight under the silver, +15 for being near COM's king.
    EXPECT_EQ(盤評価_COM危険座標(s, COM_GIN, 5, 4), 16.0);

    AiFixture g;
    Analysis& t = g.s;
    quiet(t);
    t.kingsSeen.COM_OU_X = 2;
    t.kingsSeen.COM_OU_Y = 1;
    t.pos.put(5, 6, MAN_KEI);
    t.pos.put(5, 2, COM_GIN);
    t.inf.SEIRYOKU_MAN[5][6] = 1;
    t.inf.SEIRYOKU_COM[4][4] = 0;
    t.inf.SEIRYOKU_COM[6][4] = 0;
    t.pos.put(2, 8, MAN_KYOU);  // on COM king's file
    t.inf.SEIRYOKU_MAN[2][8] = 1;
    EXPECT_EQ(盤評価_COM危険座標(t, COM_GIN, 5, 2), -3.0);
}
