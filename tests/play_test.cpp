// Playing by mouse: whole games by clicks in twips, through the recording fake.
#include <gtest/gtest.h>

#include <cstring>

#include "cli/engine.h"
#include "core/setup.h"
#include "play/game_flow.h"
#include "play_util.h"
#include "test_util.h"

namespace {

void twoPeople(State& s, int tebanMan = SENTE_BAN) {
    s.game.COM_TAISEN = 0;
    s.game.TEBAN_MAN = tebanMan;
    s.game.TEBAN_COM = -tebanMan;
    s.game.TEBAN = SENTE_BAN;
}

bool sameBoard(const State& a, const State& b) {
    return std::memcmp(a.pos.BAN, b.pos.BAN, sizeof a.pos.BAN) == 0 &&
           std::memcmp(a.pos.MOCHI_MAN, b.pos.MOCHI_MAN, sizeof a.pos.MOCHI_MAN) == 0 &&
           std::memcmp(a.pos.MOCHI_COM, b.pos.MOCHI_COM, sizeof a.pos.MOCHI_COM) == 0;
}

}  // namespace

TEST(Play, TwoPeopleGameWithTheClock) {
    Fixture f;
    State& s = f.s;
    FakePort& port = f.port;
    初期設定(s);
    s.opt.KEIKA = true;
    port.clear();

    click(s, 3, 7);  // no game yet
    port.now = 100;
    START_Click(s);
    port.now = 105;
    Timer1_Timer(s);
    move(s, 3, 7, 3, 6);  // 先手's pawn
    port.now = 112;
    Timer1_Timer(s);
    click(s, 3, 6);  // 後手 to move: 先手's pawn only shows where it could go
    EXPECT_EQ(s.game.CLICK_JOUTAI, 0);
    move(s, 7, 3, 7, 4);
    port.now = 115;
    Timer1_Timer(s);
    move(s, 2, 8, 8, 2, 2);  // the bishop takes the bishop and promotes; the lance follows
    EXPECT_EQ(s.pos.BAN[8][2], MAN_UMA);
    EXPECT_EQ(s.pos.BAN[7][3], MAN_KYOU);
    EXPECT_EQ(s.pos.BAN[1][9], EMPTY);
    port.now = 120;
    Timer1_Timer(s);
    move(s, 7, 1, 8, 2);  // the silver takes the horse: a bishop in 後手's hand
    port.now = 121;
    Timer1_Timer(s);
    move(s, 11, 8, 5, 5);  // 先手 drops the bishop from the stand

    EXPECT_EQ(s.pos.BAN[5][5], MAN_KAKU);
    EXPECT_EQ(s.pos.BAN[8][2], COM_GIN);
    EXPECT_EQ(s.pos.MOCHI_MAN[KAKU], 0);
    EXPECT_EQ(s.pos.MOCHI_COM[KAKU], 1);
    EXPECT_EQ(s.pos.MOCHI_MAN_SU, 0);
    EXPECT_EQ(s.pos.MOCHI_COM_SU, 1);
    EXPECT_EQ(s.game.TESU, 5);
    EXPECT_EQ(s.game.HYOUJI_TESU, 5);
    EXPECT_EQ(s.hist.SAISHU_TESU, 4);
    EXPECT_EQ(s.game.TEBAN, GOTE_BAN);
    // 先手 thought 5 + 3 + 1 seconds, 後手 7 + 5; the clock keeps running for 後手.
    EXPECT_FLOAT_EQ(s.clock.MAN_JIKAN, 9);
    EXPECT_FLOAT_EQ(s.clock.COM_JIKAN, 12);
    EXPECT_FLOAT_EQ(s.hist.MAN_JIKAN_MAE[4], 8);
    EXPECT_FLOAT_EQ(s.hist.COM_JIKAN_MAE[4], 12);
    EXPECT_FLOAT_EQ(s.clock.KAISHI_JIKAN, 121);
    EXPECT_TRUE(port.timerOn);
    EXPECT_EQ(s.hist.BAN_RIREKI[2][8][2], COM_KAKU);  // the position the bishop moved from

    EXPECT_EQ(heard(port), (Log{"play 1", "message 「対局」で始めて下さい | 開始", "timer on",
                                "message 先手の番です |  ", "play 2", "play 2", "play 2",
                                "play 2", "play 2"}));
    // The drop's text on 先手's side: file 5, row 五, the bishop.
    const auto texts = port.only("text");
    EXPECT_EQ(texts[texts.size() - 1].find("text " + FakePort::num(セル左(13.4)) + " " +
                                           FakePort::num(セル上(2.4)) + " 角 colour 15"),
              0u);
    EXPECT_NE(texts[texts.size() - 3].find(" 五 colour 15"), std::string::npos);
    EXPECT_NE(texts[texts.size() - 5].find(" ５ colour 15"), std::string::npos);
}

