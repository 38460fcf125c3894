#pragma once

struct State;

// Moves one piece (board move or drop), taking a captured piece into the capturer's hand.
void 駒移動(State& s, int fx, int fy, int tx, int ty, int c);
// Moves the piece on (fx, fy) to (tx, ty) with the unbroken line of pieces behind it.
void 移動対象駒_移動(State& s, int fx, int fy, int tx, int ty);
int 調査_駒成(State& s, int fx, int fy, int tx, int ty, int c);
int 移動後チェック(int ty, int c);
void 調査_2歩フラグ設定(State& s);
int 調査_持駒数(const State& s, int teban);
void 駒取得(State& s, int c);
