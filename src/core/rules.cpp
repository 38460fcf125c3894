#include "core/rules.h"

#include <cstdlib>

#include "core/position.h"

int 移動チェック(const Position& p, int fx, int fy, int tx, int ty, int c) {
    const Map& BAN = p.board();
    if (tx < 1 || tx > 9 || ty < 1 || ty > 9) return OFF;
    if (fx == tx && fy == ty) return OFF;
    if (isCom(c) && isCom(BAN[tx][ty])) return OFF;
    if (isMan(c) && isMan(BAN[tx][ty])) return OFF;
    const bool drop = fx < 1 || fx > 9;
    if (drop && BAN[tx][ty] != EMPTY) return OFF;
    // Only the two stand columns are sources off the board; anything else is no move.
    if (fx != MAN_DROP_X && fx != COM_DROP_X && !onBoard(fx, fy)) return OFF;

    if (fx == MAN_DROP_X || fx == COM_DROP_X) {
        if (c == MAN_HU && p.twoPawnFlag(Side::MAN, tx)) return OFF;
        if (c == COM_HU && p.twoPawnFlag(Side::COM, tx)) return OFF;
        if (c != MAN_HU && c != COM_HU && c != MAN_KYOU && c != COM_KYOU && c != MAN_KEI &&
            c != COM_KEI)
            return ON;
    }

    const int dx = tx - fx;
    const int dy = ty - fy;
    switch (c) {
        case COM_HU:
            if (fx != COM_DROP_X) return stepsTo(c, dx, dy) ? ON : OFF;
            return ty != 9 ? ON : OFF;
        case COM_KYOU:
            if (fx != COM_DROP_X) {
                if (dx != 0 || dy < 1) return OFF;
                for (int y = fy + 1; y <= ty - 1; ++y)
                    if (BAN[tx][y] != EMPTY) return OFF;
                return ON;
            }
            return ty != 9 ? ON : OFF;
        case COM_KEI:
            if (fx != COM_DROP_X) return stepsTo(c, dx, dy) ? ON : OFF;
            return ty <= 7 ? ON : OFF;
        case COM_GIN:
        case COM_TO:
        case COM_NARIKYOU:
        case COM_NARIKEI:
        case COM_NARIGIN:
        case COM_KIN: return stepsTo(c, dx, dy) ? ON : OFF;
        case COM_KAKU:
        case MAN_KAKU: return 移動チェック角(p, fx, fy, tx, ty);
        case COM_UMA:
        case MAN_UMA: return stepsTo(c, dx, dy) ? ON : 移動チェック角(p, fx, fy, tx, ty);
        case COM_SYA:
        case MAN_SYA: return 移動チェック飛車(p, fx, fy, tx, ty);
        case COM_RYU:
        case MAN_RYU: return stepsTo(c, dx, dy) ? ON : 移動チェック飛車(p, fx, fy, tx, ty);
        case COM_OU:
        case MAN_OU: return stepsTo(c, dx, dy) ? ON : OFF;
        case MAN_HU:
            if (fx != MAN_DROP_X) return stepsTo(c, dx, dy) ? ON : OFF;
            return ty != 1 ? ON : OFF;
        case MAN_KYOU:
            if (fx != MAN_DROP_X) {
                if (dx != 0 || dy > -1) return OFF;
                for (int y = fy - 1; y >= ty + 1; --y)
                    if (BAN[tx][y] != EMPTY) return OFF;
                return ON;
            }
            return ty != 1 ? ON : OFF;
        case MAN_KEI:
            if (fx != MAN_DROP_X) return stepsTo(c, dx, dy) ? ON : OFF;
            return ty >= 3 ? ON : OFF;
        case MAN_GIN:
        case MAN_TO:
        case MAN_NARIKYOU:
        case MAN_NARIKEI:
        case MAN_NARIGIN:
        case MAN_KIN: return stepsTo(c, dx, dy) ? ON : OFF;
        default: return ON;
    }
}

int 移動チェック飛車(const Position& p, int fx, int fy, int tx, int ty) {
    const Map& BAN = p.board();
    if (fx != tx && fy != ty) return OFF;
    if (fy != ty) {
        const int step = ty > fy ? 1 : -1;
        for (int y = fy + step; y != ty; y += step)
            if (BAN[tx][y] != EMPTY) return OFF;
    }
    if (fx != tx) {
        const int step = tx > fx ? 1 : -1;
        for (int x = fx + step; x != tx; x += step)
            if (BAN[x][ty] != EMPTY) return OFF;
    }
    return ON;
}

int 移動チェック角(const Position& p, int fx, int fy, int tx, int ty) {
    const Map& BAN = p.board();
    if (fx - fy != tx - ty && tx - fx != fy - ty) return OFF;
    if (tx - fx == fy - ty) {
        if (fy > ty) {
            for (int i = 1; fx + i < tx; ++i)
                if (BAN[fx + i][fy - i] != EMPTY) return OFF;
        } else {
            for (int i = 1; fx - i > tx; ++i)
                if (BAN[fx - i][fy + i] != EMPTY) return OFF;
        }
    } else {
        if (fy > ty) {
            for (int i = 1; fx - i > tx; ++i)
                if (BAN[fx - i][fy - i] != EMPTY) return OFF;
        } else {
            for (int i = 1; fx + i < tx; ++i)
                if (BAN[fx + i][fy + i] != EMPTY) return OFF;
        }
    }
    return ON;
}

void reverseBoard(Position& p) {
    Map turned{};
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int v = p.at(x, y);
            turned[10 - x][10 - y] = isMan(v) || isCom(v) ? -v : EMPTY;
        }
    const Hand man = p.manHand(), com = p.comHand();
    p.load(turned, com, man);
}

int 取得_移動桝数(int fx, int fy, int tx, int ty) {
    const int dx = std::abs(tx - fx);
    const int dy = std::abs(ty - fy);
    return dx > dy ? dx : dy;
}

int 調査_駒存在(const Position& p, int code) {
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x)
            if (p.at(x, y) == code) return ON;
    return OFF;
}
