#include "ai/com_turn.h"

#include <algorithm>
#include <cstdlib>

#include "ai/evaluation.h"
#include "ai/survey.h"
#include "ai/tactics.h"
#include "core/mate.h"
#include "core/moves.h"
#include "core/rules.h"
#include "core/setup.h"
#include "core/square_guard.h"
#include "core/state.h"
#include "play/clock.h"
#include "record/move_text.h"
#include "ui/drawing.h"

namespace {

// Keeps a candidate that scores strictly higher than the best so far, so the first one in
// the scan wins ties.
bool offer(Turn& t, double score, int fx, int fy, int tx, int ty, int newCode) {
    if (!(score > t.BEST_SCORE)) return false;
    t.BEST_SCORE = score;
    t.BEST_FX = fx;
    t.BEST_FY = fy;
    t.BEST_TX = tx;
    t.BEST_TY = ty;
    t.BEST_NEW_KOMA = newCode;
    return true;
}

// Tries the board move (fx, fy) -> (tx, ty) in place and puts the board back. Answers
// whether the trial must stop at once (MAN's king taken).
bool tryBoardMove(State& s, int fx, int fy, int tx, int ty) {
    auto& BAN = s.pos.BAN;
    auto& t = s.turn;
    if (移動チェック(s, fx, fy, tx, ty, BAN[fx][fy]) != ON) return false;
    t.IDOU_KOMA = BAN[fx][fy];
    t.MAN_OU_KYORI = std::max(std::abs(fx - s.pos.MAN_OU_X), std::abs(fy - s.pos.MAN_OU_Y));
    const int captured = BAN[tx][ty];

    double score;
    int newCode = t.IDOU_KOMA;
    {
        const SquareGuard from(BAN, fx, fy, EMPTY);
        const SquareGuard to(BAN, tx, ty, t.IDOU_KOMA);
        if (調査_駒成(s, fx, fy, tx, ty, t.IDOU_KOMA) == OFF) {
            勢力調査(s);
            score = 盤評価(s, captured, t.IDOU_KOMA, fx, fy, tx, ty);
        } else if (移動後チェック(ty, t.IDOU_KOMA) == OFF) {
            const int promoted = s.pos.NARI_KOMA;
            BAN[tx][ty] = promoted;
            勢力調査(s);
            score = 盤評価(s, captured, promoted, fx, fy, tx, ty);
            newCode = promoted;
        } else {
            const int promoted = s.pos.NARI_KOMA;
            勢力調査(s);
            score = 盤評価(s, captured, t.IDOU_KOMA, fx, fy, tx, ty);
            BAN[tx][ty] = promoted;
            勢力調査(s);
            const double s2 = 盤評価(s, captured, promoted, fx, fy, tx, ty);
            if (s2 > score) {
                score = s2;
                newCode = promoted;
            }
            // Pawns, bishops and rooks lose nothing by promoting.
            if (t.IDOU_KOMA == COM_HU || t.IDOU_KOMA == COM_KAKU || t.IDOU_KOMA == COM_SYA)
                newCode = promoted;
        }
    }

    if (!offer(t, score, fx, fy, tx, ty, newCode)) return false;
    t.BEST_KOMA = t.IDOU_KOMA;
    return captured == MAN_OU;
}

// Tries dropping kind k on (tx, ty). Answers whether the trial must stop (a mate found).
bool tryDrop(State& s, int k, int tx, int ty) {
    auto& t = s.turn;
    if (移動チェック(s, COM_DROP_X, k, tx, ty, t.IDOU_KOMA) != ON) return false;
    double score;
    {
        const SquareGuard to(s.pos.BAN, tx, ty, t.IDOU_KOMA);
        勢力調査(s);
        score = 盤評価(s, 0, t.IDOU_KOMA, COM_DROP_X, k, tx, ty);
    }

    return offer(t, score, COM_DROP_X, k, tx, ty, t.IDOU_KOMA) && t.BEST_SCORE >= 9998;
}

void showThinking(State& s) {
    const int bg = s.opt.HAIKEI_NO;
    描画_絵(s, bg, -2, 8);
    描画_絵(s, bg, -1, 8);
    描画_絵(s, bg, 0, 8);
    描画_桝輪郭(s, 2, -1, 7);
    描画_数値(s, -1.5, 8.5, "思考中", 0, 0, 12);
    描画_数値(s, -1.6, 8.4, "思考中", 15, 0, 12);
    描画_桝輪郭(s, 2, 1, 8);
}

}  // namespace

