#include <gtest/gtest.h>

#include <functional>

#include "core/legal_moves.h"
#include "core/square_guard.h"
#include "fake_port.h"
#include "play/setup.h"
#include "test_util.h"

namespace {

Position startingPosition() {
    Fixture f;
    初期設定(f.s);
    return f.s.pos;
}

TEST(Position, KingsFollowEveryWriteAndATwinIsFoundWhenOneGoes) {
    Position p;
    p.put(5, 9, MAN_OU);
    p.put(2, 2, MAN_OU);  // a second king, as a position set up by hand may hold
    EXPECT_EQ(p.king(Side::MAN), (Square{2, 2}));
    p.put(2, 2, MAN_KIN);
    EXPECT_EQ(p.king(Side::MAN), (Square{5, 9}));
    EXPECT_EQ(p.take(5, 9), MAN_OU);
    EXPECT_EQ(p.king(Side::MAN), Square{});
    EXPECT_EQ(p.comHandTotal(), 0);  // a king enters no hand
    p.put(5, 1, COM_OU);
    makeMove(p, Move{5, 1, 4, 2, COM_OU, false});
    EXPECT_EQ(p.king(Side::COM), (Square{4, 2}));
    EXPECT_TRUE(p.consistent());
}

// Each row puts the position out of step in one way the pieces' writers never do.
TEST(Position, ConsistentNoticesEveryFieldOutOfStep) {
    const std::function<void(Position&)> breaks[] = {
        [](Position& p) {
            TrialSquare raw(p, 9, 7, MAN_TO);
            EXPECT_FALSE(p.consistent());
        },
        [](Position& p) {
            TrialSquare raw(p, 1, 3, COM_TO);
            EXPECT_FALSE(p.consistent());
        },
        [](Position& p) {
            TrialSquare raw(p, 5, 9, EMPTY);
            EXPECT_FALSE(p.consistent());
        },
        [](Position& p) {
            TrialSquare raw(p, 5, 1, COM_KIN);
            EXPECT_FALSE(p.consistent());
        },
        [](Position& p) {
            TrialSquare raw(p, 0, 5, COM_KIN);
            EXPECT_FALSE(p.consistent());
        },
        [](Position& p) {
            p.drop(Side::COM, GIN);
            EXPECT_FALSE(p.consistent());
        },
        [](Position& p) {
            p.setHand(Side::MAN, SYA, -1);
            EXPECT_FALSE(p.consistent());
        },
        [](Position& p) {
            p.setHand(Side::COM, HU, -1);
            EXPECT_FALSE(p.consistent());
        },
        [](Position& p) {  // a king where the position holds none, on the last file
            p.take(5, 9);
            TrialSquare raw(p, 9, 5, MAN_OU);
            EXPECT_FALSE(p.consistent());
        },
    };
    for (const auto& breakIt : breaks) {
        Position p = startingPosition();
        ASSERT_TRUE(p.consistent());
        breakIt(p);
    }
    Position p = startingPosition();
    { TrialSquare raw(p, 5, 7, EMPTY); }
    EXPECT_TRUE(p.consistent());  // a trial taken back leaves nothing behind
}

TEST(Position, ReversingTurnsTheBoardAndExchangesTheHands) {
    Position p = startingPosition();
    const Position start = p;
    reverseBoard(p);
    EXPECT_EQ(p.board(), start.board());  // the set-up is symmetric
    p.put(3, 7, EMPTY);
    p.setHand(Side::MAN, HU, 1);
    p.setHand(Side::COM, KAKU, 2);
    const Position before = p;
    reverseBoard(p);
    EXPECT_EQ(p.at(7, 3), EMPTY);
    EXPECT_EQ(p.at(3, 3), COM_HU);
    EXPECT_EQ(p.comHandTotal(), 1);
    EXPECT_EQ(p.manHand()[KAKU], 2);
    EXPECT_EQ(p.king(Side::COM), (Square{5, 1}));
    EXPECT_TRUE(p.consistent());
    reverseBoard(p);
    EXPECT_EQ(p, before);
}

#ifdef TORVANE_CHECK_POSITIONS
TEST(PositionDeathTest, AMoveOnAPositionOutOfStepStopsTheCheckedBuild) {
    Position p = startingPosition();
    EXPECT_DEATH(
        {
            TrialSquare raw(p, 5, 7, EMPTY);
            makeMove(p, Move{1, 7, 1, 6, MAN_HU, false});
        },
        "out of step");
}
#endif

}  // namespace

// Before the stop, the report shows every square, the hands and the kings.
TEST(PositionDeathTest, ALostPositionIsReportedWhole) {
    const Position p = startingPosition();
    EXPECT_DEATH(positionLost(p),
                 "board by column:\n  20   0  10   0   0   0 -10   0 -20\n.*"
                 "-20\nhands totals 0 0, kings \\(5, 9\\) \\(5, 1\\)");
}
