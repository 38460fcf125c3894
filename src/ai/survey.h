#pragma once

struct Analysis;

// Rebuilds the influence maps s.inf from BAN alone and records where the two kings
// stand. Everything the evaluation knows about attacks comes from here.
void 勢力調査(Analysis& s);

// One ranging line or one gold-like piece added to the maps; only 勢力調査 calls these.
// The line walkers take the side from the sign of `code`.
void 勢力確定上直進(Analysis& s, int code, int x, int y);
void 勢力確定下直進(Analysis& s, int code, int x, int y);
void 勢力確定右直進(Analysis& s, int code, int x, int y);
void 勢力確定左直進(Analysis& s, int code, int x, int y);
void 勢力確定自金(Analysis& s, int code, int x, int y);
void 勢力確定敵金(Analysis& s, int x, int y);
void 勢力確定自角(Analysis& s, int x, int y);
void 勢力確定敵角(Analysis& s, int code, int x, int y);
