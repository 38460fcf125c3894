// One move procedure for every mover: what it reports, move by move through one short game,
// and the refusals that leave everything as it was.
#include <gtest/gtest.h>

#include <memory>

#include "mode_seam.h"
#include "play/moves.h"
#include "play/setup.h"
#include "play/state.h"
#include "test_util.h"

TEST(PlayMove, ReportsWhatEachMoveDidAndRefusesWithoutAChange) {
    SilentPort port;
    auto st = std::make_unique<State>(port);
    State& s = *st;
    初期設定(s);
    clearBoard(s.pos);
    const auto& BAN = s.pos.board();
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(5, 1, COM_OU);
    s.pos.put(5, 4, MAN_HU);
    s.pos.put(5, 3, COM_KIN);
    s.pos.put(3, 3, MAN_KEI);
    s.pos.put(5, 5, MAN_KYOU);  // follows the pawn
    調査_2歩フラグ設定(s.pos);

    struct Row {
        Move m;
        Refusal refused;
        int captured;
        int winner;
        int tesu;  // moves counted afterwards
    };
    const int man = s.game.TEBAN_MAN();
    const Row rows[] = {
        {requestedMove(5, 4, 5, 2, MAN_HU, false), Refusal::Illegal, EMPTY, 0, 0},
        {requestedMove(3, 3, 2, 1, MAN_KEI, false), Refusal::MustPromote, EMPTY, 0, 0},
        {requestedMove(5, 4, 5, 3, MAN_HU, true), Refusal::None, COM_KIN, 0, 1},
        {requestedMove(MAN_DROP_X, KIN + 2, 4, 2, MAN_KIN, true), Refusal::None, EMPTY, 0, 2},
        {requestedMove(5, 3, 5, 2, MAN_TO, false), Refusal::None, EMPTY, 0, 3},
        {requestedMove(4, 2, 5, 1, MAN_KIN, false), Refusal::None, COM_OU, man, 4},
    };
    for (const Row& r : rows) {
        const Position before = s.pos;
        const MoveOutcome out = playMove(s, r.m, Mover::Person);
        EXPECT_EQ(out.refused, r.refused) << r.m.fx << r.m.fy << r.m.tx << r.m.ty;
        EXPECT_EQ(out.captured, r.captured) << r.m.tx << r.m.ty;
        EXPECT_EQ(out.promoted, r.m.promote);
        EXPECT_EQ(out.winner, r.winner);
        EXPECT_EQ(s.game.TESU(), r.tesu);
        EXPECT_EQ(s.game.HYOUJI_TESU(), r.tesu);
        EXPECT_EQ(s.hist.SAISHU_TESU(), r.tesu - (r.tesu > 0));
        if (r.refused != Refusal::None) {
            EXPECT_EQ(s.pos.board(), before.board());
        }
    }
    // The pawn turned over before it travelled and the lance followed it unpromoted; the drop
    // left the hand; the king taken decides the game.
    EXPECT_EQ(BAN[5][2], MAN_TO);
    EXPECT_EQ(BAN[5][3], MAN_KYOU);
    EXPECT_EQ(s.pos.manHand()[KIN], 0);
    EXPECT_EQ(s.game.SHOUHAI(), man);
    EXPECT_EQ(winnerByKings(s.pos, s.game, Mover::Computer), man);

    // A full history refuses any move.
    ModeTestSeam::of(s.game).TESU = TESU_MAX;
    EXPECT_EQ(playMove(s, requestedMove(5, 2, 6, 2, MAN_TO, false), Mover::Person).refused,
              Refusal::HistoryFull);
}
