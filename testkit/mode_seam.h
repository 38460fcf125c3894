#pragma once
#include "play/game.h"

// Tests set the game's mode here to reach a situation directly that the transitions would take
// many moves to reach. The game itself never comes through this door.
struct ModeTestSeam {
    static auto& of(GameState& g) { return g.f_; }
    static int& SAISHU_TESU(History& h) { return h.last_; }
};
