#include "play/move_text.h"

#include <gtest/gtest.h>

#include "fake_port.h"
#include "play/screen.h"
#include "record/notation.h"

namespace {

std::string textAt(double x, double y, const std::string& text, int colour) {
    return "text " + FakePort::num(セル左(x)) + " " + FakePort::num(セル上(y)) + " " + text +
           " colour " + std::to_string(colour) + " size 12";
}

}  // namespace

TEST(MoveText, NotationTexts) {
    EXPECT_EQ(文字列変換(1), "１");
    EXPECT_EQ(文字列変換(9), "９");
    EXPECT_EQ(文字列変換(1001), "一");
    EXPECT_EQ(文字列変換(1009), "九");
    EXPECT_EQ(文字列変換(-10), "歩");
    EXPECT_EQ(文字列変換(11), "と");
    EXPECT_EQ(文字列変換(-21), "香成");
    EXPECT_EQ(文字列変換(61), "角成");
    EXPECT_EQ(文字列変換(-71), "飛成");
    EXPECT_EQ(文字列変換(80), "王");
    for (int code : {0, 51, -51, 81, 1000, 1010, 10000, -1})
        EXPECT_EQ(文字列変換(code), "") << code;
}

TEST(MoveText, ComMoveIsDrawnLeftOfTheBoard) {
    Fixture f;
    State& s = f.s;
    s.canvas.opt.HAIKEI_NO = 8;
    描画_移動結果(s.canvas, Side::COM, 5, 5, COM_UMA, 15);
    const std::vector<std::string> expected{
        textAt(-1.5, 8.5, "５", 0),  textAt(-1.6, 8.4, "５", 15),  textAt(-1.1, 8.5, "五", 0),
        textAt(-1.2, 8.4, "五", 15), textAt(-0.5, 8.5, "角成", 0), textAt(-0.6, 8.4, "角成", 15)};
    EXPECT_EQ(f.port.only("text"), expected);
    // Erased first: three tiles and two outlines; the outline of square (1, 8) comes last.
    ASSERT_GE(f.port.calls.size(), 3u);
    EXPECT_EQ(f.port.calls[0],
              "picture 8 " + FakePort::num(セル左(-2)) + " " + FakePort::num(セル上(8)));
    EXPECT_EQ(f.port.count("picture"), 3u);
    EXPECT_EQ(f.port.calls.back().rfind(
                  "outline 2 " + FakePort::num(セル左(1)) + " " + FakePort::num(セル上(8)), 0),
              0u);
    EXPECT_EQ(f.port.count("outline"), 3u);
}

TEST(MoveText, ManMoveCornersAndUnknownPieces) {
    Fixture f;
    State& s = f.s;
    描画_移動結果(s.canvas, Side::MAN, 9, 1, MAN_HU, 15);
    EXPECT_EQ((f.port.only("text")),
              (std::vector<std::string>{textAt(12.5, 2.5, "１", 0), textAt(12.4, 2.4, "１", 15),
                                        textAt(12.9, 2.5, "一", 0), textAt(12.8, 2.4, "一", 15),
                                        textAt(13.5, 2.5, "歩", 0), textAt(13.4, 2.4, "歩", 15)}));
    EXPECT_EQ(f.port.count("outline"), 0u);
    EXPECT_EQ(f.port.count("picture"), 3u);

    f.port.clear();
    描画_移動結果(s.canvas, Side::MAN, 1, 9, 51, 15);
    auto texts = f.port.only("text");
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[1], textAt(12.4, 2.4, "９", 15));
    EXPECT_EQ(texts[3], textAt(12.8, 2.4, "九", 15));
    EXPECT_EQ(texts[5], textAt(13.4, 2.4, "", 15));

    // No square, no file digit: x = 0 must not read as the pawn of code 10.
    f.port.clear();
    描画_移動結果(s.canvas, Side::MAN, 0, 0, 0, 15);
    for (const auto& t : f.port.only("text")) EXPECT_EQ(t.find("歩"), std::string::npos);
}
