#pragma once

struct Analysis;

// Scores the trial position COM's turn has just made on BAN and surveyed with 勢力調査;
// higher is better for COM. captured: the code that stood on (tx, ty) before the trial
// (0 for a drop); placed: the code now on (tx, ty). A drop comes from (-1, kind).
// BAN is left exactly as it was found.
double 盤評価(Analysis& s, int captured, int placed, int fx, int fy, int tx, int ty);
