#include <gtest/gtest.h>

#include "eval_trial.h"
#include "test_util.h"

// The piece terms alone, from a score of 0, on surveyed trial positions.

// Each test builds its trial position on an empty board.
struct PieceTerms : ::testing::Test {
    AiFixture f;
    Analysis& s = f.s;
    const Map& BAN = s.pos.board();
    void SetUp() override { clearBoard(s.pos); }
};

TEST_F(PieceTerms, LanceMovesScoreOnlyByCaptures) {
    s.pos.put(5, 1, COM_OU);
    s.pos.put(9, 9, MAN_OU);
    s.pos.put(1, 1, COM_KYOU);
    prepareTurn(s);
    {
        TrialMove t(s, 1, 1, 1, 5);
        EXPECT_DOUBLE_EQ(t.pieceTerms(), -0.9);
    }
    s.pos.put(1, 6, MAN_KYOU);
    prepareTurn(s);
    {
        TrialMove t(s, 1, 1, 1, 6);
        EXPECT_EQ(t.pieceTerms(), 10);
    }
    s.pos.put(1, 7, MAN_HU);  // now MAN takes back
    prepareTurn(s);
    TrialMove t(s, 1, 1, 1, 6);
    EXPECT_EQ(t.pieceTerms(), 20);
}

TEST_F(PieceTerms, DroppedLancePinsThePieceInFront) {
    s.pos.put(1, 1, COM_OU);
    s.pos.put(9, 9, MAN_OU);
    s.pos.put(5, 3, COM_KIN);
    s.pos.put(5, 5, MAN_GIN);
    s.pos.put(5, 8, MAN_SYA);
    prepareTurn(s);
    {
        TrialMove t(s, -1, KYOU, 5, 4);
        EXPECT_EQ(t.pieceTerms(), 70);
    }
    // The look down the file ends at the first piece, even a COM one.
    s.pos.put(5, 7, COM_HU);
    prepareTurn(s);
    TrialMove t(s, -1, KYOU, 5, 4);
    EXPECT_EQ(t.pieceTerms(), 0);
}

TEST_F(PieceTerms, PawnOnTheLastTwoRowsSkipsTheRowTerms) {
    s.pos.put(1, 1, COM_OU);
    s.pos.put(9, 5, MAN_OU);
    s.pos.put(3, 7, COM_HU);
    s.pos.put(2, 8, COM_KIN);
    s.pos.put(3, 9, MAN_KIN);  // a MAN piece in front would end the terms on a lower row
    prepareTurn(s);
    TrialMove t(s, 3, 7, 3, 8);
    EXPECT_DOUBLE_EQ(t.pieceTerms(), -0.1 + 0.6);
}

TEST_F(PieceTerms, PawnFacingAManPiece) {
    s.pos.put(9, 1, COM_OU);
    s.pos.put(1, 9, MAN_OU);
    s.pos.put(5, 4, COM_HU);
    s.pos.put(5, 6, MAN_HU);
    prepareTurn(s);
    {
        TrialMove t(s, 5, 4, 5, 5);
        EXPECT_DOUBLE_EQ(t.pieceTerms(), -0.1 - 5);
    }
    // A knight in front does not attack the pawn: neither side reaches it.
    s.pos.put(5, 6, MAN_KEI);
    prepareTurn(s);
    TrialMove t(s, 5, 4, 5, 5);
    EXPECT_DOUBLE_EQ(t.pieceTerms(), -0.1 + 1);
}

TEST_F(PieceTerms, DroppedPawnBlocksARookOnTheFile) {
    s.pos.put(9, 1, COM_OU);
    s.pos.put(1, 9, MAN_OU);
    s.pos.put(5, 4, COM_KIN);
    s.pos.put(5, 8, MAN_SYA);
    prepareTurn(s);
    {
        TrialMove t(s, -1, HU, 5, 5);
        EXPECT_EQ(t.pieceTerms(), 120);
    }
    // No block is needed when COM already reached the undefended rook.
    s.pos.put(2, 5, COM_KAKU);
    prepareTurn(s);
    TrialMove t(s, -1, HU, 5, 5);
    EXPECT_EQ(t.pieceTerms(), 0);
}

