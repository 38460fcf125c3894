#include "core/moves.h"

#include "core/position.h"

int takeCaptured(Position& p, int tx, int ty) { return p.take(tx, ty); }

void placeMoved(Position& p, int fx, int fy, int tx, int ty, int c) {
    p.put(tx, ty, c);
    if (fx == COM_DROP_X)
        p.drop(Side::COM, fy);
    else if (fx == MAN_DROP_X)
        p.drop(Side::MAN, fy - 2);
    else
        p.put(fx, fy, EMPTY);
    checkConsistent(p);
}

void 駒移動(Position& p, int fx, int fy, int tx, int ty, int c) {
    takeCaptured(p, tx, ty);
    placeMoved(p, fx, fy, tx, ty, c);
}

void 移動対象駒_移動(Position& p, int fx, int fy, int tx, int ty) {
    forEachInMovingLine(p.board(), fx, fy, tx, ty,
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

void 調査_2歩フラグ設定(Position& p) { p.refreshTwoPawnFlags(); }
