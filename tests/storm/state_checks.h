#pragma once
#include <string>

// The game state as the storm sees it: the state header moves with the layered build.
#if __has_include("play/state.h")
#include "play/state.h"
#else
#include "core/state.h"
#endif

// What must hold after every event, whatever the player did. Answers "" when all holds,
// else what broke.
//
// Material: every piece of the starting position is on the board, in a hand or (a king)
// captured, minus the pieces the handicap ladder took away. The ladder removes the same
// kinds for either side, so each kind is counted by itself, colours together.
// History: the entries 1..SAISHU_TESU that 進 can show and 書込 writes are positions of the
// same game, so they hold the same material. Entry 0 is left out: a handicap step changes
// the board at move 0 and sets SAISHU_TESU to 0, and entry 0 is stored anew by the next move.
// Records read back are ones the storm wrote, so their positions hold the material of a game
// without handicap, which is what 初期設定 leaves before the reading (writing is refused
// after a handicap step or a reversal).
std::string stateFault(const State& s);