TEST_F(PieceTerms, RookAndDragonNearTheKing) {
    s.pos.put(1, 1, COM_OU);
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(5, 2, COM_SYA);
    prepareTurn(s);
    {
        TrialMove t(s, 5, 2, 5, 7);  // -1: the square in front is MAN's
        EXPECT_EQ(t.pieceTerms(), -1 + 100);
    }
    s.pos.put(5, 2, COM_RYU);
    prepareTurn(s);
    {
        TrialMove t(s, 5, 2, 5, 7);
        EXPECT_EQ(t.pieceTerms(), 100);
    }

    // Next to the king, defended, but with only the king itself left to take.
    clearBoard(s.pos);
    s.pos.put(1, 1, COM_OU);
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(5, 7, COM_KIN);
    s.pos.put(4, 8, MAN_HU);
    s.pos.put(8, 9, MAN_KIN);  // covers (7, 8), (8, 8), (9, 8)
    s.pos.put(9, 8, COM_SYA);
    prepareTurn(s);
    TrialMove t(s, 9, 8, 5, 8);
    EXPECT_EQ(t.pieceTerms(), -35);
}

TEST_F(PieceTerms, KingPaysForLeavingTheBackRows) {
    s.pos.put(5, 3, COM_OU);
    s.pos.put(9, 9, MAN_OU);
    prepareTurn(s);
    {
        TrialMove t(s, 5, 3, 5, 4);
        EXPECT_EQ(t.pieceTerms(), -19);
        s.turn.IDOU_FUKA_COM_ARI = ON;
        EXPECT_EQ(t.pieceTerms(), -9);
    }
    s.pos.put(5, 3, EMPTY);
    s.pos.put(4, 8, COM_OU);
    prepareTurn(s);
    {
        TrialMove t(s, 4, 8, 4, 9);
        EXPECT_EQ(t.pieceTerms(), -24 + 1);
    }

    // Boxed in by a dragon and a silver: fewer than two safe squares.
    clearBoard(s.pos);
    s.pos.put(1, 1, COM_OU);
    s.pos.put(9, 9, MAN_OU);
    s.pos.put(3, 3, MAN_RYU);
    s.pos.put(2, 2, MAN_GIN);
    prepareTurn(s);
    TrialMove t(s, 1, 1, 1, 2);
    EXPECT_EQ(t.pieceTerms(), 1 - 20);
}

TEST_F(PieceTerms, OpeningPatternsOfSilverAndGold) {
    s.pos.put(5, 1, COM_OU);
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(7, 2, COM_GIN);
    s.pos.put(8, 3, COM_HU);
    s.pos.put(8, 5, MAN_HU);
    prepareTurn(s);
    {
        TrialMove t(s, 7, 2, 7, 3);
        EXPECT_DOUBLE_EQ(t.pieceTerms(), -0.1 + 115);
    }

    // A gold closing the file in front against a bishop in MAN's hand.
    clearBoard(s.pos);
    s.pos.put(9, 1, COM_OU);
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(4, 1, COM_KIN);
    s.pos.put(5, 3, COM_HU);
    s.pos.put(5, 4, COM_KAKU);
    s.pos.setHand(Side::MAN, KAKU, 1);
    prepareTurn(s);
    TrialMove t(s, 4, 1, 5, 2);
    EXPECT_DOUBLE_EQ(t.pieceTerms(), -0.5 + 2 + 125);
}

TEST_F(PieceTerms, DroppedBishopAndKnightWithoutRoom) {
    s.pos.put(9, 1, COM_OU);
    s.pos.put(9, 9, MAN_OU);
    s.pos.put(2, 8, COM_HU);
    prepareTurn(s);
    {
        TrialMove t(s, -1, KAKU, 1, 9);
        EXPECT_EQ(t.pieceTerms(), -20);
    }
    {
        TrialMove t(s, -1, KAKU, 1, 7);  // six squares to go to
        EXPECT_EQ(t.pieceTerms(), 0);
    }
    s.pos.put(8, 4, COM_KAKU);
    prepareTurn(s);
    {
        TrialMove t(s, -1, KEI, 7, 3);  // blocks the bishop's diagonal
        EXPECT_DOUBLE_EQ(t.pieceTerms(), -0.1 - 5);
    }
    // No block for MAN codes; no read past the last row for a knight there.
    EXPECT_EQ(pieceTerms(s, 2.5, 0, MAN_HU, 5, 5, 5, 4), 2.5);
    EXPECT_DOUBLE_EQ(pieceTerms(s, 0, 0, COM_KEI, 5, 7, 5, 9), -0.1);
}

