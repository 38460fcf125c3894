#pragma once
#include "core/map.h"

// Puts one square of a map back as it was when the guard goes out of scope, so that a trial
// that changes the board in place is undone on every way out of it.
class SquareGuard {
public:
    SquareGuard(Map& map, int x, int y) : map_(map), x_(x), y_(y), kept_(map[x][y]) {}
    // Keeps the square and puts `value` there for the guard's lifetime.
    SquareGuard(Map& map, int x, int y, int value) : SquareGuard(map, x, y) { map[x][y] = value; }
    ~SquareGuard() { map_[x_][y_] = kept_; }
    SquareGuard(const SquareGuard&) = delete;
    SquareGuard& operator=(const SquareGuard&) = delete;

private:
    Map& map_;
    int x_, y_, kept_;
};
