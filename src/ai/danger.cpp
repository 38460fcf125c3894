#include "ai/danger.h"

#include <cstdlib>
#include <limits>

#include "ai/tactics.h"
#include "core/constants.h"
#include "core/rules.h"
#include "core/square_guard.h"
#include "ai/analysis.h"

int 調査_自守駒MAN_直進駒(Position& p, int x, int y) {
    const Map& BAN = p.board();
    // The square is lifted so that a guard standing behind a piece on it is not blocked
    // by that piece itself.
    const TrialSquare lifted(p, x, y, EMPTY);
    for (int k = y + 1; k <= 9; ++k) {
        const int c = BAN[x][k];
        if (isCom(c)) break;
        if (c == MAN_KYOU || c == MAN_SYA || c == MAN_RYU) return 移動チェック(p, x, k, x, y, c);
    }
    return OFF;
}

double 盤評価_自角注意_COM(const Analysis& s, int TX, int TY, int code) {
    const auto& BAN = s.pos.board();
    int I = 0, A = 0;
    bool found = false;
    for (int x = 1; x <= 9 && !found; ++x)
        for (int y = 1; y <= 9; ++y)
            if (s.turn.MOCHIKAKU_NERAI[x][y] == 1 &&
                (移動チェック(s.pos, TX, TY, x, y, MAN_KAKU) == ON ||
                 移動チェック(s.pos, TX, TY, x, y, MAN_UMA) == ON)) {
                I = x;
                A = y;
                found = true;
                break;
            }
    if (!found) return 0;

    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = BAN[x][y];
            if ((c == MAN_KAKU || c == MAN_UMA) && 移動チェック(s.pos, x, y, I, A, c) == ON)
                return code;
        }
    if (s.pos.manHand()[KAKU] > 0 &&
        移動チェック(s.pos, MAN_DROP_X, KAKU + 2, I, A, MAN_KAKU) == ON)
        return code;
    return 0;
}

namespace {

bool nextTo(int x, int y, int kx, int ky, int within) {
    return std::abs(x - kx) < within && std::abs(y - ky) < within;
}

}  // namespace

