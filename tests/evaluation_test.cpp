#include <gtest/gtest.h>

#include <cstring>

#include "eval_trial.h"
#include "test_util.h"

// Scores are compared with the terms added in the order the evaluation adds them; the
// danger term belongs to its own module and is taken from it.

// Each test builds its trial position on an empty board.
struct BoardEvaluation : ::testing::Test {
    AiFixture f;
    Analysis& s = f.s;
    const Map& BAN = s.pos.board();
    void SetUp() override { clearBoard(s.pos); }
};

TEST_F(BoardEvaluation, DecisiveChecksEndTheEvaluation) {
    s.pos.put(5, 1, COM_OU);
    s.pos.put(5, 3, MAN_SYA);  // attacks COM's king
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(5, 8, COM_KIN);
    prepareTurn(s);
    {
        TrialMove t(s, 5, 8, 5, 9);  // takes the king although its own king stands attacked
        EXPECT_EQ(t.eval(), 9999);
    }
    {
        TrialMove t(s, 5, 8, 4, 8);
        EXPECT_EQ(t.eval(), -9998);
    }

    // MAN's king in the corner with every flight square covered.
    clearBoard(s.pos);
    s.pos.put(9, 1, COM_OU);
    s.pos.put(1, 9, MAN_OU);
    s.pos.put(2, 7, COM_KIN);
    s.pos.put(3, 8, COM_GIN);
    prepareTurn(s);
    const Map before = BAN;
    {
        TrialMove t(s, -1, HU, 1, 8);
        EXPECT_EQ(t.eval(), -9998);  // mate by a dropped pawn is refused
    }
    {
        TrialMove t(s, -1, KIN, 1, 8);
        EXPECT_EQ(t.eval(), 9998);
    }
    EXPECT_EQ(BAN, before);

    s.pos.put(1, 7, COM_HU);
    prepareTurn(s);
    TrialMove t(s, 1, 7, 1, 8);
    EXPECT_EQ(t.eval(), -9998);  // a moved pawn as well
}

TEST_F(BoardEvaluation, CheckFromAnUnattackedSquareEarnsTen) {
    s.pos.put(1, 1, COM_OU);
    s.pos.put(5, 9, MAN_OU);
    prepareTurn(s);
    s.turn.MAN_OU_KYORI = 9;
    {
        // The knight checks; MAN's king still has (4, 8) to flee to.
        TrialMove t(s, -1, KEI, 4, 7);
        const double d = t.danger();
        EXPECT_DOUBLE_EQ(t.eval(), 10.0 - 5 + d + 0.1 - 0.1 - 1);
    }
    {
        TrialMove t(s, -1, KEI, 4, 6);
        const double d = t.danger();
        EXPECT_DOUBLE_EQ(t.eval(), -5 + d + 0.1 - 0.1);
    }

    // A lance in front of the king, attacked by the king alone and defended by a pawn.
    s.pos.put(5, 7, COM_HU);
    prepareTurn(s);
    s.turn.MAN_OU_KYORI = 9;
    TrialMove t(s, -1, KYOU, 5, 8);
    const double d = t.danger();
    EXPECT_DOUBLE_EQ(t.eval(), 100.0 - 5 + d + 0.1 + 20);
}

TEST_F(BoardEvaluation, DragonGuardedPieceBesideTheKingEarnsNineHundred) {
    s.pos.put(1, 1, COM_OU);
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(5, 7, COM_RYU);  // on the king's column, guarding (4, 8) diagonally
    prepareTurn(s);
    s.turn.MAN_OU_KYORI = 9;
    TrialMove t(s, -1, KIN, 4, 8);  // (6, 9) stays free, so it is no mate
    const double d = t.danger();
    EXPECT_DOUBLE_EQ(t.eval(), 100.0 + 900 - 5 + d + 0.1 + 50 - 0.5);
}

TEST_F(BoardEvaluation, StrengthLevelsCutTheEvaluation) {
    s.pos.put(1, 1, COM_OU);
    s.pos.put(9, 9, MAN_OU);
    s.pos.put(5, 4, COM_GIN);
    s.pos.put(5, 5, MAN_SYA);
    prepareTurn(s);
    double level[4] = {};
    {
        // The silver takes the rook on a square MAN does not reach: 70 twice, but the
        // second 70 and the silver's own term only above level 1.
        TrialMove t(s, 5, 4, 5, 5);
        const double d = t.danger();
        for (int n = 1; n <= 3; ++n) {
            s.LEVEL_NO = n;
            level[n] = t.eval();
        }
        EXPECT_DOUBLE_EQ(level[1], d + 0.1 + 70);
        EXPECT_DOUBLE_EQ(level[2], d + 0.1 + 70 + 70);
        EXPECT_DOUBLE_EQ(level[3], d + 0.1 + 70 + 70 - 0.1);
    }
    {
        // A quiet king move gets its piece term at levels 1 and 3 only.
        TrialMove t(s, 1, 1, 1, 2);
        for (int n = 1; n <= 3; ++n) {
            s.LEVEL_NO = n;
            level[n] = t.eval();
        }
        EXPECT_EQ(level[1], level[3]);
        EXPECT_DOUBLE_EQ(level[3], level[2] + 1);
    }

    // A promoted silver, lance or knight gets no piece terms at any level.
    s.pos.put(5, 4, EMPTY);
    s.pos.put(5, 5, EMPTY);
    s.pos.put(5, 6, COM_GIN);
    prepareTurn(s);
    TrialMove t(s, 5, 6, 5, 7, COM_NARIGIN);
    s.LEVEL_NO = 2;
    const double two = t.eval();
    s.LEVEL_NO = 3;
    EXPECT_EQ(t.eval(), two);
}

