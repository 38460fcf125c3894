#pragma once
#include <string_view>

// The texts of the move notation: 1..9 full-width file digits, 1001..1009 kanji row
// numerals, a piece code its piece name; anything else the empty text.
std::string_view 文字列変換(int code);
