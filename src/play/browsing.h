#pragma once

struct State;

// 戻 and 進 step through the history one position at a time.
void REPLAY_Click(State& s);
void AFTER_Click(State& s);
// 局面 → 最初: back to the starting position, no game.
void CANCEL_Click(State& s);
// 局面 → 反転: the board half a turn round with the colours exchanged.
void REVERSE_Click(State& s);
