#pragma once
#include "play/state.h"

// Empties the board and both hands (the kings included).
inline void clearBoard(Position& p) {
    p.BAN = {};
    p.MOCHI_MAN = {};
    p.MOCHI_COM = {};
    p.MOCHI_MAN_SU = p.MOCHI_COM_SU = 0;
}

// Pieces on the board and in both hands, kings included.
inline int pieceCount(const Position& p) {
    int n = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) n += p.BAN[x][y] != 0;
    for (int k = 1; k <= 7; ++k) n += p.MOCHI_MAN[k] + p.MOCHI_COM[k];
    return n;
}

// The computer player's working state alone: no port, no game.
struct AiFixture {
    Analysis s;
};
