#pragma once

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

// A COM or MAN piece. Only these compare with the pawn's code: a stray value 1..9 on a
// square is neither side's piece.
constexpr bool isCom(int c) { return c >= COM_HU; }
constexpr bool isMan(int c) { return c <= MAN_HU; }

constexpr int kindOf(int c) { return (c < 0 ? -c : c) / 10; }
constexpr bool isPromoted(int c) { return (c < 0 ? -c : c) % 10 == 1; }
// The unpromoted piece of a kind, as it is dropped.
constexpr int comCode(int kind) { return kind * 10; }
constexpr int manCode(int kind) { return -kind * 10; }
// The promoted code of an unpromoted piece of either side.
constexpr int promotedCode(int c) { return c < 0 ? c - 1 : c + 1; }

// A code that can stand on a square: empty, or a piece of either side; a gold or a king
// is never promoted.
constexpr bool isPieceCode(int c) {
    if (c == 0) return true;
    if (c < -100 || c > 100) return false;
    const int a = c < 0 ? -c : c;
    const int kind = a / 10, promoted = a % 10;
    if (kind < HU || kind > OU || promoted > 1) return false;
    return promoted == 0 || (kind != KIN && kind != OU);
}

static_assert(isCom(COM_HU) && isCom(COM_OU) && !isCom(0) && !isCom(9) && !isCom(MAN_HU));
static_assert(isMan(MAN_HU) && isMan(MAN_OU) && !isMan(0) && !isMan(-9) && !isMan(COM_HU));
static_assert(kindOf(COM_RYU) == SYA && kindOf(MAN_TO) == HU && kindOf(MAN_OU) == OU);
static_assert(isPromoted(MAN_UMA) && isPromoted(COM_NARIGIN) && !isPromoted(COM_KAKU));
static_assert(comCode(KEI) == COM_KEI && manCode(KEI) == MAN_KEI && comCode(OU) == -manCode(OU));
static_assert(promotedCode(COM_SYA) == COM_RYU && promotedCode(MAN_HU) == MAN_TO);
static_assert(isPieceCode(0) && isPieceCode(MAN_RYU) && isPieceCode(COM_OU));
static_assert(!isPieceCode(COM_NARIKIN) && !isPieceCode(MAN_NARIKIN) && !isPieceCode(81));
static_assert(!isPieceCode(5) && !isPieceCode(90) && !isPieceCode(12) && !isPieceCode(-999));
