// The faults the storm found, each pinned by the shortest play that shows it.
#include <gtest/gtest.h>

#include <memory>

#include "play/browsing.h"
#include "play/game_flow.h"
#include "play/setup.h"
#include "play/window_events.h"
#include "state_checks.h"

namespace {

struct Game {
    SilentPort port;
    std::unique_ptr<State> state = std::make_unique<State>(port);
    State& s = *state;
    Game() { 初期設定(s); }
    void click(int x, int y) {
        Form_MouseDown(s, 1, 0, 1050 + 495 * (x + 0.5), 100 + 615 * (y + 0.5));
    }
    void move(int fx, int fy, int tx, int ty) {
        click(fx, fy);
        click(tx, ty);
    }
};

}  // namespace

// The taken king goes into no hand, so it is not counted in the hand's total either.
TEST(StormFaults, ATakenKingCountsInNoHandTotal) {
    Game g;
    START_Click(g.s);
    // 先手 (bottom) opens the bishop's diagonal, 後手 leaves its king's corner open, the bishop
    // runs through and takes the king.
    g.move(3, 7, 3, 6);
    g.move(6, 1, 7, 2);
    g.move(2, 8, 6, 4);
    g.move(1, 3, 1, 4);
    g.move(6, 4, 5, 3);
    g.move(1, 4, 1, 5);
    g.move(5, 3, 6, 2);
    g.move(1, 5, 1, 6);
    g.move(6, 2, 5, 1);
    ASSERT_NE(g.s.game.SHOUHAI(), 0) << "the king was taken";
    EXPECT_EQ(stateFault(g.s), "");
    int inHand = 0;
    for (int k = 1; k <= 7; ++k) inHand += g.s.pos.manHand()[k];
    EXPECT_EQ(g.s.pos.manHandTotal(), inHand);
}

// A game between people taken over by COM: the position shown is the last history entry,
// so 戻 then 進 come back to it, and a record written now holds it.
TEST(StormFaults, PlayingOnAgainstComStoresThePositionShown) {
    Game g;
    START_Click(g.s);
    g.move(7, 7, 7, 6);
    g.move(3, 3, 3, 4);
    ASSERT_EQ(g.s.game.TESU(), 2);
    int shown[10][10];
    for (int x = 0; x <= 9; ++x)
        for (int y = 0; y <= 9; ++y) shown[x][y] = g.s.pos.board()[x][y];
    SENTE_Click(g.s);  // 先手 to move, as MAN
    ASSERT_EQ(g.s.hist.SAISHU_TESU(), 2);
    EXPECT_EQ(stateFault(g.s), "");
    REPLAY_Click(g.s);
    AFTER_Click(g.s);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) EXPECT_EQ(g.s.pos.board()[x][y], shown[x][y]) << x << "," << y;
}