// One scan of the trial board. What stands on a square chooses the stage: an empty square
// (MAN's reach there and the drops MAN could make on it), a COM piece (how safe it is), a MAN
// piece (COM's new attacks on it); the fork by the moved piece is settled after the scan.
//
//   R  the result: minus for danger to COM, plus for COM's chances
//   N  MAN pieces the moved piece attacks from (TX, TY) where MAN cannot answer
//   V  the cheapest of those; attacking two or more at once wins at least that
//
// SM, SC: MAN's and COM's reach now; SCM: COM's reach before the trial; CK: COM's king;
// MOCHI: MAN's hand.
double 盤評価_COM危険座標(Analysis& s, int code, int TX, int TY) {
    // The maps are read through their first column: indexing a std::array of std::arrays
    // made GCC 12 keep fewer values in registers in this loop, and COM's move measurably
    // slower (about 3 % over the signature positions).
    const Column* BAN = s.pos.board().data();
    const Column* SM = s.inf.SEIRYOKU_MAN.data();
    const Column* SC = s.inf.SEIRYOKU_COM.data();
    const Column* NERAI_MAN = s.inf.NERAI_MAN.data();
    const Column* MAMORI_COM = s.inf.MAMORI_COM.data();
    const Column* SCM = s.turn.SEIRYOKU_COM_MAE.data();
    const Column* IDOU_FUKA_MAN = s.turn.IDOU_FUKA_MAN.data();
    const Hand& MOCHI = s.pos.manHand();
    const int CKx = s.kingsSeen.COM_OU_X, CKy = s.kingsSeen.COM_OU_Y;
    const bool goldOrSilverInHand = MOCHI[GIN] > 0 || MOCHI[KIN] > 0;

    double R = 0;
    int N = 0;
    int V = std::numeric_limits<int>::max();

    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int P = BAN[x][y];
            if (P == EMPTY) {
                // Stage 1: an empty square MAN reaches, next to COM's king or in COM's camp.
                if (SM[x][y] > 0) {
                    if (nextTo(x, y, CKx, CKy, 2)) {
                        R -= 0.5 * SM[x][y];
                        if (SC[x][y] == 1 && SM[x][y] > 1) R -= 10;
                        if (goldOrSilverInHand) R -= 10;
                    }
                    if (SC[x][y] == 0 && y < 4) {
                        R -= 0.1;
                        if (調査_自守駒MAN_直進駒(s.pos, x, y) == ON) R -= 10;
                    }
                    if (y < 4 && BAN[x][y + 1] == MAN_HU && SM[x][y] >= SC[x][y]) {
                        R -= 30;
                        if (調査_自守駒MAN_直進駒(s.pos, x, y + 1) == ON) R -= 70;
                    }
                }
                // Stage 2: what a drop from MAN's hand on this square would do.
                if (s.pos.manHandTotal() > 0) {
                    // A lance dropped here would skewer a COM piece and the one behind it
                    // (on the first two rows nothing stands behind: row 0 is empty).
                    if (MOCHI[KYOU] > 0 && BAN[x][y - 1] > 20 && (SM[x][y] > 0 || SC[x][y] == 0)) {
                        for (int k = y - 2; k >= 1; --k) {
                            if (BAN[x][k] == EMPTY) continue;
                            if (BAN[x][k] > 20) R -= 100 + BAN[x][k] / 2.0;
                            break;
                        }
                    }
                    if (MOCHI[KEI] > 0 &&
                        (SC[x][y] == 0 || (SM[x][y] > 0 && s.inf.NERAI_COM[x][y] > 30)) && y > 2 &&
                        x >= 2 && x <= 8 && BAN[x - 1][y - 2] > 10 && BAN[x + 1][y - 2] > 10)
                        R -= 20;
                    if (goldOrSilverInHand && SC[x][y] <= 1) {
                        const int around = 調査_周辺状況(s.pos, x, y);
                        if (around < -1) R -= 5;
                        if (SC[x][y] == 0 && around < 0) {
                            R -= 1;
                            if (y < 4) R -= 10;
                        }
                    }
                    if (SC[x][y] == 0) {
                        if (y == 2 && BAN[x][1] == COM_KEI) R -= 5;
                        if (y < 4) R -= 0.1;
                        if (MOCHI[GIN] > 0 && y > 1 && y < 9 && x >= 2 && x <= 8) {
                            if (isCom(BAN[x - 1][y - 1]) && isCom(BAN[x + 1][y + 1]) &&
                                SC[x - 1][y - 1] == 0 && SC[x + 1][y + 1] == 0)
                                R -= 20;
                            if (isCom(BAN[x - 1][y + 1]) && isCom(BAN[x + 1][y - 1]) &&
                                SC[x - 1][y + 1] == 0 && SC[x + 1][y - 1] == 0)
                                R -= 20;
                        }
                    }
                }
            } else if (isCom(P)) {
                // Stage 3: a COM piece: its king on the back row, pieces MAN attacks.
                if (P == COM_OU && y == 1 && SM[x][2] > 0) {
                    R -= 50;
                    if (SM[x][2] >= SC[x][2]) R -= 250;
                    if (goldOrSilverInHand) R -= 700;
                }
                if (P == COM_HU && NERAI_MAN[x][y] == MAN_SYA && MOCHI[HU] > 0 &&
                    SM[x][y] >= SC[x][y] && y < 9 && SC[x][y + 1] == 1)
                    R -= 5;
                if (SM[x][y] > 0) {
                    // The cheapest attacker; a pinned one cannot really take.
                    const int AX = s.inf.NERAI_MAN_X[x][y], AY = s.inf.NERAI_MAN_Y[x][y];
                    const int attacker = std::abs(NERAI_MAN[x][y]);
                    const bool attackerFree = IDOU_FUKA_MAN[AX][AY] == 0;
                    if (MAMORI_COM[x][y] == COM_OU && (SM[x][y] > 1 || P > attacker)) R -= 100;
                    if (attackerFree && P > attacker) R = R - P + attacker;
                    if (SC[x][y] > 0 && attackerFree) {
                        if (SM[x][y] > SC[x][y] && MAMORI_COM[x][y] >= attacker) R -= P;
                        if (y <= 3 && SC[x][y] == SM[x][y] && BAN[x][y + 1] != 0 &&
                            調査_自守駒MAN_直進駒(s.pos, x, y + 1) == ON)
                            R = R - P - std::abs(NERAI_MAN[x][y + 1]);
                    }
                    if (SC[x][y] == 0) {
                        R -= P;
                        if (y <= 3) R -= 10;
                        if (isMan(s.turn.BAN_MAE[x][y])) R += std::abs(s.turn.BAN_MAE[x][y]);
                        if (y < 4 && (NERAI_MAN[x][y] == MAN_HU || NERAI_MAN[x][y] == MAN_KYOU))
                            R -= 20;
                    }
                }
            } else if (isMan(P)) {
                // Stage 4: a MAN piece: newly attacked, aimed at COM, forked by the mover.
                if (SC[x][y] > 0 && SCM[x][y] == 0) {
                    if (y > 2 && P == MAN_KEI && SM[x][y - 1] == 0 &&
                        (BAN[x][y - 1] == COM_GIN || BAN[x][y - 1] == COM_RYU ||
                         BAN[x][y - 1] == COM_UMA))
                        R += 1;
                    if (nextTo(x, y, CKx, CKy, 3)) R += 15;
                }
                if (P == MAN_KEI && y >= 5 && BAN[x][y - 4] >= 40) {
                    if (x > 1 && BAN[x - 1][y - 2] >= 0 && SC[x - 1][y - 2] == 0) R -= 1;
                    if (x < 9 && BAN[x + 1][y - 2] >= 0 && SC[x + 1][y - 2] == 0) R -= 1;
                } else if ((P == MAN_SYA || P == MAN_RYU || P == MAN_KYOU) && x == CKx) {
                    R -= 1;
                }
                if (SM[TX][TY] == 0 &&
                    (SM[x][y] == 0 || (x == s.kingsSeen.MAN_OU_X && y == s.kingsSeen.MAN_OU_Y)) &&
                    移動チェック(s.pos, TX, TY, x, y, code) == ON) {
                    R += 0.1;
                    N += 1;
                    if (std::abs(P) < V) V = std::abs(P);
                }
            }
        }
    // Stage 5: the fork.
    if (N > 1) R += V;
    return R;
}
