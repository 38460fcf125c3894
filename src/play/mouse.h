#pragma once

struct State;

// Puts every board outline back to the plain colour, then, with guidance on, outlines in
// `colour` each square the piece on (fromX, fromY) may reach. A stand cell as origin means
// a drop.
void 描画_移動可能桝色(State& s, int fromX, int fromY, int colour, int piece);
