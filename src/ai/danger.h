#pragma once

struct Analysis;
class Position;

// How safe a trial position is for COM.

// double: the amount to add to the score for threats to COM's pieces and king, new COM
// attacks on MAN's pieces and a fork by the moved piece `code` standing on (TX, TY).
double 盤評価_COM危険座標(Analysis& s, int code, int TX, int TY);

// double: 0 or `code`, the amount to subtract when the piece on (TX, TY) stands on a
// diagonal a MAN bishop could use to reach an aim square against COM's king.
double 盤評価_自角注意_COM(const Analysis& s, int TX, int TY, int code);

// int ON/OFF: is (x, y) reached from below along its column by a MAN lance, rook or
// dragon? BAN is unchanged on return.
int 調査_自守駒MAN_直進駒(Position& p, int x, int y);
