#pragma once

struct State;

// Rebuilds the influence maps s.inf from BAN alone and records where the two kings
// stand. Everything the evaluation knows about attacks comes from here.
void 勢力調査(State& s);

// One ranging line or one gold-like piece added to the maps; only 勢力調査 calls these.
// The line walkers take the side from the sign of `code`.
void 勢力確定上直進(State& s, int code, int x, int y);
void 勢力確定下直進(State& s, int code, int x, int y);
void 勢力確定右直進(State& s, int code, int x, int y);
void 勢力確定左直進(State& s, int code, int x, int y);
void 勢力確定自金(State& s, int code, int x, int y);
void 勢力確定敵金(State& s, int x, int y);
void 勢力確定自角(State& s, int x, int y);
void 勢力確定敵角(State& s, int code, int x, int y);
