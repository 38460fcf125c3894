#pragma once
#include "ai/influence.h"
#include "ai/turn.h"
#include "core/position.h"

// The kings' squares as the computer reads them, which are not always where the kings stand:
// the influence survey writes each when its scan meets that king, and a move that places
// MAN's king writes MAN's; nothing else does. A king off the board keeps its last square
// (0, 0 before the first), and a trial that moves a king shows here only once surveyed.
// The evaluation reads them stale as they are; Position::king has the true squares.
struct KingsSeen {
    int MAN_OU_X = 0, MAN_OU_Y = 0;
    int COM_OU_X = 0, COM_OU_Y = 0;
};

// What the computer player works on: the game's position (it tries its moves there in place
// and takes them back), the kings as it last saw them, the influence maps of the last survey,
// what its turn keeps between candidates, and the strength level the evaluation obeys.
struct Analysis {
    explicit Analysis(Position& p) : pos(p) {}
    Analysis(const Analysis&) = delete;
    Analysis& operator=(const Analysis&) = delete;

    Position& pos;
    KingsSeen kingsSeen;
    Influence inf;
    Turn turn;
    int LEVEL_NO = 3;
};