TEST(Play, SelectionGuidanceAndStands) {
    Fixture f;
    State& s = f.s;
    FakePort& port = f.port;
    初期設定(s);
    twoPeople(s);
    s.pos.MOCHI_MAN[HU] = 1;
    s.pos.MOCHI_COM[SYA] = 1;
    持駒数更新(s);

    port.clear();
    click(s, 3, 7);  // guidance off: only the piece stands out
    EXPECT_EQ(s.game.CLICK_JOUTAI, 1);
    EXPECT_EQ(port.only("outline 12"), Log{outlineOf(12, 3, 7)});
    EXPECT_EQ(port.count("outline 15"), 0u);

    s.opt.SIDOU_FLAG = ON;
    s.opt.SIDOU_COLOR = 15;
    port.clear();
    click(s, 8, 8);  // another own piece: the rook becomes the selection
    EXPECT_EQ(s.game.CLICK_JOUTAI, 1);
    EXPECT_EQ(s.play.SENTAKU_KOMA, MAN_SYA);
    EXPECT_EQ(port.count("outline 15"), 6u);  // five squares left, one right
    EXPECT_EQ(port.only("outline 12"), Log{outlineOf(12, 8, 8)});

    port.clear();
    click(s, 2, 2);  // not a rook move: refused by sound alone
    EXPECT_EQ(heard(port), Log{"play 1"});
    EXPECT_EQ(s.game.CLICK_JOUTAI, 0);
    EXPECT_EQ(port.count("outline 2 "), 81u);

    port.clear();
    click(s, 2, 2);  // the opponent's rook: its six squares and itself as a hint
    EXPECT_EQ(s.game.CLICK_JOUTAI, 0);
    EXPECT_EQ(port.count("outline 15"), 7u);

    port.clear();
    click(s, 11, 3);  // the pawn in hand: every column holds a pawn already
    EXPECT_EQ(s.game.CLICK_JOUTAI, 1);
    EXPECT_EQ(s.play.SENTAKU_KOMA, MAN_HU);
    EXPECT_EQ(port.only("outline 12"), Log{outlineOf(12, 11, 3)});
    EXPECT_EQ(port.count("outline 15"), 0u);

    port.clear();
    Form_MouseDown(s, 1, 0, 600, 800);  // COM's stand, top cell: the rook
    EXPECT_EQ(s.play.MOTO_X, -1);
    EXPECT_EQ(s.play.MOTO_Y, 1);
    EXPECT_EQ(s.play.SENTAKU_KOMA, COM_SYA);
    EXPECT_EQ(port.count("outline 15"), 41u + 1u);  // every empty square, and the stand cell
    click(s, 5, 5);                                  // but it is not 先手's to drop
    EXPECT_EQ(s.game.CLICK_JOUTAI, 0);
    EXPECT_EQ(s.pos.BAN[5][5], EMPTY);
    EXPECT_EQ(s.pos.MOCHI_COM[SYA], 1);

    // The left edge of column 1 lies 495 twips right of 1050; one twip less is no square.
    const double row7 = 100 + 615 * 7 + 1;
    Form_MouseDown(s, 1, 0, 1050 + 494, row7);
    EXPECT_EQ(s.game.CLICK_JOUTAI, 0);
    Form_MouseDown(s, 1, 0, 1050 + 495, row7);
    EXPECT_EQ(s.game.CLICK_JOUTAI, 1);
    EXPECT_EQ(s.play.MOTO_X, 1);
    port.clear();
    click(s, 16, 5);  // off the board and the stands: highlights go, the selection stays
    EXPECT_EQ(s.game.CLICK_JOUTAI, 1);
    EXPECT_EQ(port.calls.back(), outlineOf(2, 1, 7));
    EXPECT_TRUE(heard(port).empty());
}

