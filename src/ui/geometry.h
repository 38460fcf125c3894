#pragma once

// The canvas unit is the twip (15 to a pixel at scale 1). Board cell (x, y) has its top-left
// corner at (1050 + 495x, 100 + 615y); x and y may be fractional or off the board.
inline constexpr double CELL_W = 495;
inline constexpr double CELL_H = 615;

constexpr double セル左(double x) { return 1050 + CELL_W * x; }
constexpr double セル上(double y) { return 100 + CELL_H * y; }