void 思考準備(State& s) {
    auto& t = s.turn;
    t.BEST_SCORE = -99999;
    t.BEST_FX = t.BEST_FY = t.BEST_TX = t.BEST_TY = 0;
    t.BEST_KOMA = t.BEST_NEW_KOMA = 0;
    t.BAN_MAE = s.pos.BAN;
    t.NIGEMICHI_BAN = {};
    調査_2歩フラグ設定(s);
    t.NIGEMICHI_SU = 調査_自王逃道(s);
    勢力調査(s);
    調査_持角狙座標(s);
    調査_移動不可駒(s);
    t.SEIRYOKU_MAN_MAE = s.inf.SEIRYOKU_MAN;
    t.SEIRYOKU_COM_MAE = s.inf.SEIRYOKU_COM;
    t.NERAI_COM_X_MAE = s.inf.NERAI_COM_X;
    t.NERAI_COM_Y_MAE = s.inf.NERAI_COM_Y;
}

bool 候補探索(State& s) {
    auto& BAN = s.pos.BAN;
    for (int fx = 1; fx <= 9; ++fx) {
        Timer1_Timer(s);  // keeps the clock moving while COM thinks
        for (int fy = 1; fy <= 9; ++fy) {
            if (!isCom(BAN[fx][fy])) continue;
            for (int tx = 1; tx <= 9; ++tx)
                for (int ty = 1; ty <= 9; ++ty)
                    if (tryBoardMove(s, fx, fy, tx, ty)) return true;
        }
    }
    if (s.pos.MOCHI_COM_SU > 0) {
        for (int k = HU; k <= SYA; ++k) {
            Timer1_Timer(s);
            if (s.pos.MOCHI_COM[k] <= 0) continue;
            s.turn.IDOU_KOMA = comCode(k);
            for (int tx = 1; tx <= 9; ++tx)
                for (int ty = 1; ty <= 9; ++ty)
                    if (tryDrop(s, k, tx, ty)) return true;
        }
    }
    return s.turn.BEST_FX != 0;  // every evaluation lies far above the start score
}

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
    if (!候補探索(s)) {
        // Nothing to play: COM resigns.
        タイマー設定(s, false);
        g.SHOUHAI = g.TEBAN_MAN;
        g.TEBAN = g.TEBAN_MAN;
        s.port.message(投了メッセージ, "終了", Buttons::Ok);
        return;
    }

    手順保存(s, c.MAN_JIKAN, c.MAN_JIKAN, c.COM_JIKAN, c.COM_JIKAN + c.KEIKA_BYOU);
    g.HYOUJI_TESU += 1;
    描画_手数(s, g.HYOUJI_TESU, 15);
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

    if (調査_駒存在(s, MAN_OU) == OFF) {
        s.port.message("ｺﾝﾋﾟｭｰﾀの勝ちです", "終了", Buttons::Ok);
        g.TEBAN = g.TEBAN_MAN;
        return;
    }
    if (調査_駒存在(s, COM_OU) == OFF) {
        s.port.message("あなたの勝ちです", "終了", Buttons::Ok);
        g.TEBAN = g.TEBAN_MAN;
        return;
    }
    描画_移動結果(s, g.TEBAN_COM, t.BEST_TX, t.BEST_TY, t.BEST_NEW_KOMA, 15);
    描画_桝輪郭(s, 15, t.BEST_TX, t.BEST_TY);
    c.COM_JIKAN += c.KEIKA_BYOU;
    c.KAISHI_JIKAN = s.port.timeOfDay();
    g.TEBAN = g.TEBAN_MAN;
    if (手数上限終了(s)) return;
    if (s.opt.KEIKA) タイマー設定(s, true);
}
