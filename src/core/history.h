#pragma once
#include <array>

#include "core/constants.h"
#include "core/map.h"

class GameState;
struct ModeTestSeam;

// Whole positions by move number 0..500: entry t is the position after t moves,
// with the two clocks before and after move t + 1.
struct History {
    std::array<Map, TESU_MAX + 1> BAN_RIREKI{};
    std::array<Hand, TESU_MAX + 1> MOCHI_MAN_RIREKI{};
    std::array<Hand, TESU_MAX + 1> MOCHI_COM_RIREKI{};
    std::array<float, TESU_MAX + 1> MAN_JIKAN_MAE{};
    std::array<float, TESU_MAX + 1> MAN_JIKAN_ATO{};
    std::array<float, TESU_MAX + 1> COM_JIKAN_MAE{};
    std::array<float, TESU_MAX + 1> COM_JIKAN_ATO{};
    int SAISHU_TESU() const { return last_; }  // move number of the last entry written

private:
    int last_ = 0;
    // The game's mode keeps it in step with the move counters.
    friend class GameState;
    friend struct ModeTestSeam;
};

class Position;

// The board and both hands into entry t, and back from it (the totals, kings and two-pawn
// flags worked out again). The one store and restore of a position; t must be 0..500.
void storePosition(History& h, int t, const Position& p);
void restorePosition(Position& p, const History& h, int t);

// The first square (x outer, y inner) that move t filled in the history, and its piece.
struct Arrival {
    bool found = false;
    int x = 0, y = 0, code = 0;
};
Arrival 調査_移動結果(const History& h, int t);
