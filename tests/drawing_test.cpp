#include <gtest/gtest.h>

#include <string>

#include "fake_port.h"
#include "play/screen.h"
#include "mode_seam.h"

namespace {

std::string at(double x, double y) {
    return FakePort::num(セル左(x)) + " " + FakePort::num(セル上(y));
}
std::string picture(int code, double x, double y) {
    return "picture " + std::to_string(code) + " " + at(x, y);
}
std::string outline(int colour, double x, double y) {
    return "outline " + std::to_string(colour) + " " + at(x, y) + " " +
           FakePort::num(セル左(x + 1)) + " " + FakePort::num(セル上(y + 1));
}
std::string text(double x, double y, const std::string& t, int colour, int size,
                 bool bold = false) {
    return "text " + at(x, y) + " " + t + " colour " + std::to_string(colour) + " size " +
           std::to_string(size) + (bold ? " bold" : "");
}

}  // namespace

TEST(DrawingPrimitives, CellsPicturesAndOutlines) {
    Fixture f;
    State& s = f.s;
    描画_絵(s.canvas, MAN_HU, 1, 1);
    描画_絵(s.canvas, -3, 10.8, 0);
    描画_桝輪郭(s.canvas, 12, 9, 9);
    EXPECT_EQ(f.port.calls[0], "picture -10 1545 715");
    EXPECT_EQ(f.port.calls[1], "picture -3 6396 100");
    EXPECT_EQ(f.port.calls[2], "outline 12 5505 5635 6000 6250");

    // Codes with no picture draw nothing.
    f.port.clear();
    for (int code : {51, -51, 81, -81, 4, 10 * 9, 1, -1, 12}) 描画_絵(s.canvas, code, 1, 1);
    EXPECT_TRUE(f.port.calls.empty());
    for (int code : {0, 5, 9, COM_RYU, MAN_NARIKEI, COM_OU, MAN_KIN}) 描画_絵(s.canvas, code, 1, 1);
    EXPECT_EQ(f.port.count("picture"), 7u);
}

TEST(DrawingPrimitives, NumbersAndLabels) {
    Fixture f;
    State& s = f.s;
    描画_数値(s.canvas, 2, 3, 7, 14, 1, 12, true);
    描画_数値(s.canvas, 2, 3, "7", 14, 1, 12);
    描画_数値(s.canvas, 2, 3, 10, 14, 1, 12);  // no kanji numeral beyond nine
    描画_数値(s.canvas, 2, 3, 0, 14, 1, 12);
    描画_数値(s.canvas, 2, 3, 123, 5, 0, 10);
    ASSERT_EQ(f.port.calls.size(), 3u);
    EXPECT_EQ(f.port.calls[0], text(2, 3, "七", 14, 12, true));
    EXPECT_EQ(f.port.calls[1], text(2, 3, "七", 14, 12));
    EXPECT_EQ(f.port.calls[2], text(2, 3, "123", 5, 10));

    // Labels sit 120 twips right and 160 down inside their cell.
    f.port.clear();
    描画_文字列(s.canvas, 0, 0, -10, 15, 10);
    描画_文字列(s.canvas, 0, 0, 10, 15, 10);
    描画_文字列(s.canvas, 0, 0, 99, 15, 10);
    描画_文字列(s.canvas, 0, 0, 11, 15, 10);
    描画_文字列(s.canvas, 0, 0, -11, 15, 10);
    ASSERT_EQ(f.port.calls.size(), 3u);
    EXPECT_EQ(f.port.calls[0], "text 1170 260 ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人 colour 15 size 10");
    EXPECT_EQ(f.port.calls[1], "text 1170 260 ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級 colour 15 size 10");
    EXPECT_EQ(f.port.calls[2], "text 1170 260 手目 colour 15 size 10");
}

TEST(DrawingPrimitives, MoveCounterMovesLeftWithMoreDigits) {
    Fixture f;
    State& s = f.s;
    s.canvas.opt.HAIKEI_NO = 8;
    描画_手数(s.canvas, 7, 3);
    ASSERT_EQ(f.port.calls.size(), 7u);
    EXPECT_EQ(f.port.calls[0], picture(8, 13, 3));
    EXPECT_EQ(f.port.calls[1], picture(8, 14, 3));
    EXPECT_EQ(f.port.calls[2], outline(2, 11, 3));
    // Black shadow first, then the white figure; the colour argument is ignored.
    EXPECT_EQ(f.port.calls[3], text(13.3, 3.3, "7", 0, 12));
    EXPECT_EQ(f.port.calls[4], text(13.2, 3.2, "7", 15, 12));
    EXPECT_NE(f.port.calls[5].find("手目 colour 0 size 10"), std::string::npos);
    EXPECT_NE(f.port.calls[6].find("手目 colour 15 size 10"), std::string::npos);

    f.port.clear();
    描画_手数(s.canvas, 42, 15);
    EXPECT_EQ(f.port.calls[3], text(13.2, 3.3, "42", 0, 12));
    f.port.clear();
    描画_手数(s.canvas, 123, 15);
    EXPECT_EQ(f.port.calls[3], text(13.1, 3.3, "123", 0, 12));
}

