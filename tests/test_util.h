#pragma once
#include "core/state.h"

// Empties the board and both hands (the kings included).
inline void clearBoard(State& s) {
    for (auto& col : s.pos.BAN)
        for (int& c : col) c = 0;
    for (int k = 0; k < 8; ++k) s.pos.MOCHI_MAN[k] = s.pos.MOCHI_COM[k] = 0;
    s.pos.MOCHI_MAN_SU = s.pos.MOCHI_COM_SU = 0;
}

// Pieces on the board and in both hands, kings included.
inline int pieceCount(const State& s) {
    int n = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) n += s.pos.BAN[x][y] != 0;
    for (int k = 1; k <= 7; ++k) n += s.pos.MOCHI_MAN[k] + s.pos.MOCHI_COM[k];
    return n;
}
