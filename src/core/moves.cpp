#include "core/moves.h"

#include "core/rules.h"
#include "core/state.h"
#include "ui/drawing.h"

void 駒移動(State& s, int fx, int fy, int tx, int ty, int c) {
    auto& p = s.pos;
    if (isMan(p.BAN[tx][ty])) {
        p.MOCHI_COM_SU += 1;
        駒取得(s, p.BAN[tx][ty]);
        描画_敵持盤(s);
    } else if (isCom(p.BAN[tx][ty])) {
        p.MOCHI_MAN_SU += 1;
        駒取得(s, p.BAN[tx][ty]);
        描画_自持盤(s);
    }
    描画_絵(s, EMPTY, fx, fy);
    描画_桝輪郭(s, 2, fx, fy);

    p.BAN[tx][ty] = c;
    if (c == MAN_OU) {
        p.MAN_OU_X = tx;
        p.MAN_OU_Y = ty;
    }

    // A stand row that names no kind takes nothing from a hand.
    if (fx == COM_DROP_X) {
        p.MOCHI_COM_SU -= 1;
        if (fy >= HU && fy <= SYA) p.MOCHI_COM[fy] -= 1;
        描画_敵持盤(s);
    } else if (fx == MAN_DROP_X) {
        p.MOCHI_MAN_SU -= 1;
        if (fy - 2 >= HU && fy - 2 <= SYA) p.MOCHI_MAN[fy - 2] -= 1;
        描画_自持盤(s);
    } else {
        p.BAN[fx][fy] = EMPTY;
    }
    描画_絵(s, c, tx, ty);
    描画_桝輪郭(s, 2, tx, ty);
}

void 移動対象駒_移動(State& s, int fx, int fy, int tx, int ty) {
    const Step dir = 取得_進行方向(fx, fy, tx, ty);
    if (dir == Step{0, 0}) return;
    const int d = 取得_移動桝数(fx, fy, tx, ty);
    // Each piece of the line, walking back from the mover, goes d steps along dir.
    int x = fx, y = fy;
    while (s.pos.BAN[x][y] != EMPTY) {
        駒移動(s, x, y, x + dir.dx * d, y + dir.dy * d, s.pos.BAN[x][y]);
        x -= dir.dx;
        y -= dir.dy;
        if (!onBoard(x, y)) break;
    }
}

int 調査_駒成(State& s, int fx, int fy, int tx, int ty, int c) {
    if (fx == COM_DROP_X || fx == MAN_DROP_X) return OFF;
    bool can = false;
    switch (c) {
    case MAN_HU: case MAN_KYOU: case MAN_KEI: can = ty < 4; break;
    case MAN_GIN: case MAN_KAKU: case MAN_SYA: can = ty < 4 || fy < 4; break;
    case COM_HU: case COM_KYOU: case COM_KEI: can = ty > 6; break;
    case COM_GIN: case COM_KAKU: case COM_SYA: can = ty > 6 || fy > 6; break;
    default: break;
    }
    if (!can) return OFF;
    s.pos.NARI_KOMA = promotedCode(c);
    return ON;
}

int 移動後チェック(int ty, int c) {
    if ((c == COM_HU || c == COM_KYOU) && ty == 9) return OFF;
    if (c == COM_KEI && ty > 7) return OFF;
    if ((c == MAN_HU || c == MAN_KYOU) && ty == 1) return OFF;
    if (c == MAN_KEI && ty < 3) return OFF;
    return ON;
}

void 調査_2歩フラグ設定(State& s) {
    auto& p = s.pos;
    for (int x = 1; x <= 9; ++x) {
        p.NIFU_MAN[x] = 0;
        p.NIFU_COM[x] = 0;
        for (int y = 1; y <= 9; ++y) {
            if (p.BAN[x][y] == MAN_HU) p.NIFU_MAN[x] = 1;
            else if (p.BAN[x][y] == COM_HU) p.NIFU_COM[x] = 1;
        }
    }
}

int 調査_持駒数(const State& s, int teban) {
    if (teban == s.game.TEBAN_MAN) return handTotal(s.pos.MOCHI_MAN);
    if (teban == s.game.TEBAN_COM) return handTotal(s.pos.MOCHI_COM);
    return 0;
}

void 駒取得(State& s, int c) {
    if (c == COM_OU) {
        s.game.SHOUHAI = s.game.TEBAN_MAN;
    } else if (c == MAN_OU) {
        s.game.SHOUHAI = s.game.TEBAN_COM;
    } else if (isCom(c) && kindOf(c) <= SYA && c % 10 <= 1) {
        s.pos.MOCHI_MAN[kindOf(c)] += 1;  // a promoted piece goes to the hand unpromoted
    } else if (isMan(c) && kindOf(c) <= SYA && -c % 10 <= 1) {
        s.pos.MOCHI_COM[kindOf(c)] += 1;
    }
}
