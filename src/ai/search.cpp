#include "ai/search.h"

#include <algorithm>
#include <cstdlib>

#include "ai/analysis.h"
#include "ai/evaluation.h"
#include "ai/mate.h"
#include "ai/survey.h"
#include "ai/tactics.h"
#include "core/moves.h"
#include "core/rules.h"
#include "core/square_guard.h"

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
bool tryBoardMove(Analysis& s, int fx, int fy, int tx, int ty) {
    auto& BAN = s.pos.BAN;
    auto& t = s.turn;
    if (移動チェック(s.pos, fx, fy, tx, ty, BAN[fx][fy]) != ON) return false;
    t.IDOU_KOMA = BAN[fx][fy];
    t.MAN_OU_KYORI = std::max(std::abs(fx - s.pos.MAN_OU_X), std::abs(fy - s.pos.MAN_OU_Y));
    const int captured = BAN[tx][ty];

    double score;
    int newCode = t.IDOU_KOMA;
    {
        const SquareGuard from(BAN, fx, fy, EMPTY);
        const SquareGuard to(BAN, tx, ty, t.IDOU_KOMA);
        if (調査_駒成(s.pos, fx, fy, tx, ty, t.IDOU_KOMA) == OFF) {
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
bool tryDrop(Analysis& s, int k, int tx, int ty) {
    auto& t = s.turn;
    if (移動チェック(s.pos, COM_DROP_X, k, tx, ty, t.IDOU_KOMA) != ON) return false;
    double score;
    {
        const SquareGuard to(s.pos.BAN, tx, ty, t.IDOU_KOMA);
        勢力調査(s);
        score = 盤評価(s, 0, t.IDOU_KOMA, COM_DROP_X, k, tx, ty);
    }

    return offer(t, score, COM_DROP_X, k, tx, ty, t.IDOU_KOMA) && t.BEST_SCORE >= 9998;
}

}  // namespace

void 思考準備(Analysis& s) {
    auto& t = s.turn;
    t.BEST_SCORE = -99999;
    t.BEST_FX = t.BEST_FY = t.BEST_TX = t.BEST_TY = 0;
    t.BEST_KOMA = t.BEST_NEW_KOMA = 0;
    t.BAN_MAE = s.pos.BAN;
    t.NIGEMICHI_BAN = {};
    調査_2歩フラグ設定(s.pos);
    t.NIGEMICHI_SU = 調査_自王逃道(s);
    勢力調査(s);
    調査_持角狙座標(s);
    調査_移動不可駒(s);
    t.SEIRYOKU_MAN_MAE = s.inf.SEIRYOKU_MAN;
    t.SEIRYOKU_COM_MAE = s.inf.SEIRYOKU_COM;
    t.NERAI_COM_X_MAE = s.inf.NERAI_COM_X;
    t.NERAI_COM_Y_MAE = s.inf.NERAI_COM_Y;
}

bool 候補探索(Analysis& s, const std::function<void()>& tick) {
    auto& BAN = s.pos.BAN;
    for (int fx = 1; fx <= 9; ++fx) {
        if (tick) tick();
        for (int fy = 1; fy <= 9; ++fy) {
            if (!isCom(BAN[fx][fy])) continue;
            for (int tx = 1; tx <= 9; ++tx)
                for (int ty = 1; ty <= 9; ++ty)
                    if (tryBoardMove(s, fx, fy, tx, ty)) return true;
        }
    }
    if (s.pos.MOCHI_COM_SU > 0) {
        for (int k = HU; k <= SYA; ++k) {
            if (tick) tick();
            if (s.pos.MOCHI_COM[k] <= 0) continue;
            s.turn.IDOU_KOMA = comCode(k);
            for (int tx = 1; tx <= 9; ++tx)
                for (int ty = 1; ty <= 9; ++ty)
                    if (tryDrop(s, k, tx, ty)) return true;
        }
    }
    return s.turn.BEST_FX != 0;  // every evaluation lies far above the start score
}
