#pragma once

struct Analysis;
class Position;

// Small questions the evaluation asks about single squares, and the two whole-board
// maps COM's turn prepares once before its trial loop. All read BAN and the influence
// maps of the last 勢力調査.

// int: safe destinations (count 0..81) of a piece `code` standing on (x, y); safe means
// the other side does not reach the square.
int 調査_移動可場所数(const Analysis& s, int x, int y, int code);

// int: minus the number of COM bishops, horses, rooks, dragons and kings next to (x, y).
int 調査_周辺状況(const Position& p, int x, int y);

// double: value of the MAN major piece a COM knight dropped beside (x, y) would fork.
double 調査_桂狙い(const Analysis& s, int x, int y);

// double: value of the first piece down the column that a COM lance on (x, y) would reach.
double 調査_香狙い(const Analysis& s, int x, int y);

// void: rewrites s.turn.MOCHIKAKU_NERAI.
void 調査_持角狙座標(Analysis& s);

// void: rewrites s.turn.IDOU_FUKA_MAN and s.turn.IDOU_FUKA_COM_ARI. BAN is unchanged
// on return.
void 調査_移動不可駒(Analysis& s);
