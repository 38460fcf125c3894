#include "play/handicap.h"

#include <gtest/gtest.h>

#include <cstring>

#include "play/setup.h"
#include "fake_port.h"
#include "play/level.h"
#include "play/screen.h"
#include "test_util.h"
#include "mode_seam.h"

namespace {

bool sameBoard(const State& a, const State& b) { return a.pos.board() == b.pos.board(); }

}  // namespace

TEST(Handicap, UpElevenTimesAndAllTheWayDown) {
    Fixture f, start;
    State& s = f.s;
    初期設定(s);
    初期設定(start.s);
    ModeTestSeam::SAISHU_TESU(s.hist) = 3;

    for (int i = 0; i < 11; ++i) LBEL_UP_Click(s);
    EXPECT_EQ(s.game.HANDE_LEVEL(), 10);
    EXPECT_TRUE(s.game.HANDE_SETTEI());
    EXPECT_EQ(s.hist.SAISHU_TESU(), 0);
    EXPECT_EQ(f.port.count("play 2"), 10u);  // the eleventh press is silent
    EXPECT_EQ(f.port.count("play 1"), 0u);
    for (auto [x, y] :
         {std::pair{8, 2}, {2, 2}, {1, 1}, {9, 1}, {2, 1}, {8, 1}, {3, 1}, {7, 1}, {4, 1}, {6, 1}})
        EXPECT_EQ(s.pos.board()[x][y], EMPTY) << x << "," << y;
    EXPECT_EQ(s.pos.board()[5][1], COM_OU);
    int comPieces = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) comPieces += s.pos.board()[x][y] > 0;
    EXPECT_EQ(comPieces, 10);  // king and nine pawns
    EXPECT_EQ(f.port.only("text").back(), "text " + FakePort::num(セル左(11) + 120) + " " +
                                              FakePort::num(セル上(1) + 160) + " " +
                                              handicapLabel(10) + " colour 15 size 10");

    // Each step redraws its square and outline.
    f.port.clear();
    LEBEL_DOWN_Click(s);
    EXPECT_EQ(s.pos.board()[4][1], COM_KIN);
    EXPECT_EQ(
        f.port.count("picture 50 " + FakePort::num(セル左(4)) + " " + FakePort::num(セル上(1))),
        1u);
    EXPECT_EQ(f.port.count("outline 2 " + FakePort::num(セル左(4)) + " "), 1u);

    for (int i = 0; i < 9; ++i) LEBEL_DOWN_Click(s);
    EXPECT_EQ(s.game.HANDE_LEVEL(), 0);
    EXPECT_TRUE(sameBoard(s, start.s));
    EXPECT_NE(f.port.count("text " + FakePort::num(セル左(11) + 120) + " " +
                           FakePort::num(セル上(1) + 160) + " " + handicapLabel(0) + " colour 15"),
              0u);

    f.port.clear();
    for (int i = 0; i < 11; ++i) LEBEL_DOWN_Click(s);
    EXPECT_EQ(s.game.HANDE_LEVEL(), -10);
    EXPECT_EQ(f.port.count("play 2"), 10u);
    int manPieces = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) manPieces += s.pos.board()[x][y] < 0;
    EXPECT_EQ(manPieces, 10);
    EXPECT_EQ(s.pos.board()[5][9], MAN_OU);

    // Back up the other way, one square at a time.
    for (int level = -9; level <= 0; ++level) {
        LBEL_UP_Click(s);
        HandicapStep st = handicapStep(level);
        EXPECT_EQ(s.pos.board()[st.x][st.y], st.piece) << level;
    }
    EXPECT_TRUE(sameBoard(s, start.s));
    EXPECT_EQ(s.pos.manHandTotal() + s.pos.comHandTotal(), 0);
    // Past either end of the ladder there is no square to change.
    for (int level : {HANDE_LEVEL_MIN, HANDE_LEVEL_MAX + 1}) {
        const HandicapStep st = handicapStep(level);
        EXPECT_EQ(st.x * 100 + st.y * 10 + st.piece, 0) << level;
    }
}

TEST(Handicap, RefusedDuringRecordGameOrReversal) {
    struct Case {
        bool kifu;
        int tesu;
        bool hanten;
        const char* reason;
    };
    for (const Case& c : {Case{true, 3, true, "棋譜ﾓｰﾄﾞではできません"},
                          Case{false, 1, true, "対局途中ではできません"},
                          Case{false, 0, true, "反転後ではできません"}}) {
        Fixture f;
        State& s = f.s;
        初期設定(s);
        ModeTestSeam::of(s.game).KIFU_MODE = c.kifu;
        ModeTestSeam::of(s.game).TESU = c.tesu;
        ModeTestSeam::of(s.game).HANTEN = c.hanten;
        ModeTestSeam::SAISHU_TESU(s.hist) = 2;
        f.port.clear();
        LBEL_UP_Click(s);
        LEBEL_DOWN_Click(s);
        const std::string msg =
            std::string("message ") + c.reason + "\n\n局面→最初にして下さい | ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定";
        EXPECT_EQ(f.port.only("message"), (std::vector<std::string>{msg, msg}));
        EXPECT_EQ(f.port.only("play"), (std::vector<std::string>{"play 1", "play 1"}));
        EXPECT_EQ(s.game.HANDE_LEVEL(), 0);
        EXPECT_FALSE(s.game.HANDE_SETTEI());
        EXPECT_EQ(s.hist.SAISHU_TESU(), 2);
        EXPECT_EQ(f.port.count("picture"), 0u);
    }
}

TEST(Level, MenuChecksAndDisplay) {
    Fixture f;
    State& s = f.s;
    s.canvas.opt.HAIKEI_NO = 7;
    LEVEL1_Click(s);  // no game against COM: no level display
    EXPECT_EQ(s.analysis.LEVEL_NO, 1);
    EXPECT_EQ(f.port.only("check"),
              (std::vector<std::string>{"check LEVEL1 off", "check LEVEL2 off", "check LEVEL3 off",
                                        "check LEVEL1 on"}));
    EXPECT_EQ(f.port.count("picture 7 "), 3u);
    EXPECT_EQ(f.port.count("text"), 0u);

    f.port.clear();
    ModeTestSeam::of(s.game).COM_TAISEN = 1;
    LEVEL2_Click(s);
    EXPECT_EQ(s.analysis.LEVEL_NO, 2);
    EXPECT_EQ(f.port.only("text").back(), "text " + FakePort::num(セル左(0)) + " " +
                                              FakePort::num(セル上(0)) + " 2 colour 15 size 12");

    f.port.clear();
    レベル_設定(s.canvas, s.window, s.game, s.analysis.LEVEL_NO, 4);
    EXPECT_EQ(s.analysis.LEVEL_NO, 2);
    EXPECT_EQ(f.port.count("check"), 3u);
    EXPECT_EQ(f.port.count("check LEVEL2 on"), 0u);
}
