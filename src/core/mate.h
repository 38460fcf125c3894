#pragma once

struct State;

// Danger to MAN's king, judged for COM's evaluation. Both mate procedures read the maps
// of the last 勢力調査, which the caller must have run on the current board.

// ON if some COM piece could move onto MAN's king by 移動チェック (reads BAN directly).
int 詰めかMAN_COM移動(State& s);
// ON if MAN is judged mated. BAN is changed only for a moment and always restored.
int 詰めかMAN(State& s);
// Number of free squares around MAN's king; each is marked 1 in s.turn.NIGEMICHI_BAN
// (never cleared here).
int 調査_自王逃道(State& s);
// The first square (x outer, y inner) that move t filled in the history; x, y, code are
// left untouched when there is none.
void 調査_移動結果(const State& s, int t, int& x, int& y, int& code);
