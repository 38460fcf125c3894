#pragma once

struct Canvas;
class Position;

// Puts every board outline back to the plain colour, then, with guidance on, outlines in
// `colour` each square the piece on (fromX, fromY) of p may reach. A stand cell as origin
// means a drop.
void 描画_移動可能桝色(Canvas& cv, const Position& p, int fromX, int fromY, int colour, int piece);
