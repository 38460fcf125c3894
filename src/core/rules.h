#pragma once

struct Position;

// The rule oracle: may the piece `c` go from (fx, fy) to (tx, ty)? Drops come from
// column 11 (MAN) or -1 (COM). Reads BAN and the two-pawn flags only.
int 移動チェック(const Position& p, int fx, int fy, int tx, int ty, int c);
int 移動チェック飛車(const Position& p, int fx, int fy, int tx, int ty);
int 移動チェック角(const Position& p, int fx, int fy, int tx, int ty);

// The direction of travel as one step: the signs of the displacement, {0, 0} for the same
// square. dy = -1 is towards row 1, dx = -1 towards column 1.
struct Step {
    int dx, dy;
    friend constexpr bool operator==(Step, Step) = default;
};
constexpr Step 取得_進行方向(int fx, int fy, int tx, int ty) {
    return {(tx > fx) - (tx < fx), (ty > fy) - (ty < fy)};
}
int 取得_移動桝数(int fx, int fy, int tx, int ty);
int 調査_駒存在(const Position& p, int code);
