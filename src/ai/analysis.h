#pragma once
#include "ai/influence.h"
#include "ai/turn.h"
#include "core/position.h"

// What the computer player works on: the position, the influence maps of the last survey,
// what its turn keeps between candidates, and the strength level the evaluation obeys.
struct Analysis {
    Position pos;
    Influence inf;
    Turn turn;
    int LEVEL_NO = 3;
};
