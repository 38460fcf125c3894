#pragma once
#include "core/pieces.h"

// Flag answers of every yes/no procedure.
inline constexpr int ON = 1;
inline constexpr int OFF = 0;

// Turn values: the first player to move is +1.
inline constexpr int SENTE_BAN = 1;
inline constexpr int GOTE_BAN = -1;

inline constexpr int EMPTY = 0;
inline constexpr int BAN_MAX = 9;
inline constexpr int TESU_MAX = 500;  // last storable move number of the history

// The two sides: the player at the bottom and the computer (or the second player) at the top.
enum class Side { MAN, COM };

// The side a piece on the board belongs to.
inline constexpr Side ownerOf(int code) { return isCom(code) ? Side::COM : Side::MAN; }

// Off-board source columns of drops: MAN drops from (11, kind + 2), COM from (-1, kind).
inline constexpr int MAN_DROP_X = 11;
inline constexpr int COM_DROP_X = -1;

inline constexpr bool onBoard(int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9; }
