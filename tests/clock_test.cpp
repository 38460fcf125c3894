#include <gtest/gtest.h>

#include "fake_port.h"
#include "play/clock.h"
#include "play/screen.h"
#include "mode_seam.h"

TEST(Clock, TimeTexts) {
    EXPECT_EQ(調査_時間秒追加結果(3725.0f), "01:02:05");
    EXPECT_EQ(調査_時間秒追加結果(59.0f), "00:00:59");
    EXPECT_EQ(調査_時間秒追加結果(59.9f), "00:00:59");
    EXPECT_EQ(調査_時間秒追加結果(0.0f), "00:00:00");
    EXPECT_EQ(調査_時間秒追加結果(3600.0f), "01:00:00");
    // Past 99 hours the hour field widens instead of going blank.
    EXPECT_EQ(調査_時間秒追加結果(100 * 3600.0f + 61), "100:01:01");
    EXPECT_EQ(変換_数字から文字(5), "05");
    EXPECT_EQ(変換_数字から文字(42), "42");
    EXPECT_EQ(変換_数字から文字(0), "00");
}

TEST(Clock, ElapsedSecondsAcrossMidnight) {
    EXPECT_FLOAT_EQ(調査_経過秒(100.0f, 130.5f), 30.5f);
    EXPECT_FLOAT_EQ(調査_経過秒(86399.5f, 0.5f), 1.0f);
    EXPECT_FLOAT_EQ(調査_経過秒(5.0f, 5.0f), 0.0f);
}

TEST(Clock, TickDrawsOnlyTheSideToMoveOnANewSecond) {
    Fixture f;
    State& s = f.s;
    s.canvas.opt.KEIKA = true;
    ModeTestSeam::of(s.game).TEBAN = s.game.TEBAN_MAN();
    s.clock.MAN_JIKAN = 60;
    s.clock.COM_JIKAN = 10;
    s.clock.KAISHI_JIKAN = 1000;

    f.port.now = 1002.5f;
    Timer1_Timer(s);  // timer off
    EXPECT_TRUE(f.port.calls.empty());

    タイマー設定(s.clock, s.timer, true);
    EXPECT_TRUE(s.clock.Timer1);
    EXPECT_TRUE(f.port.timerOn);
    f.port.clear();
    f.port.now = 1000.7f;
    Timer1_Timer(s);  // still second 0, already shown
    EXPECT_TRUE(f.port.calls.empty());
    EXPECT_NEAR(s.clock.KEIKA_BYOU, 0.7f, 1e-3);

    f.port.now = 1002.5f;
    Timer1_Timer(s);
    EXPECT_EQ(s.clock.BYOU_HYOUJI, 2);
    auto texts = f.port.only("text");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find("00:01:02 colour 0"), std::string::npos);
    EXPECT_EQ(texts[0].rfind("text " + FakePort::num(セル左(13.1)), 0), 0u);
    EXPECT_EQ(f.port.count(("picture 5 " + FakePort::num(セル左(-1)))), 0u);
    EXPECT_EQ(f.port.calls.back(), "flush");
    EXPECT_FLOAT_EQ(s.clock.MAN_JIKAN, 60.0f);  // the total is only added at the move

    f.port.clear();
    f.port.now = 1002.9f;
    Timer1_Timer(s);
    EXPECT_TRUE(f.port.calls.empty());

    // COM to move: only COM's clock, left of the board.
    ModeTestSeam::of(s.game).TEBAN = s.game.TEBAN_COM();
    f.port.now = 1003.1f;
    Timer1_Timer(s);
    texts = f.port.only("text");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], "text " + FakePort::num(セル左(-1.6)) + " " + FakePort::num(セル上(9.2)) +
                            " 00:00:13 colour 15 size 12");

    // A decided game stops the clock.
    f.port.clear();
    ModeTestSeam::of(s.game).SHOUHAI = SENTE_BAN;
    f.port.now = 1010.0f;
    Timer1_Timer(s);
    EXPECT_TRUE(f.port.calls.empty());

    タイマー設定(s.clock, s.timer, false);
    EXPECT_FALSE(s.clock.Timer1);
    EXPECT_FALSE(f.port.timerOn);
}

TEST(Clock, TickAcrossMidnightAndHiddenClock) {
    Fixture f;
    State& s = f.s;
    ModeTestSeam::of(s.game).TEBAN = s.game.TEBAN_MAN();
    s.clock.KAISHI_JIKAN = 86399.5f;
    s.clock.Timer1 = true;
    f.port.now = 0.5f;
    Timer1_Timer(s);
    EXPECT_FLOAT_EQ(s.clock.KEIKA_BYOU, 1.0f);
    EXPECT_EQ(s.clock.BYOU_HYOUJI, 1);
    // Without the elapsed-time option nothing is drawn, but the window is still flushed.
    EXPECT_EQ(f.port.calls, std::vector<std::string>{"flush"});

    f.port.clear();
    s.canvas.opt.KEIKA = true;
    s.canvas.opt.HAIKEI_NO = 6;
    消去_所有時間(s.canvas, Side::COM);
    ASSERT_EQ(f.port.calls.size(), 3u);
    EXPECT_EQ(f.port.calls[0],
              "picture 6 " + FakePort::num(セル左(-2)) + " " + FakePort::num(セル上(9)));
    EXPECT_EQ(f.port.calls[2],
              "picture 6 " + FakePort::num(セル左(0)) + " " + FakePort::num(セル上(9)));
}

TEST(Clock, WaitGoesToTheWindow) {
    Fixture f;
    待ち時間(f.s.timer, 0.5);
    EXPECT_EQ(f.port.calls, std::vector<std::string>{"wait 0.5"});
}
