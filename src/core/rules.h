#pragma once
#include <string_view>

struct State;

// The rule oracle: may the piece `c` go from (fx, fy) to (tx, ty)? Drops come from
// column 11 (MAN) or -1 (COM). Reads BAN and the two-pawn flags only.
int 移動チェック(const State& s, int fx, int fy, int tx, int ty, int c);
int 移動チェック飛車(const State& s, int fx, int fy, int tx, int ty);
int 移動チェック角(const State& s, int fx, int fy, int tx, int ty);

// Direction words as drawn: "上" is towards row 1, "左" towards column 1.
std::string_view 取得_進行方向(int fx, int fy, int tx, int ty);
std::string_view 取得_進行逆方向(int fx, int fy, int tx, int ty);
int 取得_移動桝数(int fx, int fy, int tx, int ty);
int 調査_駒存在(const State& s, int code);
