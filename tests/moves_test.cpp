#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "cli/engine.h"
#include "cli/random_play.h"
#include "core/history.h"
#include "core/legal_moves.h"
#include "core/moves.h"
#include "core/rules.h"
#include "fake_port.h"
#include "play/moves.h"
#include "play/setup.h"
#include "test_util.h"
#include "mode_seam.h"

namespace {

struct Moves : ::testing::Test {
    Fixture f;
    State& s = f.s;
    const Map& BAN = s.pos.board();
    void SetUp() override { clearBoard(s.pos); }
};

TEST_F(Moves, TheLineBehindARookFollowsIt) {
    s.pos.put(5, 5, MAN_SYA);
    s.pos.put(5, 6, COM_KIN);
    s.pos.put(5, 7, MAN_HU);
    s.pos.put(5, 9, MAN_KYOU);  // beyond the gap: stays
    移動対象駒_移動(s.canvas, s.pos, 5, 5, 5, 2);
    EXPECT_EQ(BAN[5][2], MAN_SYA);
    EXPECT_EQ(BAN[5][3], COM_KIN);
    EXPECT_EQ(BAN[5][4], MAN_HU);
    EXPECT_EQ(BAN[5][5], EMPTY);
    EXPECT_EQ(BAN[5][6], EMPTY);
    EXPECT_EQ(BAN[5][7], EMPTY);
    EXPECT_EQ(BAN[5][9], MAN_KYOU);
    EXPECT_EQ(s.pos.manHandTotal() + s.pos.comHandTotal(), 0);  // followers never capture
}

TEST_F(Moves, AOneSquareMoveDragsTheWholeLineToTheEdge) {
    // A COM silver steps diagonally down-right; the diagonal behind it reaches (1, 1).
    s.pos.put(4, 4, COM_GIN);
    s.pos.put(3, 3, MAN_OU);
    s.pos.put(2, 2, COM_SYA);
    s.pos.put(1, 1, MAN_KYOU);
    s.pos.put(5, 5, MAN_HU);  // captured by the mover
    移動対象駒_移動(s.canvas, s.pos, 4, 4, 5, 5);
    EXPECT_EQ(BAN[5][5], COM_GIN);
    EXPECT_EQ(BAN[4][4], MAN_OU);
    EXPECT_EQ(BAN[3][3], COM_SYA);
    EXPECT_EQ(BAN[2][2], MAN_KYOU);
    EXPECT_EQ(BAN[1][1], EMPTY);
    EXPECT_EQ(s.pos.king(Side::MAN), (Square{4, 4}));  // a following king keeps its square known
    EXPECT_EQ(s.pos.comHand()[HU], 1);
    EXPECT_EQ(s.pos.comHandTotal(), 1);
}

TEST_F(Moves, SidewaysAndBackwardLinesFollowToo) {
    s.pos.put(5, 5, COM_RYU);
    s.pos.put(6, 5, COM_HU);
    s.pos.put(7, 5, MAN_KIN);
    s.pos.put(8, 5, MAN_KEI);
    s.pos.put(9, 5, COM_OU);
    移動対象駒_移動(s.canvas, s.pos, 5, 5, 2, 5);
    const int row[10] = {0, 0, COM_RYU, COM_HU, MAN_KIN, MAN_KEI, COM_OU, 0, 0, 0};
    for (int x = 1; x <= 9; ++x) EXPECT_EQ(BAN[x][5], row[x]) << x;
}

TEST_F(Moves, KnightsAndDropsMoveOnePiece) {
    s.pos.put(5, 7, MAN_KEI);
    s.pos.put(5, 8, MAN_HU);
    s.pos.put(6, 5, COM_GIN);
    駒移動(s.canvas, s.pos, 5, 7, 6, 5, MAN_KEI);
    EXPECT_EQ(BAN[6][5], MAN_KEI);
    EXPECT_EQ(BAN[5][8], MAN_HU);
    EXPECT_EQ(BAN[5][7], EMPTY);
    EXPECT_EQ(s.pos.manHand()[GIN], 1);
    EXPECT_EQ(s.pos.manHandTotal(), 1);

    駒移動(s.canvas, s.pos, 11, GIN + 2, 5, 5, MAN_GIN);
    EXPECT_EQ(BAN[5][5], MAN_GIN);
    EXPECT_EQ(s.pos.manHand()[GIN], 0);
    EXPECT_EQ(s.pos.manHandTotal(), 0);

    s.pos.setHand(Side::COM, KAKU, 1);
    s.pos.put(5, 4, COM_HU);
    駒移動(s.canvas, s.pos, -1, KAKU, 5, 3, COM_KAKU);
    EXPECT_EQ(BAN[5][3], COM_KAKU);
    EXPECT_EQ(BAN[5][4], COM_HU);
    EXPECT_EQ(s.pos.comHand()[KAKU], 0);
    EXPECT_EQ(s.pos.comHandTotal(), 0);
}

// The rules' one exception to the following line: a knight, promoting or not, jumps alone;
// once promoted it steps like a gold and its line follows.
TEST_F(Moves, OnlyAKnightJumpsAloneEvenAsItPromotes) {
    struct Row {
        Move m;
        int behind;  // what stands on (5, 8) afterwards
    };
    const Row rows[] = {{{5, 7, 6, 5, MAN_KEI, false}, MAN_HU},
                        {{5, 7, 6, 5, MAN_NARIKEI, true}, MAN_HU},
                        {{5, 7, 5, 6, MAN_NARIKEI, false}, EMPTY}};
    for (const Row& r : rows) {
        clearBoard(s.pos);
        s.pos.put(5, 7, r.m.piece());
        s.pos.put(5, 8, MAN_HU);
        makeMove(s.pos, r.m);
        EXPECT_EQ(BAN[r.m.tx][r.m.ty], r.m.code) << r.m.code;
        EXPECT_EQ(BAN[5][8], r.behind) << r.m.code;
    }
}

TEST_F(Moves, ADropFromARowThatNamesNoKindTouchesNoOtherCount) {
    s.pos.setHand(Side::COM, KIN, 1);
    s.pos.setHand(Side::MAN, KIN, 2);
    駒移動(s.canvas, s.pos, -1, 8, 5, 5, COM_KIN);   // row 8 is past COM's kinds 1..7
    駒移動(s.canvas, s.pos, 11, 10, 5, 6, MAN_KIN);  // row 10 is past MAN's rows 3..9
    EXPECT_EQ(BAN[5][5], COM_KIN);
    EXPECT_EQ(BAN[5][6], MAN_KIN);
    EXPECT_EQ(s.pos.comHandTotal(), 1);
    EXPECT_EQ(s.pos.manHandTotal(), 2);
    EXPECT_EQ(s.pos.comHand(), (Hand{0, 0, 0, 0, 0, 1, 0, 0}));
    EXPECT_EQ(s.pos.manHand(), (Hand{0, 0, 0, 0, 0, 2, 0, 0}));
}

TEST_F(Moves, OnlyTheMoverPromotes) {
    s.pos.put(5, 4, MAN_GIN);
    s.pos.put(5, 5, MAN_HU);
    const Promotion pr = 調査_駒成(5, 4, 5, 3, MAN_GIN);
    ASSERT_TRUE(pr.may);
    s.pos.put(5, 4, pr.code);
    移動対象駒_移動(s.canvas, s.pos, 5, 4, 5, 3);
    EXPECT_EQ(BAN[5][3], MAN_NARIGIN);
    EXPECT_EQ(BAN[5][4], MAN_HU);  // entered the zone as a follower: unpromoted
}

TEST_F(Moves, CapturesFileUnpromotedKindsAndKingsEnterNoHand) {
    for (const int c : {COM_RYU, COM_TO, COM_NARIKIN, MAN_UMA, COM_OU, MAN_OU}) {
        s.pos.put(5, 5, c);
        EXPECT_EQ(s.pos.take(5, 5), c);
    }
    EXPECT_EQ(BAN[5][5], EMPTY);
    EXPECT_EQ(s.pos.manHandTotal(), 3);
    EXPECT_EQ(s.pos.comHandTotal(), 1);
    EXPECT_EQ(s.pos.king(Side::COM), Square{});
    EXPECT_EQ(s.pos.manHand()[SYA], 1);
    EXPECT_EQ(s.pos.manHand()[HU], 1);
    EXPECT_EQ(s.pos.manHand()[KIN], 1);
    EXPECT_EQ(s.pos.comHand()[KAKU], 1);
    int hand = 0;
    for (int k = 1; k <= 7; ++k) hand += s.pos.manHand()[k] + s.pos.comHand()[k];
    EXPECT_EQ(hand, 4);  // kings enter no hand

    s.pos.setHand(Side::MAN, HU, 3);
    ModeTestSeam::of(s.game).TEBAN_MAN = SENTE_BAN;
    ModeTestSeam::of(s.game).TEBAN_COM = GOTE_BAN;
    EXPECT_EQ(調査_持駒数(s.pos, s.game, SENTE_BAN), 5);
    EXPECT_EQ(調査_持駒数(s.pos, s.game, 0), 0);
}

TEST_F(Moves, TwoPawnFlagsFollowOnlyUnpromotedPawns) {
    s.pos.put(3, 5, MAN_HU);
    s.pos.put(3, 7, MAN_HU);
    s.pos.put(4, 5, MAN_TO);
    s.pos.put(6, 2, COM_HU);
    EXPECT_TRUE(s.pos.pawnOnColumn(Side::MAN, 3));
    EXPECT_FALSE(s.pos.pawnOnColumn(Side::MAN, 4));
    EXPECT_FALSE(s.pos.pawnOnColumn(Side::COM, 3));
    EXPECT_TRUE(s.pos.pawnOnColumn(Side::COM, 6));
    s.pos.put(3, 5, MAN_TO);
    EXPECT_TRUE(s.pos.pawnOnColumn(Side::MAN, 3));  // the other pawn stays
    s.pos.take(3, 7);
    EXPECT_FALSE(s.pos.pawnOnColumn(Side::MAN, 3));

    // The flags the rules read move only when refreshed.
    EXPECT_FALSE(s.pos.twoPawnFlag(Side::COM, 6));
    調査_2歩フラグ設定(s.pos);
    EXPECT_TRUE(s.pos.twoPawnFlag(Side::COM, 6));
    EXPECT_FALSE(s.pos.twoPawnFlag(Side::MAN, 3));
}

TEST(Setup, StartingPositionAndMoveZero) {
    Fixture f;
    State& s = f.s;
    ModeTestSeam::of(s.game).TESU = 7;
    s.pos.setHand(Side::MAN, HU, 2);
    初期設定(s);
    EXPECT_EQ(pieceCount(s.pos), 40);
    int com = 0, man = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            (s.pos.board()[x][y] > 0 ? com : man) += s.pos.board()[x][y] != 0;
    EXPECT_EQ(com, 20);
    EXPECT_EQ(man, 20);
    EXPECT_EQ(s.pos.board()[5][1], COM_OU);
    EXPECT_EQ(s.pos.board()[2][2], COM_SYA);
    EXPECT_EQ(s.pos.board()[8][2], COM_KAKU);
    EXPECT_EQ(s.pos.board()[2][8], MAN_KAKU);
    EXPECT_EQ(s.pos.board()[8][8], MAN_SYA);
    EXPECT_EQ(s.pos.board()[1][9], MAN_KYOU);
    EXPECT_EQ(s.pos.manHandTotal() + s.pos.comHandTotal(), 0);
    EXPECT_EQ(s.game.TESU(), 0);
    EXPECT_EQ(s.hist.SAISHU_TESU(), 0);
    EXPECT_EQ(s.game.TEBAN(), 0);
    for (int x = 0; x <= 9; ++x)
        for (int y = 0; y <= 9; ++y) EXPECT_EQ(s.hist.BAN_RIREKI[0][x][y], s.pos.board()[x][y]);
    for (int i = 0; i <= 9; ++i) EXPECT_EQ(s.pos.board()[0][i] | s.pos.board()[i][0], 0);
}

TEST(Setup, SavingOverwritesAndTheBoundEndsTheGame) {
    Fixture f;
    State& s = f.s;
    初期設定(s);
    ModeTestSeam::of(s.game).TESU = 3;
    手順保存(s.hist, s.game, s.pos, 1, 2, 3, 4);
    ModeTestSeam::of(s.game).TESU = 1;
    s.pos.put(5, 5, COM_KIN);
    手順保存(s.hist, s.game, s.pos, 5, 6, 7, 8);
    EXPECT_EQ(s.hist.SAISHU_TESU(), 1);
    EXPECT_EQ(s.hist.BAN_RIREKI[1][5][5], COM_KIN);
    EXPECT_EQ(s.hist.COM_JIKAN_ATO[1], 8);

    ModeTestSeam::of(s.game).TESU = 499;
    EXPECT_TRUE(履歴に空きあり(s.game));
    EXPECT_FALSE(手数上限終了(s.game, s.clock, s.timer, s.dialog));
    ModeTestSeam::of(s.game).TESU = 500;
    EXPECT_FALSE(履歴に空きあり(s.game));
    ModeTestSeam::of(s.game).TEBAN = SENTE_BAN;
    f.port.clear();
    EXPECT_TRUE(手数上限終了(s.game, s.clock, s.timer, s.dialog));
    EXPECT_EQ(s.game.TEBAN(), 0);
    EXPECT_EQ(f.port.count("message 500手"), 1u);
}

// The game's moves draw around the board change of core/moves.h; over whole seeded games
// they must leave the board and the hands exactly as the pure change does.
void expectSame(const Position& game, const Position& pure, const std::string& move) {
    EXPECT_EQ(game.board(), pure.board()) << move;
    EXPECT_EQ(game.manHand(), pure.manHand()) << move;
    EXPECT_EQ(game.comHand(), pure.comHand()) << move;
    EXPECT_EQ(game.manHandTotal(), pure.manHandTotal()) << move;
    EXPECT_EQ(game.comHandTotal(), pure.comHandTotal()) << move;
}

TEST(GameMoves, MoveTheBoardAsThePureChangeDoes) {
    int compared = 0;
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        Engine e;
        const Position& game = e.state().pos;
        Rng rng(seed);
        for (int ply = 0; ply < 80 && e.state().game.SHOUHAI() == 0; ++ply) {
            const auto moves = 合法手一覧_MAN(e.state().pos);
            if (moves.empty()) break;
            const std::string m = moves[rng.below(moves.size())];
            int fx, fy, tx, ty;
            char word[16] = "";
            const bool promote =
                std::sscanf(m.c_str(), "%d %d %d %d %15s", &fx, &fy, &tx, &ty, word) == 5;
            Position pure = game;
            if (fx == MAN_DROP_X) {
                駒移動(pure, fx, fy, tx, ty, manCode(fy - 2));
            } else {
                const int code = pure.board()[fx][fy];
                const Promotion pr = 調査_駒成(fx, fy, tx, ty, code);
                if (promote && pr.may) pure.put(fx, fy, pr.code);
                if (code == MAN_KEI)
                    駒移動(pure, fx, fy, tx, ty, pure.board()[fx][fy]);
                else
                    移動対象駒_移動(pure, fx, fy, tx, ty);
            }
            if (e.handle("man " + m) != "ok") break;
            expectSame(game, pure, m);

            pure = game;
            const std::string c = e.handle("com");
            int code;
            if (std::sscanf(c.c_str(), "%d %d %d %d %d", &fx, &fy, &tx, &ty, &code) != 5) break;
            if (fx == COM_DROP_X) {
                駒移動(pure, fx, fy, tx, ty, code);
            } else {
                const int was = pure.board()[fx][fy];
                pure.put(fx, fy, code);
                if (was == COM_KEI)
                    駒移動(pure, fx, fy, tx, ty, code);
                else
                    移動対象駒_移動(pure, fx, fy, tx, ty);
            }
            expectSame(game, pure, c);
            compared += 2;
        }
    }
    EXPECT_GT(compared, 600);
}

TEST(History, APositionGoesInAndComesBackWithItsTotals) {
    Fixture f;
    State& s = f.s;
    初期設定(s);
    s.pos.put(5, 5, COM_RYU);
    s.pos.load(s.pos.board(), {0, 3, 0, 1, 0, 0, 0, 1}, {0, 0, 2, 0, 0, 1, 0, 0});
    const auto h = std::make_unique<History>();
    storePosition(*h, 7, s.pos);
    Position back;
    restorePosition(back, *h, 7);
    EXPECT_EQ(back.board(), s.pos.board());
    EXPECT_EQ(back.manHand(), s.pos.manHand());
    EXPECT_EQ(back.comHand(), s.pos.comHand());
    EXPECT_EQ(back, s.pos);  // totals, kings and flags worked out again
    EXPECT_EQ(back.manHandTotal(), 5);
    EXPECT_EQ(back.comHandTotal(), 3);
    EXPECT_EQ(h->BAN_RIREKI[6], Map{});  // no other entry is touched
}

}  // namespace
