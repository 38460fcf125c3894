#pragma once
#include "core/position.h"

// A trial on the board in place: one square holds `value` for the guard's lifetime and is put
// back on every way out. Only the square changes: the hands, their totals, the kings' squares
// and the two-pawn flags stay those of the position before the trial, which is what the
// computer reads while it weighs a candidate.
class TrialSquare {
public:
    TrialSquare(Position& p, int x, int y, int value) : p_(p), x_(x), y_(y), kept_(p.BAN[x][y]) {
        p.BAN[x][y] = value;
    }
    ~TrialSquare() { p_.BAN[x_][y_] = kept_; }
    TrialSquare(const TrialSquare&) = delete;
    TrialSquare& operator=(const TrialSquare&) = delete;

private:
    Position& p_;
    int x_, y_, kept_;
};
