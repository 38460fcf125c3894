#pragma once
#include "play/clock.h"
#include "play/game.h"
#include "ui/drawing.h"

// The whole window redrawn from the game: background, labels, both stands, the board, the
// clocks, the level (of strength `level`) and handicap labels, the title.
void 画面_再描画(Canvas& cv, const Position& p, const GameState& g, const Clock& c, int level);
