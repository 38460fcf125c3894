#pragma once
#include "core/constants.h"

// The board and the hands. Arrays that hold one value per square run 0..9; row and
// column 0 are never squares and stay 0.
struct Position {
    int BAN[10][10]{};
    int MOCHI_MAN[8]{};  // MAN's pieces in hand by kind 1..7
    int MOCHI_COM[8]{};
    int MOCHI_MAN_SU = 0;  // totals of the two hands
    int MOCHI_COM_SU = 0;
    int NIFU_MAN[10]{};  // 1 where the column holds an unpromoted pawn of that side
    int NIFU_COM[10]{};
    int MAN_OU_X = 0, MAN_OU_Y = 0;
    int COM_OU_X = 0, COM_OU_Y = 0;
    int NARI_KOMA = 0;  // promoted code found by the last 調査_駒成 that answered ON
};
