// Playing by mouse: whole games by clicks in twips, browsing and reversal, through the fake.
#include <gtest/gtest.h>
#include <array>

#include "cli/engine.h"
#include "core/history.h"
#include "core/moves.h"
#include "play/setup.h"
#include "play/browsing.h"
#include "play/game_flow.h"
#include "play_util.h"
#include "test_util.h"
#include "mode_seam.h"

namespace {

void twoPeople(State& s, int tebanMan = SENTE_BAN, int teban = SENTE_BAN) {
    ModeTestSeam::of(s.game).TEBAN_MAN = tebanMan;
    ModeTestSeam::of(s.game).TEBAN_COM = -tebanMan;
    ModeTestSeam::of(s.game).TEBAN = teban;
}

// A game between people that has reached move 499: the next move is the last the history
// holds, made by the bottom side (3七-3六).
void lastMoveMadeBetweenPeople(State& s) {
    初期設定(s);
    twoPeople(s);
    ModeTestSeam::of(s.game).TESU = ModeTestSeam::of(s.game).HYOUJI_TESU = 499;
    move(s, 3, 7, 3, 6);
}

template <class Board>
bool sameBoard(const State& a, const Board& ban) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (a.pos.board()[x][y] != ban[x][y]) return false;
    return true;
}

}  // namespace

TEST(Play, TwoPeopleGameWithTheClockAndSteppingBack) {
    Fixture f;
    State& s = f.s;
    FakePort& port = f.port;
    初期設定(s);
    s.canvas.opt.KEIKA = true;
    port.clear();
    click(s, 3, 7);  // no game yet
    port.now = 100;
    START_Click(s);
    // 先手 (bottom) thinks 5, 3 and 1 seconds, 後手 7 and 5.
    const struct {
        float now;
        int fx, fy, tx, ty, button;
    } moves[] = {
        {105, 3, 7, 3, 6, 1},
        {112, 7, 3, 7, 4, 1},
        {115, 2, 8, 8, 2, 2},    // the bishop takes the bishop and promotes; the lance follows
        {120, 7, 1, 8, 2, 1},    // the silver takes the horse
        {121, 11, 8, 5, 5, 1}};  // 先手 drops the bishop
    for (const auto& m : moves) {
        port.now = m.now;
        Timer1_Timer(s);
        if (m.now == 112) click(s, 3, 6);  // 先手's pawn on 後手's turn: a hint only
        move(s, m.fx, m.fy, m.tx, m.ty, m.button);
    }
    EXPECT_EQ(s.pos.board()[5][5], MAN_KAKU);
    EXPECT_EQ(s.pos.board()[8][2], COM_GIN);
    EXPECT_EQ(s.pos.board()[7][3], MAN_KYOU);
    EXPECT_EQ(s.hist.BAN_RIREKI[3][8][2], MAN_UMA);
    EXPECT_EQ(s.pos.comHand()[KAKU] * 10 + s.pos.comHandTotal(), 11);
    EXPECT_EQ(s.pos.manHandTotal(), 0);
    EXPECT_EQ(s.game.TESU() * 100 + s.game.HYOUJI_TESU() * 10 + s.hist.SAISHU_TESU(), 554);
    EXPECT_EQ(s.game.TEBAN(), GOTE_BAN);
    EXPECT_FLOAT_EQ(s.clock.MAN_JIKAN, 9);
    EXPECT_FLOAT_EQ(s.clock.COM_JIKAN, 12);
    EXPECT_EQ(port.only("text").back(), "text " + FakePort::num(セル左(13.4)) + " " +
                                            FakePort::num(セル上(2.4)) + " 角 colour 15 size 12");

    // Back twice and forward once: the clocks are those of the position shown.
    REPLAY_Click(s);
    REPLAY_Click(s);
    EXPECT_FLOAT_EQ(s.clock.COM_JIKAN, 7);
    AFTER_Click(s);
    EXPECT_EQ(s.game.TESU(), 4);
    EXPECT_EQ(s.game.TEBAN(), SENTE_BAN);
    EXPECT_TRUE(sameBoard(s, s.hist.BAN_RIREKI[4]));
    EXPECT_FLOAT_EQ(s.clock.MAN_JIKAN, 8);
    EXPECT_FLOAT_EQ(s.clock.COM_JIKAN, 12);
    AFTER_Click(s);  // the live position was never stored
    click(s, 3, 6);  // play goes on from here
    EXPECT_EQ(heard(port),
              (Log{"play 1", "message 「対局」で始めて下さい | 開始", "timer on",
                   "message 先手の番です |  ", "play 2", "play 2", "play 2", "play 2", "play 2",
                   "timer off", "play 2", "timer off", "play 2", "timer off", "play 2", "play 1",
                   "message できません | 進む", "timer on", "message 先手の番です | 対局"}));
}

