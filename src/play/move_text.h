#pragma once
#include "core/constants.h"

struct Canvas;

// Shows the move text of a move to square (x, y) beside the board of that side
// (COM's left, MAN's right), in the notation of record/notation.h.
void 描画_移動結果(Canvas& cv, Side side, int x, int y, int piece, int colour);
void 消去_移動結果(Canvas& cv, Side side);
