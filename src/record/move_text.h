#pragma once
#include <string_view>

struct State;

// The texts of the move notation: 1..9 full-width file digits, 1001..1009 kanji row
// numerals, a piece code its piece name; anything else the empty text.
std::string_view 文字列変換(int code);

// Shows the move text of a move to square (x, y) beside the board of that side
// (TEBAN_COM left, TEBAN_MAN right).
void 描画_移動結果(State& s, int side, int x, int y, int piece, int colour);
void 消去_移動結果(State& s, int side);
