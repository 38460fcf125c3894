#pragma once
#include <string>
#include "play/state.h"

// Empties the board and both hands (the kings included).
inline void clearBoard(Position& p) { p.clear(); }

// Pieces on the board and in both hands, kings included.
inline int pieceCount(const Position& p) {
    int n = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) n += p.board()[x][y] != 0;
    for (int k = 1; k <= 7; ++k) n += p.manHand()[k] + p.comHand()[k];
    return n;
}

// The computer player's working state alone: no port, no game.
struct AiFixture {
    Position pos;
    Analysis s{pos};
};

// The rank label the handicap display shows for a level -10..10.
inline std::string handicapLabel(int level) {
    static const char* names[21] = {"名人", "８段", "７段", "６段", "５段", "４段", "３段",
                                    "２段", "初段", "１級", "２級", "３級", "４級", "５級",
                                    "６級", "７級", "８級", "９級", "10級", "11級", "12級"};
    return std::string("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:") + names[level + 10];
}
