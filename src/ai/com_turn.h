#pragma once

struct State;

// COM's whole turn: tries every board move and drop one ply deep, plays the best one on
// the board and the screen, and hands the turn back to MAN.
void com_ban(State& s);

// The parts of the turn that choose the move, without drawing; the best candidate is left
// in s.turn.BEST_*. 候補探索 answers whether COM had any candidate at all.
void 思考準備(State& s);
bool 候補探索(State& s);

// COM has no board move and no drop: it resigns and the game ends.
inline constexpr const char* 投了メッセージ = "ｺﾝﾋﾟｭｰﾀは指す手がありません。あなたの勝ちです";
