#pragma once
#include "core/map.h"

struct Analysis;

// The last stage of 盤評価: the terms chosen by the code now standing on (tx, ty).
// Takes the score reached so far and returns the final score (several terms end the
// evaluation early; nothing follows this stage, so that is simply the return value).
double pieceTerms(Analysis& s, double score, int captured, int placed, int fx, int fy, int tx,
                  int ty);

// A square of a 0..9 map, or 0 when (x, y) lies outside the array: some terms name
// squares (an attacker's source, a drop's stand cell) that are not always on the board.
inline int cellOf(const Map& map, int x, int y) {
    return (x >= 0 && x <= 9 && y >= 0 && y <= 9) ? map[x][y] : 0;
}