TEST_F(PieceTerms, PawnTakingAPawnInFrontOfALance) {
    s.pos.put(1, 1, COM_OU);
    s.pos.put(9, 9, MAN_OU);
    s.pos.put(5, 4, COM_HU);
    s.pos.put(5, 5, MAN_HU);
    s.pos.put(5, 9, MAN_KYOU);  // attacks the destination once the pawn is gone
    prepareTurn(s);
    {
        // Nobody covers the vacated square: the +50 belongs to the one-defender case only.
        TrialMove t(s, 5, 4, 5, 5);
        ASSERT_EQ(s.inf.NERAI_MAN[5][5], MAN_KYOU);
        ASSERT_EQ(s.inf.SEIRYOKU_COM[5][4], 0);
        EXPECT_DOUBLE_EQ(t.pieceTerms(), -0.1);
    }
    s.pos.put(4, 3, COM_KIN);  // covers (5, 4)
    prepareTurn(s);
    {
        TrialMove t(s, 5, 4, 5, 5);
        EXPECT_DOUBLE_EQ(t.pieceTerms(), -0.1 + 5 + 50);
    }
    s.pos.put(5, 3, COM_KAKU);  // two rows behind, on the lance's file
    prepareTurn(s);
    {
        TrialMove t(s, 5, 4, 5, 5);
        EXPECT_DOUBLE_EQ(t.pieceTerms(), -0.1 - 5 + 50);
    }
    s.pos.put(6, 3, COM_KIN);  // a second defender of the source: neither term
    prepareTurn(s);
    TrialMove t(s, 5, 4, 5, 5);
    EXPECT_DOUBLE_EQ(t.pieceTerms(), -0.1);
}

TEST_F(PieceTerms, PawnBesideCOMBishops) {
    s.pos.put(1, 1, COM_OU);
    s.pos.put(9, 9, MAN_OU);
    s.pos.put(7, 3, COM_HU);
    s.pos.put(8, 2, COM_KAKU);
    prepareTurn(s);
    {
        TrialMove t(s, 7, 3, 7, 4);
        EXPECT_DOUBLE_EQ(t.pieceTerms(), -0.1 + 10);
    }
    s.pos.put(6, 4, COM_KAKU);
    s.pos.put(6, 6, MAN_HU);
    prepareTurn(s);
    TrialMove t(s, 7, 3, 7, 4);
    EXPECT_DOUBLE_EQ(t.pieceTerms(), -0.1 + 10 + 0.5 + 5);
}

TEST_F(PieceTerms, ForwardMovesOfSilverAndGold) {
    // A drop's FY is the kind, so a gold dropped beyond row 5 counts as a diagonal advance.
    EXPECT_DOUBLE_EQ(pieceTerms(s, 0, 0, COM_KIN, -1, KIN, 5, 6), -0.5);
    EXPECT_EQ(pieceTerms(s, 0, 0, COM_KIN, -1, KIN, 5, 5), 0);
    EXPECT_DOUBLE_EQ(pieceTerms(s, 0, 0, COM_KIN, 5, 5, 5, 6), 0);
    EXPECT_EQ(pieceTerms(s, 0, 0, COM_GIN, -1, GIN, 5, 6), 0);

    EXPECT_DOUBLE_EQ(pieceTerms(s, 0, 0, COM_GIN, 5, 5, 5, 6), -0.1);
    EXPECT_EQ(pieceTerms(s, 0, 0, COM_GIN, 5, 5, 6, 6), 0);
    EXPECT_EQ(pieceTerms(s, 0, 0, COM_GIN, 5, 6, 5, 5), 0);
    s.pos.put(8, 5, MAN_GIN);
    EXPECT_EQ(pieceTerms(s, 0, 0, COM_GIN, 5, 5, 5, 6), 5);
    EXPECT_EQ(pieceTerms(s, 0, 0, COM_GIN, 5, 5, 6, 6), 0);
    s.pos.put(5, 5, COM_KEI);  // the knight left behind has lost its square
    EXPECT_DOUBLE_EQ(pieceTerms(s, 0, 0, COM_GIN, 4, 5, 5, 6), -0.5);
    EXPECT_EQ(pieceTerms(s, 0, 0, COM_GIN, 4, 0, 5, 1), 0);  // row 1: no silver term
}

