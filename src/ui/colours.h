#pragma once

// The sixteen standard colour numbers the port takes.
namespace colours {
inline constexpr int BLACK = 0;
inline constexpr int BLUE = 1;
inline constexpr int GREEN = 2;  // the plain cell outline
inline constexpr int CYAN = 3;
inline constexpr int RED = 4;
inline constexpr int MAGENTA = 5;
inline constexpr int BROWN = 6;
inline constexpr int LIGHT_GREY = 7;
inline constexpr int GREY = 8;
inline constexpr int LIGHT_BLUE = 9;
inline constexpr int LIGHT_GREEN = 10;
inline constexpr int LIGHT_CYAN = 11;
inline constexpr int LIGHT_RED = 12;  // the selected piece, hand counts, the record's title
inline constexpr int LIGHT_MAGENTA = 13;
inline constexpr int YELLOW = 14;  // board coordinates
inline constexpr int WHITE = 15;   // texts over their black shadow, guidance outlines
}  // namespace colours
