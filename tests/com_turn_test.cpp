// COM's whole turn as the player sees it: the indicator, the clock, the move, the messages.
#include <gtest/gtest.h>

#include "ai/survey.h"
#include "play/com_ban.h"
#include "play/setup.h"
#include "fake_port.h"
#include "test_util.h"
#include "mode_seam.h"

namespace {

// A fake whose time of day moves on by one second at every look, so every clock tick
// while the timer runs is a new whole second.
class TickingPort : public FakePort {
public:
    int looks = 0;
    float timeOfDay() override {
        ++looks;
        return now += 1.0f;
    }
};

struct ComTurn : ::testing::Test {
    TickingPort port;
    std::unique_ptr<State> st = std::make_unique<State>(port);
    State& s = *st;
    void SetUp() override {
        初期設定(s);
        ModeTestSeam::of(s.game).COM_TAISEN = 1;
        ModeTestSeam::of(s.game).TEBAN_MAN = SENTE_BAN;
        ModeTestSeam::of(s.game).TEBAN_COM = GOTE_BAN;
        ModeTestSeam::of(s.game).TEBAN = GOTE_BAN;
        port.clear();
        port.looks = 0;
    }
};

TEST_F(ComTurn, PlaysOneMoveAndHandsTheTurnBack) {
    s.canvas.opt.KEIKA = true;
    勢力調査(s.analysis);
    com_ban(s);
    EXPECT_EQ(s.game.TESU(), 1);
    EXPECT_EQ(s.game.HYOUJI_TESU(), 1);
    EXPECT_EQ(s.game.TEBAN(), SENTE_BAN);
    EXPECT_TRUE(s.clock.Timer1);  // MAN's clock runs
    EXPECT_EQ(pieceCount(s.pos), 40);
    // Entry 0 holds the position COM moved from.
    EXPECT_EQ(s.hist.BAN_RIREKI[0][s.analysis.turn.BEST_FX][s.analysis.turn.BEST_FY],
              s.analysis.turn.BEST_KOMA);
    EXPECT_EQ(s.pos.board()[s.analysis.turn.BEST_TX][s.analysis.turn.BEST_TY],
              s.analysis.turn.BEST_NEW_KOMA);
    // The start, one tick per origin column (nothing in hand), and MAN's start.
    EXPECT_EQ(port.looks, 1 + 9 + 1);
    bool thinking = false;
    for (const auto& c : port.only("text "))
        thinking = thinking || c.find("思考中") != std::string::npos;
    EXPECT_TRUE(thinking);
    EXPECT_EQ(port.count("wait 0.5"), 1u);
    EXPECT_EQ(port.count("play 2"), 1u);  // the piece sound
    const double left = 1050 + 495 * s.analysis.turn.BEST_TX,
                 top = 100 + 615 * s.analysis.turn.BEST_TY;
    EXPECT_EQ(port.calls.back(), "timer on");
    EXPECT_EQ(port.count("outline 15 " + FakePort::num(left) + " " + FakePort::num(top)), 1u);
}

TEST_F(ComTurn, WithPiecesInHandTheClockTicksPerKindToo) {
    s.canvas.opt.KEIKA = true;
    s.pos.setHand(Side::COM, KIN, 1);
    勢力調査(s.analysis);
    com_ban(s);
    EXPECT_EQ(port.looks, 1 + 9 + 7 + 1);
}

TEST_F(ComTurn, CapturingTheKingEndsTheGameWithoutMoveText) {
    clearBoard(s.pos);
    s.pos.put(5, 5, COM_KIN);
    s.pos.put(5, 6, MAN_OU);
    s.pos.put(1, 1, COM_OU);
    s.clock.KEIKA_BYOU = 3;
    勢力調査(s.analysis);
    com_ban(s);
    EXPECT_EQ(s.pos.board()[5][6], COM_KIN);
    EXPECT_EQ(s.game.SHOUHAI(), GOTE_BAN);
    EXPECT_EQ(s.game.TEBAN(), SENTE_BAN);
    EXPECT_EQ(s.analysis.turn.BEST_SCORE, 9999);
    EXPECT_EQ(port.count("message ｺﾝﾋﾟｭｰﾀの勝ちです | 終了"), 1u);
    EXPECT_EQ(s.clock.COM_JIKAN, 0);  // the clock is not advanced
    EXPECT_FALSE(s.clock.Timer1);
    EXPECT_EQ(s.hist.COM_JIKAN_ATO[0], 3);
    port.clear();
    com_ban(s);  // the game is over: nothing happens
    EXPECT_TRUE(port.calls.empty());
}

TEST_F(ComTurn, WithNothingToPlayComResigns) {
    clearBoard(s.pos);
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(1, 9, COM_HU);  // a pawn on the last row cannot move
    勢力調査(s.analysis);
    com_ban(s);
    EXPECT_EQ(s.game.TESU(), 0);
    EXPECT_EQ(s.game.SHOUHAI(), SENTE_BAN);
    EXPECT_EQ(s.game.TEBAN(), SENTE_BAN);
    EXPECT_EQ(port.count(std::string("message ") + 投了メッセージ), 1u);
}

TEST_F(ComTurn, TheGameStopsAtTheLastMoveTheHistoryHolds) {
    ModeTestSeam::of(s.game).TESU = 499;
    勢力調査(s.analysis);
    com_ban(s);
    EXPECT_EQ(s.game.TESU(), 500);
    EXPECT_EQ(s.game.TEBAN(), 0);
    EXPECT_EQ(port.count(std::string("message ") + 手数上限メッセージ), 1u);
    port.clear();
    com_ban(s);
    EXPECT_EQ(s.game.TESU(), 500);
}

}  // namespace
