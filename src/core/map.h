#pragma once
#include <array>

// One value per square, indexed [x][y] 0..9: the board, a history board, an influence map,
// a snapshot of one. Row and column 0 are never squares and stay 0. Maps copy and compare
// whole with = and ==.
using Column = std::array<int, 10>;  // the values of one column x, by y
using Map = std::array<Column, 10>;

// The pieces of one hand by kind 1..7 (HU..SYA); index 0 stays 0.
using Hand = std::array<int, 8>;
