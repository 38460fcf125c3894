#pragma once
#include <string>

#include "core/constants.h"

class ClockPort;
struct Canvas;
struct State;

// The two thinking clocks; times are seconds in single precision.
struct Clock {
    float KAISHI_JIKAN = 0;  // time of day at which the side to move began thinking
    float KEIKA_BYOU = 0;    // seconds spent on the move being thought about
    int BYOU_HYOUJI = 0;     // whole second last drawn
    float MAN_JIKAN = 0;
    float COM_JIKAN = 0;
    bool Timer1 = false;  // whether the 50 ms clock timer runs
};

// Starts or stops Timer1, keeping the flag and the window's timer in step.
void タイマー設定(Clock& c, ClockPort& timer, bool enabled);

// One clock tick; also called by COM's turn while it thinks.
void Timer1_Timer(State& s);
float 調査_経過秒(float start, float now);
// The clock of `side` (MAN's right of the board, COM's left), when the option shows clocks.
void 描画_所有時間(Canvas& cv, Side side, float seconds);
void 消去_所有時間(Canvas& cv, Side side);
std::string 調査_時間秒追加結果(float seconds);
std::string 変換_数字から文字(long long n);
void 待ち時間(ClockPort& timer, double seconds);
