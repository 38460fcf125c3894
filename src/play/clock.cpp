#include "play/clock.h"

#include <cmath>

#include "play/state.h"
#include "ui/drawing.h"

void タイマー設定(Clock& c, ClockPort& timer, bool enabled) {
    c.Timer1 = enabled;
    timer.setTimer(enabled);
}

void Timer1_Timer(State& s) {
    if (!s.clock.Timer1 || s.game.SHOUHAI() != 0) return;
    Clock& c = s.clock;
    c.KEIKA_BYOU = 調査_経過秒(c.KAISHI_JIKAN, s.timer.timeOfDay());
    int whole = static_cast<int>(std::floor(c.KEIKA_BYOU));
    if (whole == c.BYOU_HYOUJI) return;
    c.BYOU_HYOUJI = whole;
    if (s.game.mover() == Side::COM) 描画_所有時間(s.canvas, Side::COM, c.COM_JIKAN + c.KEIKA_BYOU);
    if (s.game.mover() == Side::MAN) 描画_所有時間(s.canvas, Side::MAN, c.MAN_JIKAN + c.KEIKA_BYOU);
    s.canvas.paint.flush();
}

float 調査_経過秒(float start, float now) {
    // The time of day starts again at 0 at midnight.
    if (start <= now) return now - start;
    return now + 86400 - start;
}

void 描画_所有時間(Canvas& cv, Side side, float seconds) {
    if (!cv.opt.KEIKA) return;
    std::string text = 調査_時間秒追加結果(seconds);
    消去_所有時間(cv, side);
    if (side == Side::MAN) {
        描画_数値(cv, 13.1, 9.3, text, colours::BLACK, 0, 12);
        描画_数値(cv, 13, 9.2, text, colours::WHITE, 0, 12);
    } else {
        描画_数値(cv, -1.5, 9.3, text, colours::BLACK, 0, 12);
        描画_数値(cv, -1.6, 9.2, text, colours::WHITE, 0, 12);
    }
}

void 消去_所有時間(Canvas& cv, Side side) {
    if (side == Side::MAN) {
        for (int x = 13; x <= 15; ++x) 描画_絵(cv, cv.opt.HAIKEI_NO, x, 9);
    } else {
        for (int x = -2; x <= 0; ++x) 描画_絵(cv, cv.opt.HAIKEI_NO, x, 9);
    }
}

std::string 調査_時間秒追加結果(float seconds) {
    double rest = seconds;
    double h = 0;
    if (rest >= 3600) {
        h = std::floor(rest / 3600);
        rest -= 3600 * h;
    }
    double m = std::floor(rest / 60);
    double sec = rest - 60 * m;
    return 変換_数字から文字(static_cast<long long>(h)) + ":" +
           変換_数字から文字(static_cast<long long>(m)) + ":" +
           変換_数字から文字(static_cast<long long>(std::floor(sec)));
}

std::string 変換_数字から文字(long long n) {
    std::string text = std::to_string(n);
    // Longer texts are kept whole so that a clock past 99 hours still reads correctly.
    if (text.size() == 1) return "0" + text;
    return text;
}

void 待ち時間(ClockPort& timer, double seconds) {
    // The window owns the busy loop and its midnight rule.
    timer.wait(seconds);
}
