#pragma once

class DialogPort;
struct State;

inline constexpr int HANDE_LEVEL_MAX = 10;
inline constexpr int HANDE_LEVEL_MIN = -10;

// The square and piece of the step that reaches level (-9..10) going up: up to a level of 0
// or below MAN's piece is put back, above 0 COM's piece is taken away. Going down undoes it.
struct HandicapStep {
    int x, y, piece;
};
HandicapStep handicapStep(int level);

// Shows the handicap refusal of code 1 (record mode), 2 (game started), 3 (board reversed).
void 描画_メッセージ(DialogPort& dialog, int code);

// Handicap up and down, one piece per press.
void LBEL_UP_Click(State& s);
void LEBEL_DOWN_Click(State& s);
