#pragma once
#include "core/constants.h"
#include "core/moves.h"
#include "core/position.h"
#include "core/rules.h"

// One move: a piece from a board square, or a kind from a hand, to a square. A drop comes
// from the side's stand column, in the row the rule oracle takes (MAN kind + 2, COM kind).
struct Move {
    int fx = 0, fy = 0;
    int tx = 0, ty = 0;
    int code = 0;  // what stands on (tx, ty) afterwards: the promoted code when promoting
    bool promote = false;

    bool isDrop() const { return fx == MAN_DROP_X || fx == COM_DROP_X; }
    int droppedKind() const { return fx == MAN_DROP_X ? fy - 2 : fy; }
    // The code that sets out, before any promotion.
    int piece() const { return promote ? (code < 0 ? code + 1 : code - 1) : code; }
    friend bool operator==(const Move&, const Move&) = default;
};

// The travel of a move, piece by piece, through moveOne(x, y, x2, y2, code): a piece that
// promotes turns over where it stands first, so that only the mover promotes; a drop, and a
// knight, go alone; any other piece takes the unbroken line behind it along.
template <class MoveOne>
void forEachTravelling(Position& p, const Move& m, MoveOne&& moveOne) {
    if (m.isDrop()) {
        moveOne(m.fx, m.fy, m.tx, m.ty, m.code);
        return;
    }
    if (m.promote) p.put(m.fx, m.fy, m.code);
    if (jumpsAlone(m.piece()))
        moveOne(m.fx, m.fy, m.tx, m.ty, m.code);
    else
        forEachInMovingLine(p.board(), m.fx, m.fy, m.tx, m.ty, moveOne);
}

// A legal move made on the position, without drawing.
inline void makeMove(Position& p, const Move& m) {
    forEachTravelling(p, m,
                      [&p](int x, int y, int x2, int y2, int c) { 駒移動(p, x, y, x2, y2, c); });
}

namespace legal_moves_detail {
struct NoTick {
    void operator()() const {}
};
}  // namespace legal_moves_detail

// Visits every legal move of a side in the order COM tries its candidates: board origins
// column by column (x 1..9, then y 1..9), for each every destination the same way, the move
// that stays unpromoted before the one that promotes; then, when the side holds anything,
// drops by kind 1..7, each square x then y. `tick` runs before each origin column and, when
// the hand is not empty, before each kind. `visit(const Move&)` answers true to stop; the
// answer is whether it stopped. The two-pawn flags must be fresh. The visitor may change the
// board if it puts it back before it returns; nothing is allocated.
template <class Visit, class Tick = legal_moves_detail::NoTick>
bool forEachLegalMove(const Position& p, Side side, Visit&& visit, Tick&& tick = {}) {
    const bool man = side == Side::MAN;
    for (int fx = 1; fx <= 9; ++fx) {
        tick();
        for (int fy = 1; fy <= 9; ++fy) {
            const int c = p.at(fx, fy);
            if (man ? !isMan(c) : !isCom(c)) continue;
            for (int tx = 1; tx <= 9; ++tx)
                for (int ty = 1; ty <= 9; ++ty) {
                    if (移動チェック(p, fx, fy, tx, ty, c) != ON) continue;
                    const Promotion pr = 調査_駒成(fx, fy, tx, ty, c);
                    if (移動後チェック(ty, c) == ON && visit(Move{fx, fy, tx, ty, c, false}))
                        return true;
                    if (pr.may && visit(Move{fx, fy, tx, ty, pr.code, true})) return true;
                }
        }
    }
    if (p.handTotalOf(side) <= 0) return false;
    const Hand& hand = p.hand(side);
    const int fx = man ? MAN_DROP_X : COM_DROP_X;
    for (int k = HU; k <= SYA; ++k) {
        tick();
        if (hand[k] <= 0) continue;
        const int code = man ? manCode(k) : comCode(k);
        const int fy = man ? k + 2 : k;
        for (int tx = 1; tx <= 9; ++tx)
            for (int ty = 1; ty <= 9; ++ty)
                if (移動チェック(p, fx, fy, tx, ty, code) == ON &&
                    visit(Move{fx, fy, tx, ty, code, false}))
                    return true;
    }
    return false;
}
