#include "ai/tactics.h"

#include <cstdlib>

#include "core/constants.h"
#include "core/rules.h"
#include "core/square_guard.h"
#include "ai/analysis.h"

int 調査_移動可場所数(const Analysis& s, int x, int y, int code) {
    // A destination counts only where the other side cannot take the piece back at once.
    const auto& enemy = isCom(code) ? s.inf.SEIRYOKU_MAN : s.inf.SEIRYOKU_COM;
    int count = 0;
    forEachReach(s.pos, x, y, code, [&](int tx, int ty) { count += enemy[tx][ty] == 0; });
    return count;
}

int 調査_周辺状況(const Position& p, int x, int y) {
    int result = 0;
    for (int i = x - 1; i <= x + 1; ++i)
        for (int j = y - 1; j <= y + 1; ++j) {
            if ((i == x && j == y) || !onBoard(i, j)) continue;
            if (p.board()[i][j] >= COM_KAKU) --result;
        }
    return result;
}

double 調査_桂狙い(const Analysis& s, int x, int y) {
    const auto& BAN = s.pos.board();
    const auto& SM = s.inf.SEIRYOKU_MAN;
    const int nerai = s.inf.NERAI_MAN[x][y];
    double result = 0;
    if (!(nerai >= -71 && nerai <= -60 && y > 5)) return result;
    // A knight dropped two rows back reaches both this piece and the far square beside it.
    if (x >= 3 && BAN[x - 1][y - 2] == 0 && SM[x - 1][y - 2] == 0 && BAN[x - 2][y] <= -60 &&
        s.inf.NERAI_MAN_X[x][y] != x - 2)
        result += std::abs(BAN[x - 2][y]);
    if (x < 8 && BAN[x + 1][y - 2] == 0 && SM[x + 1][y - 2] == 0 && BAN[x + 2][y] <= -60 &&
        s.inf.NERAI_MAN_X[x][y] != x + 2)
        result += std::abs(BAN[x + 2][y]);
    return result;
}

double 調査_香狙い(const Analysis& s, int x, int y) {
    const auto& BAN = s.pos.board();
    const int nerai = s.inf.NERAI_MAN[x][y];
    double result = 0;
    if (!(y > 6 && s.inf.SEIRYOKU_COM[x][y - 1] > 0 && s.inf.SEIRYOKU_MAN[x][y - 1] == 0 &&
          nerai >= -71 && nerai <= -60))
        return result;
    for (int k = y + 1; k <= 9; ++k) {
        if (BAN[x][k] == EMPTY) continue;
        if (移動チェック(s.pos, x, y, x, k, COM_KYOU) == ON) result += std::abs(BAN[x][k]);
        break;
    }
    return result;
}

void 調査_持角狙座標(Analysis& s) {
    auto& map = s.turn.MOCHIKAKU_NERAI;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            map[x][y] = 0;
            if (s.pos.board()[x][y] == EMPTY && s.inf.SEIRYOKU_COM[x][y] == 0 &&
                移動チェック(s.pos, x, y, s.kingsSeen.COM_OU_X, s.kingsSeen.COM_OU_Y, MAN_KAKU) ==
                    ON)
                map[x][y] = 1;
        }
}

namespace {

struct Ranger {
    int x, y, code;
};

// The ranging pieces of one side that could pin: lance, bishop, horse, rook, dragon.
int collectRangers(const Analysis& s, int sign, Ranger (&out)[81]) {
    int n = 0;
    for (int c = 1; c <= 9; ++c)
        for (int d = 1; d <= 9; ++d) {
            const int code = s.pos.board()[c][d] * sign;
            if (code == 20 || code == 60 || code == 61 || code == 70 || code == 71)
                out[n++] = {c, d, s.pos.board()[c][d]};
        }
    return n;
}

bool anyReaches(const Analysis& s, const Ranger* r, int n, int kx, int ky) {
    for (int i = 0; i < n; ++i)
        if (移動チェック(s.pos, r[i].x, r[i].y, kx, ky, r[i].code) == ON) return true;
    return false;
}

}  // namespace

void 調査_移動不可駒(Analysis& s) {
    const auto& BAN = s.pos.board();
    // Lifting a piece of one side never moves a ranger of the other, so each side's
    // rangers are found once instead of once per lifted piece.
    Ranger comRangers[81], manRangers[81];
    const int nCom = collectRangers(s, +1, comRangers);
    const int nMan = collectRangers(s, -1, manRangers);

    s.turn.IDOU_FUKA_COM_ARI = OFF;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            s.turn.IDOU_FUKA_MAN[x][y] = 0;
            const int p = BAN[x][y];
            if (p == EMPTY) continue;
            const TrialSquare lifted(s.pos, x, y, EMPTY);
            if (isMan(p)) {
                if (anyReaches(s, comRangers, nCom, s.kingsSeen.MAN_OU_X, s.kingsSeen.MAN_OU_Y))
                    s.turn.IDOU_FUKA_MAN[x][y] = 1;
            } else if (s.turn.IDOU_FUKA_COM_ARI == OFF) {  // a COM piece
                if (anyReaches(s, manRangers, nMan, s.kingsSeen.COM_OU_X, s.kingsSeen.COM_OU_Y))
                    s.turn.IDOU_FUKA_COM_ARI = ON;
            }
        }
}
