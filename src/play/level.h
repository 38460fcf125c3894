#pragma once

class GameState;
class WindowPort;
struct Canvas;
struct State;

// Checks the menu item of level n (1..3) alone and makes n the strength `level`, shown in a
// game against COM.
void レベル_設定(Canvas& cv, WindowPort& menu, const GameState& g, int& level, int n);
void LEVEL1_Click(State& s);
void LEVEL2_Click(State& s);
void LEVEL3_Click(State& s);
