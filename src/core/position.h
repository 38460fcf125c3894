#pragma once
#include "core/constants.h"
#include "core/map.h"

// The board and the hands.
struct Position {
    Map BAN{};
    Hand MOCHI_MAN{};  // MAN's pieces in hand by kind 1..7
    Hand MOCHI_COM{};
    int MOCHI_MAN_SU = 0;  // totals of the two hands
    int MOCHI_COM_SU = 0;
    std::array<int, 10> NIFU_MAN{};  // 1 where column 1..9 holds an unpromoted pawn of that side
    std::array<int, 10> NIFU_COM{};
    int MAN_OU_X = 0, MAN_OU_Y = 0;
    int COM_OU_X = 0, COM_OU_Y = 0;
};

// The number of pieces in a hand: the positive counts of kinds 1..7.
inline int handTotal(const Hand& hand) {
    int n = 0;
    for (int k = HU; k <= SYA; ++k)
        if (hand[k] > 0) n += hand[k];
    return n;
}
