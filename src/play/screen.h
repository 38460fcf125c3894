#pragma once
#include "play/state.h"
#include "ui/drawing.h"

// The whole window redrawn from the state: background, labels, both stands, the board, the
// clocks, the level and handicap labels, the title.
void 画面_再描画(State& s);

// The board and the stands of the game's own position.
inline void 描画_盤(State& s) { 描画_盤(s, s.pos); }
inline void 描画_自持盤(State& s) { 描画_自持盤(s, s.pos); }
inline void 描画_敵持盤(State& s) { 描画_敵持盤(s, s.pos); }
