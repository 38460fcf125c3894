#pragma once

struct Analysis;

// Danger to MAN's king, judged for COM's evaluation. Both mate procedures read the maps
// of the last 勢力調査, which the caller must have run on the current board.

// ON if some COM piece could move onto MAN's king by 移動チェック (reads BAN directly).
int 詰めかMAN_COM移動(const Analysis& s);
// ON if MAN is judged mated. BAN is changed only for a moment and always restored.
int 詰めかMAN(Analysis& s);
// Number of free squares around MAN's king; each is marked 1 in s.turn.NIGEMICHI_BAN
// (never cleared here).
int 調査_自王逃道(Analysis& s);