TEST_F(BoardEvaluation, SafetyOfTheDestination) {
    s.LEVEL_NO = 2;
    s.pos.put(1, 1, COM_OU);
    s.pos.put(9, 9, MAN_OU);
    s.pos.put(5, 7, MAN_HU);
    prepareTurn(s);
    s.turn.MAN_OU_KYORI = 0;
    {
        // Dropped where MAN takes it for nothing: the piece and 50 more.
        TrialMove t(s, -1, KIN, 5, 6);
        const double d = t.danger();
        EXPECT_DOUBLE_EQ(t.eval(), -5 + d - 50 - 50);
    }
    {
        // The same square reached by a board move costs nothing extra; dx > dy and the
        // gold came closer to MAN's king than its origin was.
        s.pos.put(4, 5, COM_KIN);
        prepareTurn(s);
        TrialMove t(s, 4, 5, 5, 6);
        const double d = t.danger();
        EXPECT_DOUBLE_EQ(t.eval(), d + 1);
    }

    // A defended pawn takes a defended silver: the silver is won.
    clearBoard(s.pos);
    s.pos.put(1, 1, COM_OU);
    s.pos.put(9, 9, MAN_OU);
    s.pos.put(5, 3, COM_KYOU);
    s.pos.put(5, 5, COM_HU);
    s.pos.put(5, 6, MAN_GIN);
    s.pos.put(5, 7, MAN_KIN);
    prepareTurn(s);
    TrialMove t(s, 5, 5, 5, 6);
    const double d = t.danger();
    EXPECT_DOUBLE_EQ(t.eval(), d + 40);
}

TEST_F(BoardEvaluation, PinnedAttackerOfTheDestinationIsThreatened) {
    s.LEVEL_NO = 2;
    s.pos.put(1, 1, COM_OU);
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(5, 8, MAN_GIN);  // pinned by the rook
    s.pos.put(5, 2, COM_SYA);
    s.pos.put(4, 6, COM_KIN);
    prepareTurn(s);
    {
        // The gold steps next to the silver, which may not take it without exposing the
        // king; the gold threatens the silver in turn.
        TrialMove t(s, 4, 6, 4, 7);
        const double d = t.danger();
        EXPECT_DOUBLE_EQ(t.eval(), d + 0.1 + 40);
    }

    s.pos.put(5, 2, EMPTY);
    s.pos.put(6, 2, COM_SYA);  // off the file: the silver is free
    prepareTurn(s);
    TrialMove t(s, 4, 6, 4, 7);
    const double d = t.danger();
    EXPECT_DOUBLE_EQ(t.eval(), d + 0.1);
}

TEST_F(BoardEvaluation, CapturesOfUnattackedPromotedPiecesEarnFiftyMore) {
    s.LEVEL_NO = 2;
    s.pos.put(1, 1, COM_OU);
    s.pos.put(9, 9, MAN_OU);
    s.pos.put(5, 4, COM_KIN);
    s.pos.put(5, 5, MAN_TO);
    prepareTurn(s);
    TrialMove t(s, 5, 4, 5, 5);
    const double d = t.danger();
    // dx = dy = 4, nearer than the origin's distance 5: +0.1.
    EXPECT_DOUBLE_EQ(t.eval(), d + 0.1 + 11 + 50);
}

TEST_F(BoardEvaluation, EscapeSquaresTakenNearTheKingOrByALongPiece) {
    s.LEVEL_NO = 2;
    s.pos.put(1, 1, COM_OU);
    s.pos.put(5, 9, MAN_OU);  // five free squares around it
    prepareTurn(s);
    ASSERT_EQ(s.turn.NIGEMICHI_SU, 5);
    s.turn.MAN_OU_KYORI = 9;
    {
        // The gold covers three of the five.
        TrialMove t(s, -1, KIN, 5, 7);
        const double d = t.danger();
        const double k = 盤評価_自角注意_COM(s, 5, 7, COM_KIN);
        EXPECT_DOUBLE_EQ(t.eval(), -5 + d - k + 0.1 + 3);
    }
    {
        // A knight three rows away covers one, but only nearer pieces are counted.
        TrialMove t(s, -1, KEI, 4, 6);
        const double d = t.danger();
        const double k = 盤評価_自角注意_COM(s, 4, 6, COM_KEI);
        EXPECT_DOUBLE_EQ(t.eval(), -5 + d - k + 0.1);
    }
    // A rook counts from afar.
    TrialMove t(s, -1, SYA, 1, 8);
    const double d = t.danger();
    const double k = 盤評価_自角注意_COM(s, 1, 8, COM_SYA);
    EXPECT_DOUBLE_EQ(t.eval(), -5 + d - k + 1 + 3);
}

