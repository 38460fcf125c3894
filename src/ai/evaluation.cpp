#include "ai/evaluation.h"

#include <algorithm>
#include <cstdlib>

#include "ai/danger.h"
#include "ai/piece_terms.h"
#include "ai/tactics.h"
#include "ai/mate.h"
#include "core/rules.h"
#include "ai/analysis.h"

namespace {

bool isManMajor(int code) {
    return code == MAN_KAKU || code == MAN_UMA || code == MAN_SYA || code == MAN_RYU;
}

bool isManRook(int code) { return code == MAN_SYA || code == MAN_RYU; }

}  // namespace

double 盤評価(Analysis& s, int captured, int placed, int FX, int FY, int TX, int TY) {
    const auto& BAN = s.pos.board();
    const auto& SM = s.inf.SEIRYOKU_MAN;
    const auto& SC = s.inf.SEIRYOKU_COM;
    const auto& NERAI_MAN = s.inf.NERAI_MAN;
    const int KX = s.kingsSeen.MAN_OU_X, KY = s.kingsSeen.MAN_OU_Y;
    const int dx = std::abs(TX - KX), dy = std::abs(TY - KY);
    const int IDOU_KOMA = s.turn.IDOU_KOMA;
    const bool drop = FX == COM_DROP_X;
    // A king that is off the board keeps its last square, which may still be 0.
    const int checkOnMan = cellOf(SC, KX, KY);
    double score = 0;

    // Stage 1: decisive checks.
    if (captured == MAN_OU) return 9999;
    if (cellOf(SM, s.kingsSeen.COM_OU_X, s.kingsSeen.COM_OU_Y) >= 1) return -9998;
    if (checkOnMan > 0) {
        if (詰めかMAN(s) == ON) return placed == COM_HU ? -9998 : 9998;
        if (NERAI_MAN[TX][TY] == MAN_OU && SC[TX][TY] > 0) score += 100;
        // A dragon guarding a diagonal neighbour of the king along the king's line.
        if (SM[TX][TY] <= 2 && s.inf.MAMORI_COM[TX][TY] == COM_RYU && TX != KX && TY != KY &&
            dx < 2 && dy < 2 &&
            (s.inf.MAMORI_COM_X[TX][TY] == KX || s.inf.MAMORI_COM_Y[TX][TY] == KY))
            score += 900;
        if (SM[TX][TY] == 0) score += 10;
    }

    // Stage 2: general terms.
    if (drop)
        score -= 5;
    else if (placed > IDOU_KOMA)
        score += 10;

    score += 盤評価_COM危険座標(s, placed, TX, TY);

    if (dx > dy) {
        if (dx < s.turn.MAN_OU_KYORI) score += 1;
    } else {
        if (dy < s.turn.MAN_OU_KYORI) score += 0.1;
    }

    // The cheapest attacker of the destination is pinned: the moved piece may take it next.
    {
        const int AX = s.inf.NERAI_MAN_X[TX][TY], AY = s.inf.NERAI_MAN_Y[TX][TY];
        if (cellOf(SM, AX, AY) > 0 && cellOf(s.turn.IDOU_FUKA_MAN, AX, AY) == 1 &&
            (SM[TX][TY] == 1 || (SM[TX][TY] == 2 && SC[TX][TY] > 0 && checkOnMan > 0)) &&
            ((AX == KX && TX != KX) || (AY == KY && TY != KY) ||
             ((TX == KX || TY == KY) && AX != KX && AY != KY)) &&
            移動チェック(s.pos, TX, TY, AX, AY, IDOU_KOMA) == ON &&
            (drop || cellOf(BAN, cellOf(s.turn.NERAI_COM_X_MAE, AX, AY),
                            cellOf(s.turn.NERAI_COM_Y_MAE, AX, AY)) != 0))
            score += std::abs(cellOf(BAN, AX, AY));
    }

    // Safety of the destination.
    if (SM[TX][TY] == 0) {
        if (placed != COM_KAKU && placed != COM_UMA && placed != COM_OU && placed != COM_HU)
            score -= 盤評価_自角注意_COM(s, TX, TY, placed);
        if ((dx < 3 && dy < 3) || placed == COM_KYOU || (placed >= COM_KAKU && placed <= COM_RYU)) {
            const int e = 調査_自王逃道(s);
            score += std::max(0, s.turn.NIGEMICHI_SU - e);
        }
    } else if (SC[TX][TY] > 0) {
        const auto& M = s.pos.manHand();
        // A MAN rook beside the destination with COM's king on the other side.
        if ((M[GIN] > 0 || M[KIN] > 0) && TX > 1 && TX < 9 &&
            ((isManRook(BAN[TX - 1][TY]) && BAN[TX + 1][TY] == COM_OU) ||
             (isManRook(BAN[TX + 1][TY]) && BAN[TX - 1][TY] == COM_OU)))
            score -= placed;
        if (placed > std::abs(NERAI_MAN[TX][TY])) {
            score -= placed;
            score += std::abs(NERAI_MAN[TX][TY]);
        }
        if (NERAI_MAN[TX][TY] == MAN_OU && TY < KY && checkOnMan > 0) score += placed;
    } else if (drop) {
        score -= placed;
        score -= 50;
    }

    if (BAN[TX][9] == MAN_KYOU && (TX == 1 || TX == 9) && placed != COM_KYOU && placed != COM_SYA &&
        placed != COM_RYU && FX != TX)
        score -= 0.1;

    // Stage 3: captures and the strength level.
    if (captured != 0) {
        if (isManMajor(captured) && placed <= COM_KIN) score += std::abs(captured);
        if (s.LEVEL_NO == 1) return score;
        if (SM[TX][TY] > 0) {
            if (SC[TX][TY] > 0) {
                if (BAN[TX][TY] < std::abs(NERAI_MAN[TX][TY])) score += std::abs(captured);
            } else if (cellOf(s.turn.SEIRYOKU_MAN_MAE, FX, FY) > 0 &&
                       調査_移動可場所数(s, FX, FY, placed) == 0) {
                // The piece was trapped where it stood, so trading it costs nothing.
                score += std::abs(captured);
            }
        } else {
            score += std::abs(captured);
            if (captured == MAN_TO || captured == MAN_NARIKYOU || captured == MAN_NARIKEI)
                score += 50;
        }
    }

    // Stage 4: piece terms.
    if (s.LEVEL_NO == 2) return score;
    return pieceTerms(s, score, captured, placed, FX, FY, TX, TY);
}
