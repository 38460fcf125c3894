#pragma once
// The game in progress, kept as a record file after every move, and the command that reads it
// back. Quitting, a crash or a signal then loses at most the move being made.
#include <string>

struct State;

// The kept game's bytes: a record file of entries 1..TESU, the last one the position on the
// board.
std::string 前回棋譜の内容(const State& s);

// Replaces the kept game after a move, when this program keeps one (places.keptGame). A move
// that cannot be kept is said once on standard error; the game goes on.
void 書込_前回棋譜(const State& s);

// "前回": reads the kept game back as a record, so that 進 steps through it and a game
// started from its last position plays on. Without one it is refused.
void KIFU_ZENKAI_Click(State& s);
