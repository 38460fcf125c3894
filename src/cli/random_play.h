#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/position.h"

// MAN's legal moves in the engine's `man` command form ("FX FY TX TY [promote]"), in board
// scan order, then drops. Used to drive games from a fixed seed in tests and benchmarks.
std::vector<std::string> 合法手一覧_MAN(Position& p);

// A small deterministic generator, the same on every platform.
struct Rng {
    std::uint64_t state;
    explicit Rng(std::uint64_t seed) : state(seed * 2654435761u + 1) {}
    std::uint32_t next() {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(state >> 33);
    }
    std::size_t below(std::size_t n) { return n == 0 ? 0 : next() % n; }
};
