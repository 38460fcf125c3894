#include "play/setup.h"

#include "core/moves.h"
#include "play/screen.h"
#include "play/state.h"

namespace {

constexpr int COM_BACK_ROW[10] = {0, 20, 30, 40, 50, 80, 50, 40, 30, 20};

}  // namespace

void 初期設定(State& s) {
    auto& g = s.game;
    g.newSetUp();
    タイマー設定(s.clock, s.timer, false);
    s.clock.COM_JIKAN = 0;
    s.clock.MAN_JIKAN = 0;
    s.clock.BYOU_HYOUJI = 0;

    auto& p = s.pos;
    p.MOCHI_MAN = {};
    p.MOCHI_COM = {};
    p.BAN = {};
    for (int x = 1; x <= 9; ++x) {
        p.BAN[x][1] = COM_BACK_ROW[x];
        p.BAN[x][3] = COM_HU;
        p.BAN[x][7] = MAN_HU;
        p.BAN[x][9] = -COM_BACK_ROW[x];
    }
    p.BAN[2][2] = COM_SYA;
    p.BAN[8][2] = COM_KAKU;
    p.BAN[2][8] = MAN_KAKU;
    p.BAN[8][8] = MAN_SYA;
    持駒数更新(p);

    画面_再描画(s, s.pos, s.game, s.clock, s.LEVEL_NO);
    手順保存(s, s.clock.MAN_JIKAN, s.clock.KEIKA_BYOU + s.clock.MAN_JIKAN, s.clock.COM_JIKAN,
             s.clock.COM_JIKAN);
}

void 手順保存(State& s, float manMae, float manAto, float comMae, float comAto) {
    auto& h = s.hist;
    const int t = s.game.TESU();
    if (t < 0 || t > TESU_MAX) return;  // callers check 履歴に空きあり first
    storePosition(h, t, s.pos);
    h.MAN_JIKAN_MAE[t] = manMae;
    h.MAN_JIKAN_ATO[t] = manAto;
    h.COM_JIKAN_MAE[t] = comMae;
    h.COM_JIKAN_ATO[t] = comAto;
    s.game.entryStored(h, t);
}

// A move from position TESU stores entry TESU and leaves TESU + 1, which must stay <= 500.
bool 履歴に空きあり(const State& s) { return s.game.TESU() >= 0 && s.game.TESU() < TESU_MAX; }

bool 手数上限終了(State& s) {
    if (s.game.TESU() < TESU_MAX) return false;
    タイマー設定(s.clock, s.timer, false);
    s.game.drawnAtLimit();
    s.dialog.message(手数上限メッセージ, "終了", Buttons::Ok);
    return true;
}
