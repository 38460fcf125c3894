#pragma once

struct State;

// COM's whole turn: tries every board move and drop one ply deep (ai/search.h), plays the
// best one on the board and the screen, and hands the turn back to MAN.
void com_ban(State& s);

// COM has no board move and no drop: it resigns and the game ends.
inline constexpr const char* 投了メッセージ = "ｺﾝﾋﾟｭｰﾀは指す手がありません。あなたの勝ちです";
