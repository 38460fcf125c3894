#pragma once

struct State;

// Checks the menu item of level n (1..3) alone and makes n the strength level.
void レベル_設定(State& s, int n);
void LEVEL1_Click(State& s);
void LEVEL2_Click(State& s);
void LEVEL3_Click(State& s);