TEST(Play, PromotionIsByTheRightButton) {
    Fixture f;
    State& s = f.s;
    FakePort& port = f.port;
    初期設定(s);
    clearBoard(s);
    s.pos.BAN[5][1] = COM_OU;
    s.pos.BAN[5][9] = MAN_OU;
    s.pos.BAN[1][2] = MAN_HU;
    s.pos.BAN[9][4] = MAN_GIN;
    twoPeople(s);

    port.clear();
    move(s, 1, 2, 1, 1);  // a pawn on the last row could never move again
    click(s, 1, 1, 3);    // nor does the middle button let it stay a pawn
    EXPECT_EQ(heard(port), (Log{"play 1", "message マウスの右をクリックして下さい | 成り", "play 1",
                                "message マウスの右をクリックして下さい | 成り"}));
    EXPECT_EQ(s.game.CLICK_JOUTAI, 1);
    EXPECT_EQ(s.pos.BAN[1][2], MAN_HU);
    port.clear();
    click(s, 1, 1, 2);
    EXPECT_EQ(s.pos.BAN[1][1], MAN_TO);
    EXPECT_EQ(s.pos.BAN[1][2], EMPTY);
    EXPECT_EQ(port.count("text " + FakePort::num(セル左(13.4)) + " " + FakePort::num(セル上(2.4)) +
                         " 歩 colour 15"),
              1u);  // the text names the piece as it was picked up

    s.game.TEBAN = SENTE_BAN;
    move(s, 9, 4, 9, 3);  // may promote, left button: stays a silver
    EXPECT_EQ(s.pos.BAN[9][3], MAN_GIN);
    s.game.TEBAN = SENTE_BAN;
    move(s, 9, 3, 9, 2, 2);
    EXPECT_EQ(s.pos.BAN[9][2], MAN_NARIGIN);
    s.game.TEBAN = SENTE_BAN;
    move(s, 5, 9, 5, 8, 2);  // a king cannot promote: the right button just moves it
    EXPECT_EQ(s.pos.BAN[5][8], MAN_OU);
    EXPECT_EQ(s.game.TESU, 4);
}

