#pragma once
#include <functional>

struct Analysis;
struct Move;

// Sees each candidate and the score 盤評価 gave it, as it is weighed.
using ScoreWatch = std::function<void(const Move&, double)>;

// How COM chooses its move: every board move and drop is made on the board in place, surveyed,
// scored by 盤評価 and taken back; the best candidate is left in s.turn.BEST_*.

// Takes the snapshots and the once-per-turn surveys the trials compare against.
void 思考準備(Analysis& s);
// Tries every candidate. tick runs before each origin column and each kind in hand (the game
// keeps its clock moving with it); watch sees every score. Answers whether COM had any
// candidate at all.
bool 候補探索(Analysis& s, const std::function<void()>& tick = {}, const ScoreWatch& watch = {});