TEST_F(PieceTerms, BishopLeavingOrReachingTheEdgeFile) {
    s.pos.put(5, 1, COM_OU);
    s.pos.put(2, 9, MAN_OU);
    s.pos.put(9, 4, COM_HU);
    s.pos.put(9, 6, MAN_HU);
    s.pos.put(9, 9, MAN_KYOU);  // guards the pawn
    s.pos.put(9, 3, COM_KAKU);
    prepareTurn(s);
    {
        TrialMove t(s, 9, 3, 8, 2);
        ASSERT_EQ(s.inf.MAMORI_MAN[9][6], MAN_KYOU);
        EXPECT_EQ(t.pieceTerms(), 10);
    }
    s.pos.put(9, 3, EMPTY);
    prepareTurn(s);
    TrialMove t(s, -1, KAKU, 9, 3);
    EXPECT_EQ(t.pieceTerms(), -10);
}

TEST_F(PieceTerms, RookLeavingTheRowOfItsPawn) {
    s.pos.put(1, 1, COM_OU);
    s.pos.put(1, 9, MAN_OU);
    s.pos.put(5, 4, COM_SYA);
    s.pos.put(7, 4, COM_HU);
    s.pos.put(8, 5, MAN_HU);
    s.pos.put(8, 8, MAN_SYA);
    prepareTurn(s);
    {
        TrialMove t(s, 5, 4, 5, 2);
        ASSERT_EQ(s.inf.MAMORI_MAN[8][5], MAN_SYA);
        EXPECT_EQ(t.pieceTerms(), -11);
        s.turn.SEIRYOKU_COM_MAE[8][4] = s.inf.SEIRYOKU_COM[8][4] + 1;
        EXPECT_EQ(t.pieceTerms(), -22);
    }
    prepareTurn(s);
    TrialMove t(s, 5, 4, 3, 4);  // along the row: the pawn is still backed
    EXPECT_EQ(t.pieceTerms(), 0);
}

TEST_F(PieceTerms, RookStepsOffItsSquareOfTheOpening) {
    s.pos.put(5, 1, COM_OU);
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(2, 2, COM_SYA);
    prepareTurn(s);
    TrialMove up(s, 2, 2, 2, 3);  // off its unguarded opening square by one: a point less
    EXPECT_EQ(up.pieceTerms(), -1);
}

TEST_F(PieceTerms, DragonOnTheBackRowBesideGolds) {
    s.pos.put(5, 1, COM_OU);
    s.pos.put(8, 5, MAN_OU);
    s.pos.put(5, 9, COM_RYU);
    s.pos.put(5, 8, MAN_GIN);
    s.pos.put(4, 8, MAN_KIN);
    s.pos.put(3, 8, MAN_HU);
    s.pos.put(2, 9, MAN_KYOU);
    prepareTurn(s);
    {
        TrialMove t(s, 5, 9, 3, 9);
        EXPECT_EQ(t.pieceTerms(), 2 - 150);
    }
    s.pos.put(6, 8, MAN_KIN);
    // Any MAN piece up to a pawn in the corner beside the square counts; an empty one does not.
    for (const auto& [corner, expected] :
         {std::pair{MAN_KYOU, 2 + 2 - 150}, std::pair{MAN_HU, 2 + 2 - 150},
          std::pair{EMPTY, 2 + 2}}) {
        s.pos.put(2, 9, corner);
        prepareTurn(s);
        TrialMove t(s, 5, 9, 3, 9);
        EXPECT_EQ(t.pieceTerms(), expected) << corner;
    }
}

TEST_F(PieceTerms, DragonLeavingTheCornerAboveASilver) {
    s.pos.put(5, 1, COM_OU);
    s.pos.put(5, 5, MAN_OU);
    s.pos.put(9, 9, COM_RYU);
    s.pos.put(9, 8, MAN_GIN);
    s.pos.put(8, 8, MAN_KIN);
    prepareTurn(s);
    TrialMove t(s, 9, 9, 8, 9);  // the gold beside the silver counts; nothing lies past file 9
    EXPECT_EQ(t.pieceTerms(), 2);
}