TEST(Play, SelectionGuidanceAndStands) {
    Fixture f;
    State& s = f.s;
    FakePort& port = f.port;
    初期設定(s);
    twoPeople(s);
    s.pos.setHand(Side::MAN, HU, 1);
    s.pos.setHand(Side::COM, SYA, 1);
    auto counts = [&](int colour) { return port.count("outline " + std::to_string(colour) + " "); };

    port.clear();
    click(s, 3, 7);  // guidance off: only the piece stands out
    EXPECT_EQ(port.only("outline 12"), Log{outlineOf(12, 3, 7)});
    EXPECT_EQ(counts(15), 0u);
    s.canvas.opt.SIDOU_FLAG = true;
    s.canvas.opt.SIDOU_COLOR = 15;
    port.clear();
    click(s, 8, 8);  // another own piece becomes the selection: five squares left, one right
    EXPECT_EQ(port.only("outline 12"), Log{outlineOf(12, 8, 8)});
    EXPECT_EQ(counts(15), 6u);
    port.clear();
    click(s, 2, 2);  // no rook move: the forbidden sound alone, the outlines cleared
    EXPECT_EQ(heard(port), Log{"play 1"});
    EXPECT_EQ(s.game.CLICK_JOUTAI() * 100 + counts(15), 0u);
    click(s, 2, 2);  // the opponent's rook: its squares and itself as a hint, nothing chosen
    EXPECT_EQ(s.game.CLICK_JOUTAI() * 100 + counts(15), 7u);
    port.clear();
    click(s, 11, 3);  // the pawn in hand: every column holds a pawn already
    EXPECT_EQ(s.game.CLICK_JOUTAI() * 100 + counts(15) * 10 + counts(12), 101u);
    port.clear();
    Form_MouseDown(s, 1, 0, 600, 800);  // COM's stand, top cell: the rook, every empty square
    EXPECT_EQ(s.play.SENTAKU_KOMA, COM_SYA);
    EXPECT_EQ(counts(15), 41u + 1u);
    click(s, 5, 5);  // but it is not 先手's to drop
    EXPECT_EQ(s.game.CLICK_JOUTAI() * 100 + s.pos.board()[5][5] + s.pos.comHand()[SYA], 1);

    const double row7 = 100 + 615 * 7 + 1;
    Form_MouseDown(s, 1, 0, 1050 + 494, row7);  // column 0: no square
    EXPECT_EQ(s.game.CLICK_JOUTAI(), 0);
    Form_MouseDown(s, 1, 0, 1050 + 495, row7);  // column 1
    EXPECT_EQ(s.game.CLICK_JOUTAI() * 10 + s.play.MOTO_X, 11);
    port.clear();
    click(s, 16, 5);  // beside everything: the highlights go, the selection stays
    EXPECT_EQ(s.game.CLICK_JOUTAI(), 1);
    EXPECT_EQ(port.calls.back(), outlineOf(2, 1, 7));
}

TEST(Play, PromotionIsByTheRightButton) {
    Fixture f;
    State& s = f.s;
    初期設定(s);
    clearBoard(s.pos);
    s.pos.put(5, 1, COM_OU);
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(1, 2, MAN_HU);
    s.pos.put(9, 4, MAN_GIN);
    twoPeople(s);
    f.port.clear();
    move(s, 1, 2, 1, 1);  // a pawn on the last row could never move again
    click(s, 1, 1, 3);    // nor does the middle button leave it a pawn
    EXPECT_EQ(heard(f.port), (Log{"play 1", "message マウスの右をクリックして下さい | 成り",
                                  "play 1", "message マウスの右をクリックして下さい | 成り"}));
    click(s, 1, 1, 2);
    EXPECT_EQ(s.pos.board()[1][1], MAN_TO);
    EXPECT_NE(f.port.only("text").back().find(" 歩 colour 15"), std::string::npos);  // as picked up
    const int more[][5] = {{9, 4, 9, 3, 1}, {9, 3, 9, 2, 2}, {5, 9, 5, 8, 2}};
    for (const auto& m : more) {
        ModeTestSeam::of(s.game).TEBAN = SENTE_BAN;
        move(s, m[0], m[1], m[2], m[3], m[4]);
    }
    EXPECT_EQ(s.hist.BAN_RIREKI[2][9][3], MAN_GIN);  // may promote, left button: it does not
    EXPECT_EQ(s.pos.board()[9][2], MAN_NARIGIN);
    EXPECT_EQ(s.pos.board()[5][8], MAN_OU);  // a king cannot promote: the right button just moves
}

