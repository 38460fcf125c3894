#include "core/position.h"

#include <cstdio>
#include <cstdlib>

namespace {

bool isKing(int c) { return c == MAN_OU || c == COM_OU; }

}  // namespace

void Position::put(int x, int y, int c) {
    const int was = BAN[x][y];
    BAN[x][y] = c;
    if (was == MAN_HU || was == COM_HU || c == MAN_HU || c == COM_HU) recountPawns(x);
    if (c == MAN_OU) {
        MAN_OU_X = x;
        MAN_OU_Y = y;
    } else if (c == COM_OU) {
        COM_OU_X = x;
        COM_OU_Y = y;
    }
    // A king that leaves its square may have a twin elsewhere in a position set up by hand.
    if (isKing(was) && was != c) findKing(was);
}

int Position::take(int x, int y) {
    const int taken = BAN[x][y];
    // A promoted piece goes to the hand unpromoted; a king, or a code of no piece, to none.
    const int kind = kindOf(taken);
    if (kind >= HU && kind <= SYA && (isMan(taken) || isCom(taken))) {
        if (isMan(taken)) {
            MOCHI_COM[kind] += 1;
            MOCHI_COM_SU += 1;
        } else {
            MOCHI_MAN[kind] += 1;
            MOCHI_MAN_SU += 1;
        }
    }
    if (taken != EMPTY) put(x, y, EMPTY);
    return taken;
}

void Position::drop(Side side, int kind) {
    if (kind < HU || kind > SYA) return;
    if (side == Side::MAN) {
        MOCHI_MAN[kind] -= 1;
        MOCHI_MAN_SU = handTotal(MOCHI_MAN);
    } else {
        MOCHI_COM[kind] -= 1;
        MOCHI_COM_SU = handTotal(MOCHI_COM);
    }
}

void Position::setHand(Side side, int kind, int count) {
    if (kind < HU || kind > SYA) return;
    if (side == Side::MAN) {
        MOCHI_MAN[kind] = count;
        MOCHI_MAN_SU = handTotal(MOCHI_MAN);
    } else {
        MOCHI_COM[kind] = count;
        MOCHI_COM_SU = handTotal(MOCHI_COM);
    }
}

void Position::load(const Map& board, const Hand& man, const Hand& com) {
    BAN = board;
    MOCHI_MAN = man;
    MOCHI_COM = com;
    MOCHI_MAN_SU = handTotal(MOCHI_MAN);
    MOCHI_COM_SU = handTotal(MOCHI_COM);
    for (int x = 1; x <= 9; ++x) recountPawns(x);
    findKing(MAN_OU);
    findKing(COM_OU);
}

void Position::recountPawns(int x) {
    manPawns_[x] = 0;
    comPawns_[x] = 0;
    for (int y = 1; y <= 9; ++y) {
        if (BAN[x][y] == MAN_HU)
            manPawns_[x] = 1;
        else if (BAN[x][y] == COM_HU)
            comPawns_[x] = 1;
    }
}

void Position::findKing(int code) {
    Square found;
    for (int x = 1; x <= 9 && found.x == 0; ++x)
        for (int y = 1; y <= 9; ++y)
            if (BAN[x][y] == code) {
                found = {x, y};
                break;
            }
    if (code == MAN_OU) {
        MAN_OU_X = found.x;
        MAN_OU_Y = found.y;
    } else {
        COM_OU_X = found.x;
        COM_OU_Y = found.y;
    }
}

bool Position::consistent() const {
    if (MOCHI_MAN_SU != handTotal(MOCHI_MAN) || MOCHI_COM_SU != handTotal(MOCHI_COM)) return false;
    if (MOCHI_MAN[0] != 0 || MOCHI_COM[0] != 0) return false;
    for (int k = HU; k <= SYA; ++k)
        if (MOCHI_MAN[k] < 0 || MOCHI_COM[k] < 0) return false;
    for (int i = 0; i <= 9; ++i)
        if (BAN[0][i] != EMPTY || BAN[i][0] != EMPTY) return false;
    if (manPawns_[0] != 0 || comPawns_[0] != 0) return false;
    for (int x = 1; x <= 9; ++x) {
        int man = 0, com = 0;
        for (int y = 1; y <= 9; ++y) {
            man |= BAN[x][y] == MAN_HU;
            com |= BAN[x][y] == COM_HU;
        }
        if (manPawns_[x] != man || comPawns_[x] != com) return false;
    }
    for (const Side side : {Side::MAN, Side::COM}) {
        const int code = side == Side::MAN ? MAN_OU : COM_OU;
        const Square k = king(side);
        if (k == Square{}) {
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y)
                    if (BAN[x][y] == code) return false;
        } else if (!onBoard(k.x, k.y) || BAN[k.x][k.y] != code) {
            return false;
        }
    }
    return true;
}

void positionLost(const Position& p) {
    std::fprintf(stderr, "position out of step with its pieces; board by column:\n");
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) std::fprintf(stderr, " %3d", p.at(x, y));
        std::fprintf(stderr, "\n");
    }
    std::fprintf(stderr, "hands totals %d %d, kings (%d, %d) (%d, %d)\n", p.manHandTotal(),
                 p.comHandTotal(), p.king(Side::MAN).x, p.king(Side::MAN).y, p.king(Side::COM).x,
                 p.king(Side::COM).y);
    std::abort();
}