TEST(Play, TheWinnerIsNamedAndTheGameIsOver) {
    struct Case {
        int comTaisen, tebanMan, teban;
        int fx, fy, tx, ty;
        const char* message;
    };
    const Case cases[] = {
        {1, SENTE_BAN, SENTE_BAN, 5, 5, 5, 1, "あなたの勝ちです"},
        {1, SENTE_BAN, SENTE_BAN, 5, 5, 4, 5, "ｺﾝﾋﾟｭｰﾀの勝ちです"},  // COM's rook answers
        {0, SENTE_BAN, SENTE_BAN, 5, 5, 5, 1, "先手の勝ちです"},
        {0, SENTE_BAN, GOTE_BAN, 9, 5, 9, 9, "後手の勝ちです"},
        // A game begun with 後手 that goes on between two people: the bottom side is 後手.
        {0, GOTE_BAN, GOTE_BAN, 5, 5, 5, 1, "後手の勝ちです"},
    };
    for (const Case& c : cases) {
        Fixture f;
        State& s = f.s;
        初期設定(s);
        clearBoard(s);
        s.pos.BAN[5][1] = COM_OU;
        s.pos.BAN[9][9] = MAN_OU;
        s.pos.BAN[5][5] = MAN_SYA;
        s.pos.BAN[9][5] = COM_SYA;
        s.game.COM_TAISEN = c.comTaisen;
        s.game.TEBAN_MAN = c.tebanMan;
        s.game.TEBAN_COM = -c.tebanMan;
        s.game.TEBAN = c.teban;
        f.port.clear();
        move(s, c.fx, c.fy, c.tx, c.ty);
        EXPECT_EQ(f.port.only("message"), Log{std::string("message ") + c.message + " | 終了"})
            << c.message;
        EXPECT_NE(s.game.SHOUHAI, 0);
        EXPECT_FALSE(s.clock.Timer1);
        f.port.clear();
        click(s, 1, 1);
        EXPECT_EQ(heard(f.port), Log{"message 新規に対局してください | 終局"});
    }
}

TEST(Play, TheGameEndsDrawnAtMove500) {
    Fixture f;
    State& s = f.s;
    初期設定(s);
    twoPeople(s);
    s.game.TESU = s.game.HYOUJI_TESU = 499;
    f.port.clear();
    move(s, 3, 7, 3, 6);  // the last move the history can hold
    EXPECT_EQ(s.pos.BAN[3][6], MAN_HU);
    EXPECT_EQ(s.game.TESU, 500);
    EXPECT_EQ(s.game.TEBAN, 0);
    EXPECT_EQ(f.port.only("message"), Log{"message 500手に達したので引き分けです | 終了"});

    START_Click(s);  // the game goes on, but no further move is made
    f.port.clear();
    move(s, 7, 7, 7, 8);  // still refused as illegal first
    move(s, 7, 7, 7, 6);
    EXPECT_EQ(heard(f.port, {"play", "message"}),
              (Log{"play 1", "message 500手に達したので引き分けです | 終了"}));
    EXPECT_EQ(s.pos.BAN[7][7], MAN_HU);
    EXPECT_EQ(s.game.TESU, 500);
}

TEST(Play, ComputerRepliesAsTheEngineToolPlays) {
    // MAN first: each click move is answered as `man` and `com` of the tool answer it.
    Fixture f;
    State& s = f.s;
    初期設定(s);
    f.port.clear();
    SENTE_Click(s);
    EXPECT_EQ(f.port.only("message"), Log{"message MANの番です |  "});
    Engine e;
    const int moves[][4] = {{3, 7, 3, 6}, {7, 7, 7, 6}, {2, 8, 3, 7}, {5, 9, 6, 8}};
    for (const auto& m : moves) {
        move(s, m[0], m[1], m[2], m[3]);
        char line[40];
        std::snprintf(line, sizeof line, "man %d %d %d %d", m[0], m[1], m[2], m[3]);
        const std::string answer = e.handle(line);
        if (answer == "ok") e.handle("com");
        EXPECT_TRUE(sameBoard(s, e.state())) << line << " " << answer;
        EXPECT_EQ(s.game.TESU, e.state().game.TESU) << line;
    }
    EXPECT_EQ(s.game.TESU, 8);
    EXPECT_EQ(s.game.TEBAN, s.game.TEBAN_MAN);

    // COM first: it moves at once, as the tool's first `com`.
    Fixture g;
    初期設定(g.s);
    GOTE_Click(g.s);
    Engine e2;
    e2.handle("com");
    EXPECT_TRUE(sameBoard(g.s, e2.state()));
    EXPECT_EQ(g.s.game.TESU, 1);
    EXPECT_EQ(g.s.game.TEBAN_COM, SENTE_BAN);
    EXPECT_EQ(g.s.game.TEBAN, GOTE_BAN);
    EXPECT_EQ(g.port.count("message"), 0u);
}