TEST(Play, TheWinnerIsNamedAndTheGameIsOver) {
    const struct {
        int comTaisen, tebanMan, teban, fx, fy, tx, ty;
        const char* message;
    } cases[] = {
        {1, SENTE_BAN, SENTE_BAN, 5, 5, 5, 1, "あなたの勝ちです"},
        {1, SENTE_BAN, SENTE_BAN, 5, 5, 4, 5, "ｺﾝﾋﾟｭｰﾀの勝ちです"},  // COM's rook answers
        {0, SENTE_BAN, SENTE_BAN, 5, 5, 5, 1, "先手の勝ちです"},
        {0, SENTE_BAN, GOTE_BAN, 9, 5, 9, 9, "後手の勝ちです"},
        {0, GOTE_BAN, GOTE_BAN, 5, 5, 5, 1, "後手の勝ちです"},  // a 後手 game gone on by two
    };
    for (const auto& c : cases) {
        Fixture f;
        State& s = f.s;
        初期設定(s);
        clearBoard(s.pos);
        s.pos.put(5, 1, COM_OU);
        s.pos.put(9, 9, MAN_OU);
        s.pos.put(5, 5, MAN_SYA);
        s.pos.put(9, 5, COM_SYA);
        ModeTestSeam::of(s.game).COM_TAISEN = c.comTaisen;
        twoPeople(s, c.tebanMan, c.teban);
        move(s, c.fx, c.fy, c.tx, c.ty);
        click(s, 1, 1);
        EXPECT_EQ(f.port.only("message"), (Log{std::string("message ") + c.message + " | 終了",
                                               "message 新規に対局してください | 終局"}));
        EXPECT_FALSE(s.clock.Timer1);
    }
}

TEST(Play, TheGameEndsDrawnAtMove500) {
    Fixture f;
    State& s = f.s;
    lastMoveMadeBetweenPeople(s);
    move(s, 7, 7, 7, 6);  // the game is over: no further move
    EXPECT_EQ(s.pos.board()[3][6] * 10 + s.pos.board()[7][7], -110);
    EXPECT_EQ(s.game.TESU() * 10 + s.game.TEBAN(), 5000);
    START_Click(s);  // a fresh game, as after a win
    move(s, 7, 7, 7, 6);
    EXPECT_EQ(s.pos.board()[3][6] * 10 + s.pos.board()[7][6], -10);
    EXPECT_EQ(s.game.TESU(), 1);
    EXPECT_EQ(heard(f.port, {"message", "play 1"}),
              (Log{"message 500手に達したので引き分けです | 終了", "play 1",
                   "message 「対局」で始めて下さい | 開始", "play 1",
                   "message 「対局」で始めて下さい | 開始", "message 先手の番です |  "}));
}

// The live end at the last move the history holds is kept too, so that 戻 reads the move it
// takes back.
TEST(Play, StepsBackFromMove500ToTheMoveMadeThere) {
    Fixture f;
    State& s = f.s;
    lastMoveMadeBetweenPeople(s);
    REPLAY_Click(s);
    const Arrival a = 調査_移動結果(s.hist, 500);
    EXPECT_EQ((std::array{a.x, a.y, a.code}), (std::array{3, 6, MAN_HU}));
}

