#include "play/com_ban.h"

#include "ai/search.h"
#include "ai/survey.h"
#include "core/rules.h"
#include "play/clock.h"
#include "play/move_text.h"
#include "play/moves.h"
#include "play/setup.h"
#include "play/state.h"
#include "ui/drawing.h"

namespace {

void showThinking(State& s) {
    const int bg = s.opt.HAIKEI_NO;
    描画_絵(s, bg, -2, 8);
    描画_絵(s, bg, -1, 8);
    描画_絵(s, bg, 0, 8);
    描画_桝輪郭(s, colours::GREEN, -1, 7);
    描画_数値(s, -1.5, 8.5, "思考中", colours::BLACK, 0, 12);
    描画_数値(s, -1.6, 8.4, "思考中", colours::WHITE, 0, 12);
    描画_桝輪郭(s, colours::GREEN, 1, 8);
}

}  // namespace

void com_ban(State& s) {
    auto& g = s.game;
    auto& c = s.clock;
    auto& t = s.turn;
    if (g.SHOUHAI != 0) return;
    if (!履歴に空きあり(s)) {
        手数上限終了(s);
        return;
    }
    c.KAISHI_JIKAN = s.port.timeOfDay();
    if (s.opt.KEIKA) タイマー設定(s, true);
    showThinking(s);

    思考準備(s);
    s.port.flush();
    // The clock keeps moving while COM thinks.
    if (!候補探索(s, [&s] { Timer1_Timer(s); })) {
        // Nothing to play: COM resigns.
        タイマー設定(s, false);
        g.SHOUHAI = g.TEBAN_MAN;
        g.TEBAN = g.TEBAN_MAN;
        s.port.message(投了メッセージ, "終了", Buttons::Ok);
        return;
    }

    手順保存(s, c.MAN_JIKAN, c.MAN_JIKAN, c.COM_JIKAN, c.COM_JIKAN + c.KEIKA_BYOU);
    g.HYOUJI_TESU += 1;
    描画_手数(s, g.HYOUJI_TESU, colours::WHITE);
    const bool drop = t.BEST_FX == COM_DROP_X;
    if (drop) {
        描画_駒点滅(s, t.BEST_NEW_KOMA, -1, 8 - t.BEST_FY, 2);
        駒移動(s, COM_DROP_X, t.BEST_FY, t.BEST_TX, t.BEST_TY, t.BEST_NEW_KOMA);
    } else {
        描画_駒点滅(s, t.BEST_KOMA, t.BEST_FX, t.BEST_FY, 2);
        s.pos.BAN[t.BEST_FX][t.BEST_FY] = t.BEST_NEW_KOMA;
        if (t.BEST_KOMA == COM_KEI)
            駒移動(s, t.BEST_FX, t.BEST_FY, t.BEST_TX, t.BEST_TY, t.BEST_NEW_KOMA);
        else
            移動対象駒_移動(s, t.BEST_FX, t.BEST_FY, t.BEST_TX, t.BEST_TY);
    }
    待ち時間(s, 0.5);
    s.port.playSound(Sound::KOMA);
    g.TESU += 1;
    タイマー設定(s, false);
    勢力調査(s);

    if (調査_駒存在(s.pos, MAN_OU) == OFF) {
        s.port.message("ｺﾝﾋﾟｭｰﾀの勝ちです", "終了", Buttons::Ok);
        g.TEBAN = g.TEBAN_MAN;
        return;
    }
    if (調査_駒存在(s.pos, COM_OU) == OFF) {
        s.port.message("あなたの勝ちです", "終了", Buttons::Ok);
        g.TEBAN = g.TEBAN_MAN;
        return;
    }
    描画_移動結果(s, g.TEBAN_COM, t.BEST_TX, t.BEST_TY, t.BEST_NEW_KOMA, colours::WHITE);
    描画_桝輪郭(s, colours::WHITE, t.BEST_TX, t.BEST_TY);
    c.COM_JIKAN += c.KEIKA_BYOU;
    c.KAISHI_JIKAN = s.port.timeOfDay();
    g.TEBAN = g.TEBAN_MAN;
    if (手数上限終了(s)) return;
    if (s.opt.KEIKA) タイマー設定(s, true);
}