TEST(DrawingPrimitives, LevelAndHandicapLabelsHaveBlackShadows) {
    Fixture f;
    State& s = f.s;
    描画_レベル(s.canvas, 2);
    ASSERT_EQ(f.port.calls.size(), 4u);
    EXPECT_EQ(f.port.calls[0], text(-1.4, 0.2, "LEVEL", 0, 10));
    EXPECT_EQ(f.port.calls[1], text(-1.5, 0.1, "LEVEL", 15, 10));
    EXPECT_EQ(f.port.calls[2], text(0.1, 0.1, "2", 0, 12));
    EXPECT_EQ(f.port.calls[3], text(0, 0, "2", 15, 12));

    f.port.clear();
    s.canvas.opt.HAIKEI_NO = 6;
    描画_ハンデレベル(s.canvas, -2);
    ASSERT_EQ(f.port.calls.size(), 6u);
    EXPECT_EQ(f.port.calls[0], picture(6, 11, 1));
    EXPECT_EQ(f.port.calls[3], picture(6, 14, 1));
    EXPECT_EQ(f.port.calls[4], "text " + FakePort::num(セル左(11.1) + 120) + " " +
                                   FakePort::num(セル上(1.1) + 160) +
                                   " ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段 colour 0 size 10");
    EXPECT_NE(f.port.calls[5].find("初段 colour 15 size 10"), std::string::npos);
}

TEST(DrawingPrimitives, BlinkFlushesAndWaitsEachFrame) {
    Fixture f;
    State& s = f.s;
    描画_駒点滅(s.canvas, COM_KAKU, 4, 5, 2);
    std::vector<std::string> frame = {picture(0, 4, 5),  outline(2, 4, 5), "flush", "wait 0.2",
                                      picture(60, 4, 5), outline(2, 4, 5), "flush", "wait 0.2"};
    std::vector<std::string> want = frame;
    want.insert(want.end(), frame.begin(), frame.end());
    EXPECT_EQ(f.port.calls, want);
}

TEST(DrawingScreen, StandsShowCountsOnlyForPiecesHeld) {
    Fixture f;
    State& s = f.s;
    s.pos.setHand(Side::MAN, HU, 3);
    s.pos.setHand(Side::MAN, SYA, 1);
    描画_自持盤(s.canvas, s.pos);
    EXPECT_EQ(f.port.count("picture 0"), 7u);
    auto texts = f.port.only("text");
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], text(12.1, 3.3, "3", 0, 14));
    EXPECT_EQ(texts[1], text(12, 3.2, "3", 12, 14));
    EXPECT_EQ(texts[2], text(12.1, 9.3, "1", 0, 14));
    EXPECT_EQ(f.port.count(picture(-10, 11, 3)), 1u);
    EXPECT_EQ(f.port.count(picture(-70, 11, 9)), 1u);
    EXPECT_EQ(f.port.count("picture -"), 2u);

    // COM's stand runs from the rook at the top to the pawn at the bottom.
    f.port.clear();
    s.pos.setHand(Side::COM, SYA, 2);
    描画_敵持盤(s.canvas, s.pos);
    texts = f.port.only("text");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], text(0.1, 1.3, "2", 0, 14));
    EXPECT_EQ(texts[1], text(0, 1.2, "2", 12, 14));
    EXPECT_EQ(f.port.count(picture(70, -1, 1)), 1u);
    for (int k = 1; k <= 7; ++k) EXPECT_EQ(f.port.count(outline(2, 1, k)), 1u);
    EXPECT_EQ(f.port.calls.back(), outline(2, 1, 7));
}

TEST(DrawingScreen, BackgroundCoversEveryCellButTheBoard) {
    Fixture f;
    State& s = f.s;
    描画_背景(s.canvas, 7);
    auto pics = f.port.only("picture");
    ASSERT_EQ(pics.size(), 32u * 20u - 81u);
    EXPECT_EQ(f.port.calls.size(), pics.size());
    EXPECT_EQ(pics[0], picture(7, -3, -2));
    EXPECT_EQ(pics[1], picture(7, -3, -1));
    EXPECT_EQ(pics.back(), picture(7, 28, 17));
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) EXPECT_EQ(f.port.count(picture(7, x, y)), 0u);
    EXPECT_EQ(f.port.count(picture(7, 1, 0)), 1u);
    EXPECT_EQ(f.port.count(picture(7, 5, 10)), 1u);
}

