#pragma once
#include "ai/influence.h"
#include "ai/turn.h"
#include "core/position.h"

// What the computer player works on: the game's position (it tries its moves there in place
// and takes them back), the influence maps of the last survey, what its turn keeps between
// candidates, and the strength level the evaluation obeys.
struct Analysis {
    explicit Analysis(Position& p) : pos(p) {}
    Analysis(const Analysis&) = delete;
    Analysis& operator=(const Analysis&) = delete;

    Position& pos;
    Influence inf;
    Turn turn;
    int LEVEL_NO = 3;
};
