#pragma once

// Flag answers of every yes/no procedure.
inline constexpr int ON = 1;
inline constexpr int OFF = 0;

// Turn values: the first player to move is +1.
inline constexpr int SENTE_BAN = 1;
inline constexpr int GOTE_BAN = -1;

inline constexpr int EMPTY = 0;
inline constexpr int BAN_MAX = 9;
inline constexpr int TESU_MAX = 500;  // last storable move number of the history

// Piece kinds; a code is sign * (kind * 10 + promoted), COM positive, MAN negative.
inline constexpr int HU = 1;
inline constexpr int KYOU = 2;
inline constexpr int KEI = 3;
inline constexpr int GIN = 4;
inline constexpr int KIN = 5;
inline constexpr int KAKU = 6;
inline constexpr int SYA = 7;
inline constexpr int OU = 8;

inline constexpr int COM_HU = 10, COM_TO = 11;
inline constexpr int COM_KYOU = 20, COM_NARIKYOU = 21;
inline constexpr int COM_KEI = 30, COM_NARIKEI = 31;
inline constexpr int COM_GIN = 40, COM_NARIGIN = 41;
inline constexpr int COM_KIN = 50, COM_NARIKIN = 51;
inline constexpr int COM_KAKU = 60, COM_UMA = 61;
inline constexpr int COM_SYA = 70, COM_RYU = 71;
inline constexpr int COM_OU = 80;

inline constexpr int MAN_HU = -10, MAN_TO = -11;
inline constexpr int MAN_KYOU = -20, MAN_NARIKYOU = -21;
inline constexpr int MAN_KEI = -30, MAN_NARIKEI = -31;
inline constexpr int MAN_GIN = -40, MAN_NARIGIN = -41;
inline constexpr int MAN_KIN = -50, MAN_NARIKIN = -51;
inline constexpr int MAN_KAKU = -60, MAN_UMA = -61;
inline constexpr int MAN_SYA = -70, MAN_RYU = -71;
inline constexpr int MAN_OU = -80;

// Off-board source columns of drops: MAN drops from (11, kind + 2), COM from (-1, kind).
inline constexpr int MAN_DROP_X = 11;
inline constexpr int COM_DROP_X = -1;

inline constexpr bool onBoard(int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9; }
