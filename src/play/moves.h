#pragma once

struct State;

// Moves as the player sees them: the board change of core/moves.h with its drawing, and
// the game decided when a king is taken.

// Moves one piece (board move or drop), taking a captured piece into the capturer's hand.
void 駒移動(State& s, int fx, int fy, int tx, int ty, int c);
// Moves the piece on (fx, fy) to (tx, ty) with the unbroken line of pieces behind it.
void 移動対象駒_移動(State& s, int fx, int fy, int tx, int ty);
// A captured piece into the capturer's hand; a king decides the game instead.
void 駒取得(State& s, int c);
// The pieces in hand of the side with turn value teban; 0 for any other value.
int 調査_持駒数(const State& s, int teban);
