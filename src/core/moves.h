#pragma once
#include "core/constants.h"
#include "core/map.h"
#include "core/rules.h"

class Position;

// Making moves on the board and the hands, without drawing. The game's own 駒移動 and
// 移動対象駒_移動 (play/moves.h) are these with their drawing.

// The capture half of a move: a piece on (tx, ty) goes to the capturer's hand (a king to
// none). Answers the code that stood there.
int takeCaptured(Position& p, int tx, int ty);
// The placing half: c on (tx, ty), the source emptied or, for a drop, the hand lowered.
// A stand row that names no kind takes nothing from a hand.
void placeMoved(Position& p, int fx, int fy, int tx, int ty, int c);

// Moves one piece (board move or drop), taking a captured piece into the capturer's hand.
void 駒移動(Position& p, int fx, int fy, int tx, int ty, int c);
// Moves the piece on (fx, fy) to (tx, ty) with the unbroken line of pieces behind it.
void 移動対象駒_移動(Position& p, int fx, int fy, int tx, int ty);

// The one exception to the following rule: a knight jumps, and the pieces behind it stay.
constexpr bool jumpsAlone(int piece) { return piece == MAN_KEI || piece == COM_KEI; }

// The line of a move: calls moveOne(x, y, x2, y2, code) for the piece on (fx, fy) and then
// each piece behind it, nearest first, up to the first empty square or the edge; each goes
// the mover's displacement along the direction of travel. The board is read again after
// every call, as the pieces go one by one.
template <class MoveOne>
void forEachInMovingLine(const Map& ban, int fx, int fy, int tx, int ty, MoveOne&& moveOne) {
    const Step dir = 取得_進行方向(fx, fy, tx, ty);
    if (dir == Step{0, 0}) return;
    const int d = 取得_移動桝数(fx, fy, tx, ty);
    int x = fx, y = fy;
    while (ban[x][y] != EMPTY) {
        moveOne(x, y, x + dir.dx * d, y + dir.dy * d, ban[x][y]);
        x -= dir.dx;
        y -= dir.dy;
        if (!onBoard(x, y)) break;
    }
}

// Whether c may promote moving from (fx, fy) to (tx, ty), and what it becomes.
struct Promotion {
    bool may = false;
    int code = 0;  // the promoted code when it may
};
Promotion 調査_駒成(int fx, int fy, int tx, int ty, int c);
// OFF when c could never move again from row ty unpromoted.
int 移動後チェック(int ty, int c);
// The two-pawn flags the rules read brought up to the pieces (Position::twoPawnFlag).
void 調査_2歩フラグ設定(Position& p);