TEST(Play, ComputerRepliesAsTheEngineToolAndResumesAfterStepsBack) {
    Fixture f;
    State& s = f.s;
    初期設定(s);
    f.port.clear();
    SENTE_Click(s);
    Engine e;  // `man` is the mouse's move, `com` COM's whole turn
    const int moves[][4] = {{3, 7, 3, 6}, {7, 7, 7, 6}, {2, 8, 3, 7}, {5, 9, 6, 8}};
    for (const auto& m : moves) {
        move(s, m[0], m[1], m[2], m[3]);
        e.handle("man " + std::to_string(m[0]) + " " + std::to_string(m[1]) + " " +
                 std::to_string(m[2]) + " " + std::to_string(m[3]));
        e.handle("com");
        EXPECT_TRUE(sameBoard(s, e.state().pos.board())) << m[0] << m[1] << m[2] << m[3];
    }
    EXPECT_EQ(s.game.TESU() * 10 + s.game.TEBAN(), 81);

    REPLAY_Click(s);  // COM to move again
    f.port.clear();
    click(s, 7, 6);  // COM plays the same reply, then the click picks up the pawn
    EXPECT_TRUE(sameBoard(s, e.state().pos.board()));
    EXPECT_EQ(s.game.TESU() * 10 + s.game.CLICK_JOUTAI(), 81);
    EXPECT_EQ(f.port.only("message"), Log{"message OKですか？ | 再開(COM)"});

    Fixture g;  // COM first: it moves at once, as the tool's first `com`
    初期設定(g.s);
    GOTE_Click(g.s);
    Engine e2;
    e2.handle("com");
    EXPECT_TRUE(sameBoard(g.s, e2.state().pos.board()));
    EXPECT_EQ(g.s.game.TEBAN_COM() * 10 + g.s.game.TEBAN(), 10 + GOTE_BAN);
}

// A click that lets COM resume, when COM's move takes the king, takes no move of its own.
TEST(Play, AClickAfterTheGameComEndedOnResumingTakesNoMove) {
    Fixture f;
    State& s = f.s;
    初期設定(s);
    SENTE_Click(s);
    move(s, 7, 7, 7, 6);
    REPLAY_Click(s);           // COM to move again
    s.pos.put(5, 8, COM_KIN);  // beside MAN's king
    f.port.clear();
    click(s, 1, 7);
    EXPECT_NE(s.game.SHOUHAI(), 0);
    EXPECT_EQ(s.game.CLICK_JOUTAI(), 0);
    EXPECT_EQ(f.port.only("message").front(), "message OKですか？ | 再開(COM)");
}

TEST(Play, RecordModeAndReversal) {
    Fixture f, start;
    State& s = f.s;
    初期設定(s);
    初期設定(start.s);
    ModeTestSeam::of(s.game).KIFU_MODE = true;
    ModeTestSeam::of(s.game).TEBAN = SENTE_BAN;
    f.port.clear();
    click(s, 5, 5);  // Yes: stay with the record
    REVERSE_Click(s);
    AFTER_Click(s);  // the end of a record is no refusal
    f.port.answers = {Answer::No};
    click(s, 5, 5);  // No: the starting position, no game
    EXPECT_EQ(heard(f.port),
              (Log{"message 棋譜を '進 'で進めて下さい | 棋譜 | yesno", "play 1",
                   "message 棋譜ﾓｰﾄﾞではできません | 反転", "message 終わり | 進む",
                   "message 棋譜を '進 'で進めて下さい | 棋譜 | yesno", "play 1", "timer off"}));
    EXPECT_EQ(s.game.KIFU_MODE() * 10 + s.game.TEBAN(), 0);

    SENTE_Click(s);
    REVERSE_Click(s);  // the set-up is symmetric: only the side to move changes
    EXPECT_TRUE(sameBoard(s, start.s.pos.board()));
    EXPECT_EQ(s.game.TEBAN() * 10 + s.game.HANTEN(), -9);
    clearBoard(s.pos);
    s.pos.put(3, 7, MAN_HU);
    s.pos.put(1, 1, COM_RYU);
    s.pos.setHand(Side::MAN, HU, 2);
    s.pos.setHand(Side::COM, KIN, 1);
    ModeTestSeam::of(s.game).HANDE_SETTEI = true;
    ModeTestSeam::of(s.game).HANDE_LEVEL = 2;
    ModeTestSeam::SAISHU_TESU(s.hist) = ModeTestSeam::of(s.game).TESU = 3;
    REVERSE_Click(s);
    EXPECT_EQ(s.pos.board()[7][3] * 100 + s.pos.board()[9][9], COM_HU * 100 + MAN_RYU);
    EXPECT_EQ(s.pos.comHand()[HU] * 10 + s.pos.manHand()[KIN], 21);
    EXPECT_EQ(s.pos.comHandTotal() * 10 + s.pos.manHandTotal(), 21);
    EXPECT_EQ(s.game.HANDE_LEVEL(), -2);
    EXPECT_EQ(s.game.TESU() * 10 + s.hist.SAISHU_TESU(), 0);
    SENTE_Click(s);  // a game begun again keeps the fresh history
    EXPECT_EQ(s.hist.SAISHU_TESU(), 0);
}