TEST(DrawingScreen, CoordinateLabelsAreBoldYellowOverBlack) {
    Fixture f;
    State& s = f.s;
    描画_桝_数値(s.canvas);
    auto texts = f.port.only("text");
    ASSERT_EQ(texts.size(), 36u);
    EXPECT_EQ(texts[0], text(1.2, 0.5, "9", 0, 16, true));
    EXPECT_EQ(texts[1], text(1.1, 0.4, "9", 14, 16, true));
    EXPECT_EQ(texts[2], text(10.2, 1.4, "一", 0, 12, true));
    EXPECT_EQ(texts[3], text(10.1, 1.3, "一", 14, 12, true));
    EXPECT_EQ(texts[35], text(10.1, 9.3, "九", 14, 12, true));
}

TEST(DrawingScreen, FullRedrawOrder) {
    Fixture f;
    State& s = f.s;
    s.canvas.opt.HAIKEI_NO = 9;
    s.canvas.opt.KEIKA = true;
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(5, 1, COM_OU);
    ModeTestSeam::of(s.game).COM_TAISEN = 1;
    ModeTestSeam::of(s.game).HANDE_SETTEI = true;
    ModeTestSeam::of(s.game).HANDE_LEVEL = 3;
    s.clock.MAN_JIKAN = 61;
    s.clock.COM_JIKAN = 3725;
    画面_再描画(s.canvas, s.pos, s.game, s.clock, s.analysis.LEVEL_NO);

    const auto& c = f.port.calls;
    auto index = [&](const std::string& call) {
        for (std::size_t i = 0; i < c.size(); ++i)
            if (c[i] == call) return static_cast<long>(i);
        return -1L;
    };
    long bg = index(picture(9, -3, -2));
    long labels = index(text(1.2, 0.5, "9", 0, 16, true));
    long manStand = index(picture(0, 11, 3));
    long comStand = index(picture(0, -1, 1));
    long board = index(picture(80, 5, 1));
    long comClock = index(text(-1.5, 9.3, "01:02:05", 0, 12));
    long manClock = index(text(13.1, 9.3, "00:01:01", 0, 12));
    long level = index(text(-1.4, 0.2, "LEVEL", 0, 10));
    long hande = index("text " + FakePort::num(セル左(11) + 120) + " " +
                       FakePort::num(セル上(1) + 160) + " ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級 colour 15 size 10");
    EXPECT_EQ(bg, 0);
    EXPECT_LT(bg, labels);
    EXPECT_LT(labels, manStand);
    EXPECT_LT(manStand, comStand);
    EXPECT_LT(comStand, board);
    EXPECT_LT(board, comClock);
    EXPECT_LT(comClock, manClock);
    EXPECT_LT(manClock, level);
    EXPECT_LT(level, hande);
    EXPECT_EQ(c.back(), picture(-3, 10.8, 0));

    // The pieces are drawn over the board, each square once, after the new tiles.
    EXPECT_EQ(f.port.count(picture(-80, 5, 9)), 1u);
    EXPECT_EQ(f.port.count(picture(0, 1, 1)), 1u);
    EXPECT_EQ(f.port.count(picture(9, 5, 9)), 0u);

    // Outside a game against COM and without a handicap neither label appears.
    f.port.clear();
    ModeTestSeam::of(s.game).COM_TAISEN = 0;
    ModeTestSeam::of(s.game).HANDE_SETTEI = false;
    画面_再描画(s.canvas, s.pos, s.game, s.clock, s.analysis.LEVEL_NO);
    EXPECT_EQ(f.port.count(text(-1.4, 0.2, "LEVEL", 0, 10)), 0u);
    EXPECT_EQ(f.port.count("text " + FakePort::num(セル左(11) + 120)), 0u);
}

TEST(DrawingScreen, RecordAreaEraseAndBoardOutlines) {
    Fixture f;
    State& s = f.s;
    描画_将棋盤桝(s.canvas);
    ASSERT_EQ(f.port.calls.size(), 81u);
    EXPECT_EQ(f.port.calls[0], outline(2, 1, 1));
    EXPECT_EQ(f.port.calls[1], outline(2, 2, 1));

    f.port.clear();
    描画_棋譜読込み部分消去(s.canvas);
    EXPECT_EQ(f.port.count("text"), 36u);
    for (int x = -3; x <= 10; ++x)
        EXPECT_EQ(f.port.count(picture(s.canvas.opt.HAIKEI_NO, x, 10)), 1u);
    for (int x = 1; x <= 9; ++x) EXPECT_GE(f.port.count(outline(2, x, 9)), 1u);
    EXPECT_EQ(f.port.calls.back(), outline(2, 9, 9));
}
