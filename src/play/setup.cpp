#include "play/setup.h"

#include "core/moves.h"
#include "play/screen.h"
#include "play/state.h"

namespace {

constexpr int COM_BACK_ROW[] = {0, 20, 30, 40, 50, 80, 50, 40, 30, 20};

}  // namespace

void 初期設定(State& s) {
    auto& g = s.game;
    g.newSetUp();
    タイマー設定(s.clock, s.timer, false);
    s.clock.COM_JIKAN = 0;
    s.clock.MAN_JIKAN = 0;
    s.clock.BYOU_HYOUJI = 0;

    Map start{};
    for (int x = 1; x <= 9; ++x) {
        start[x][1] = COM_BACK_ROW[x];
        start[x][3] = COM_HU;
        start[x][7] = MAN_HU;
        start[x][9] = -COM_BACK_ROW[x];
    }
    start[2][2] = COM_SYA;
    start[8][2] = COM_KAKU;
    start[2][8] = MAN_KAKU;
    start[8][8] = MAN_SYA;
    auto& p = s.pos;
    p.load(start, {}, {});

    const Clock& c = s.clock;
    画面_再描画(s.canvas, p, g, c, s.analysis.LEVEL_NO);
    手順保存(s.hist, g, p, c.MAN_JIKAN, c.KEIKA_BYOU + c.MAN_JIKAN, c.COM_JIKAN, c.COM_JIKAN);
}

void 手順保存(History& h, GameState& g, const Position& p, float manMae, float manAto, float comMae,
              float comAto) {
    const int t = g.TESU();
    if (t < 0 || t > TESU_MAX) return;  // callers check 履歴に空きあり first
    storePosition(h, t, p);
    h.MAN_JIKAN_MAE[t] = manMae;
    h.MAN_JIKAN_ATO[t] = manAto;
    h.COM_JIKAN_MAE[t] = comMae;
    h.COM_JIKAN_ATO[t] = comAto;
    g.entryStored(h, t);
}

// A move from position TESU stores entry TESU and leaves TESU + 1, which must stay <= 500.
bool 履歴に空きあり(const GameState& g) { return g.TESU() >= 0 && g.TESU() < TESU_MAX; }

bool 手数上限終了(GameState& g, Clock& c, ClockPort& timer, DialogPort& dialog) {
    if (g.TESU() < TESU_MAX) return false;
    タイマー設定(c, timer, false);
    g.drawnAtLimit();
    dialog.message(手数上限メッセージ, "終了", Buttons::Ok);
    return true;
}