TEST_F(BoardEvaluation, ManRookBesideTheDestinationWithComKingBeyond) {
    s.LEVEL_NO = 2;
    for (int side = 0; side < 2; ++side) {
        clearBoard(s.pos);
        s.pos.put(9, 9, MAN_OU);
        s.pos.put(side ? 3 : 5, 1, COM_OU);
        s.pos.put(side ? 5 : 3, 1, side ? MAN_RYU : MAN_SYA);
        s.pos.setHand(Side::MAN, side ? GIN : KIN, 1);
        prepareTurn(s);
        s.turn.MAN_OU_KYORI = 0;
        TrialMove t(s, -1, GIN, 4, 1);  // attacked by the rook, defended by the king
        double d = t.danger();
        EXPECT_DOUBLE_EQ(t.eval(), -5 + d - 40) << side;
        // Without a silver or gold to drop, nothing is feared.
        s.pos.setHand(Side::MAN, GIN, 0);
        s.pos.setHand(Side::MAN, KIN, 0);
        d = t.danger();
        EXPECT_DOUBLE_EQ(t.eval(), -5 + d) << side;
    }
}

TEST_F(BoardEvaluation, ManLanceInTheCornerBelow) {
    s.LEVEL_NO = 2;
    s.pos.put(5, 1, COM_OU);
    s.pos.put(9, 9, MAN_OU);
    s.pos.put(1, 9, MAN_KYOU);
    s.pos.put(1, 6, MAN_HU);  // stops the lance short of (1, 3)
    s.pos.put(1, 2, COM_KIN);
    s.pos.put(2, 2, COM_KIN);
    prepareTurn(s);
    auto expect = [&](int fx, int fy, double extra) {
        TrialMove t(s, fx, fy, 1, 3);
        if (fx < 0) s.turn.MAN_OU_KYORI = 0;
        const double d = t.danger();
        const double k = 盤評価_自角注意_COM(s, 1, 3, t.placed);
        EXPECT_DOUBLE_EQ(t.eval(), (fx < 0 ? -5 : 0) + d - k + extra) << fx << fy;
    };
    expect(-1, KIN, -0.1);
    expect(-1, KYOU, 0);  // a lance of its own is no worry
    expect(2, 2, -0.1);
    expect(1, 2, 0);  // already on that file
}

TEST_F(BoardEvaluation, CaptureByAPieceThatWasTrappedAnyway) {
    for (int mover : {COM_HU, COM_GIN}) {
        s.pos.put(1, 1, COM_OU);
        s.pos.put(9, 9, MAN_OU);
        s.pos.put(5, 5, mover);  // attacked by the pawn in front
        s.pos.put(5, 6, MAN_HU);
        s.pos.put(5, 7, MAN_KIN);  // takes back on (5, 6)
        prepareTurn(s);
        TrialMove t(s, 5, 5, 5, 6);
        const double d = t.danger();
        // The pawn had nowhere else to go; the silver could step back.
        s.LEVEL_NO = 2;
        EXPECT_DOUBLE_EQ(t.eval(), d + (mover == COM_HU ? 10 : 0)) << mover;
        s.LEVEL_NO = 1;
        EXPECT_DOUBLE_EQ(t.eval(), d) << mover;
    }
}

TEST_F(BoardEvaluation, PinnedAttackerMustBeTakeableByTheUnpromotedMover) {
    s.LEVEL_NO = 2;
    s.pos.put(1, 1, COM_OU);
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(5, 7, MAN_KIN);  // pinned by the rook, attacks (4, 7) sideways
    s.pos.put(6, 8, MAN_GIN);  // defends the gold
    s.pos.put(5, 2, COM_SYA);
    s.pos.put(3, 6, COM_KIN);
    prepareTurn(s);
    {
        TrialMove t(s, 3, 6, 4, 7);
        const double d = t.danger();
        EXPECT_DOUBLE_EQ(t.eval(), d + 0.1 + 50);
    }
    // A silver promoting there could take sideways, but the test is made with the silver.
    s.pos.put(3, 6, COM_GIN);
    prepareTurn(s);
    {
        TrialMove t(s, 3, 6, 4, 7, COM_NARIGIN);
        const double d = t.danger();
        EXPECT_DOUBLE_EQ(t.eval(), 10 + d + 0.1);
    }

    // The piece that aimed at the pinned silver before the move is the one that moves away.
    clearBoard(s.pos);
    s.pos.put(1, 1, COM_OU);
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(5, 8, MAN_GIN);
    s.pos.put(5, 2, COM_SYA);
    s.pos.put(2, 5, COM_KAKU);  // met first in the scan, so it is the recorded attacker
    prepareTurn(s);
    ASSERT_EQ(s.turn.NERAI_COM_X_MAE[5][8], 2);
    TrialMove t(s, 2, 5, 4, 7);
    const double d = t.danger();
    EXPECT_DOUBLE_EQ(t.eval(), d + 0.1);
}
