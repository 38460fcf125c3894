#include "core/moves.h"

#include "core/position.h"

int takeCaptured(Position& p, int tx, int ty) {
    const int taken = p.BAN[tx][ty];
    // A king is taken into no hand, so it does not count in the hand totals.
    if (isMan(taken)) {
        if (taken != MAN_OU) p.MOCHI_COM_SU += 1;
        駒取得(p, taken);
    } else if (isCom(taken)) {
        if (taken != COM_OU) p.MOCHI_MAN_SU += 1;
        駒取得(p, taken);
    }
    return taken;
}

void placeMoved(Position& p, int fx, int fy, int tx, int ty, int c) {
    p.BAN[tx][ty] = c;
    if (c == MAN_OU) {
        p.MAN_OU_X = tx;
        p.MAN_OU_Y = ty;
    }
    if (fx == COM_DROP_X) {
        p.MOCHI_COM_SU -= 1;
        if (fy >= HU && fy <= SYA) p.MOCHI_COM[fy] -= 1;
    } else if (fx == MAN_DROP_X) {
        p.MOCHI_MAN_SU -= 1;
        if (fy - 2 >= HU && fy - 2 <= SYA) p.MOCHI_MAN[fy - 2] -= 1;
    } else {
        p.BAN[fx][fy] = EMPTY;
    }
}

void 駒移動(Position& p, int fx, int fy, int tx, int ty, int c) {
    takeCaptured(p, tx, ty);
    placeMoved(p, fx, fy, tx, ty, c);
}

void 移動対象駒_移動(Position& p, int fx, int fy, int tx, int ty) {
    forEachInMovingLine(p.BAN, fx, fy, tx, ty,
                        [&](int x, int y, int x2, int y2, int c) { 駒移動(p, x, y, x2, y2, c); });
}

Promotion 調査_駒成(int fx, int fy, int tx, int ty, int c) {
    if (fx == COM_DROP_X || fx == MAN_DROP_X) return {};
    bool can = false;
    switch (c) {
        case MAN_HU:
        case MAN_KYOU:
        case MAN_KEI: can = promotionZone(Side::MAN, ty); break;
        case MAN_GIN:
        case MAN_KAKU:
        case MAN_SYA: can = promotionZone(Side::MAN, ty) || promotionZone(Side::MAN, fy); break;
        case COM_HU:
        case COM_KYOU:
        case COM_KEI: can = promotionZone(Side::COM, ty); break;
        case COM_GIN:
        case COM_KAKU:
        case COM_SYA: can = promotionZone(Side::COM, ty) || promotionZone(Side::COM, fy); break;
        default: break;
    }
    if (!can) return {};
    return {true, promotedCode(c)};
}

int 移動後チェック(int ty, int c) {
    if ((c == COM_HU || c == COM_KYOU) && ty == 9) return OFF;
    if (c == COM_KEI && ty > 7) return OFF;
    if ((c == MAN_HU || c == MAN_KYOU) && ty == 1) return OFF;
    if (c == MAN_KEI && ty < 3) return OFF;
    return ON;
}

void 調査_2歩フラグ設定(Position& p) {
    for (int x = 1; x <= 9; ++x) {
        p.NIFU_MAN[x] = 0;
        p.NIFU_COM[x] = 0;
        for (int y = 1; y <= 9; ++y) {
            if (p.BAN[x][y] == MAN_HU)
                p.NIFU_MAN[x] = 1;
            else if (p.BAN[x][y] == COM_HU)
                p.NIFU_COM[x] = 1;
        }
    }
}

void 駒取得(Position& p, int c) {
    // A promoted piece goes to the hand unpromoted; a stray code goes nowhere.
    if (isCom(c) && kindOf(c) <= SYA && c % 10 <= 1) {
        p.MOCHI_MAN[kindOf(c)] += 1;
    } else if (isMan(c) && kindOf(c) <= SYA && -c % 10 <= 1) {
        p.MOCHI_COM[kindOf(c)] += 1;
    }
}

void 持駒数更新(Position& p) {
    p.MOCHI_MAN_SU = handTotal(p.MOCHI_MAN);
    p.MOCHI_COM_SU = handTotal(p.MOCHI_COM);
}
