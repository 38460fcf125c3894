#pragma once
#include <cmath>

#include "core/constants.h"
#include "core/pieces.h"

// The one cell geometry of the canvas. The canvas unit is the twip (15 to a pixel at scale 1).
// Board cell (x, y) has its top-left corner at (1050 + 495x, 100 + 615y); x and y may be
// fractional or off the board: the stands are columns -1 and 11, the margins go on beyond.
inline constexpr double GRID_LEFT = 1050;
inline constexpr double GRID_TOP = 100;
inline constexpr double CELL_W = 495;
inline constexpr double CELL_H = 615;

constexpr double セル左(double x) { return GRID_LEFT + CELL_W * x; }
constexpr double セル上(double y) { return GRID_TOP + CELL_H * y; }
// The middle of a cell, where a click on it lands.
constexpr double cellMiddleX(double x) { return セル左(x + 0.5); }
constexpr double cellMiddleY(double y) { return セル上(y + 0.5); }

namespace geometry_detail {
inline int cellAt(double twips, double origin, double size) {
    const double c = std::floor((twips - origin) / size);
    if (!std::isfinite(c) || c < -1000 || c > 1000) return -1000;
    return static_cast<int>(c);
}
}  // namespace geometry_detail

// The inverse: the column or row of the cell that holds a point in twips. Anything absurd (not
// a number, far off) lands far off the board, at -1000.
inline int cellColumn(double x) { return geometry_detail::cellAt(x, GRID_LEFT, CELL_W); }
inline int cellRow(double y) { return geometry_detail::cellAt(y, GRID_TOP, CELL_H); }

struct Cell {
    int x = 0, y = 0;
    friend constexpr bool operator==(const Cell&, const Cell&) = default;
};

// Where a kind in hand (HU..SYA) stands: MAN's stand right of the board, kind 1 on row 3 and on
// down; COM's left of it the other way up, kind 1 on row 7 and on up.
constexpr Cell standCell(Side side, int kind) {
    return side == Side::MAN ? Cell{MAN_DROP_X, kind + 2} : Cell{COM_DROP_X, 8 - kind};
}
// The kind a stand cell holds, or 0 for a cell that is no place of a kind on a stand.
constexpr int kindAtStand(int col, int row) {
    const int kind = col == MAN_DROP_X ? row - 2 : col == COM_DROP_X ? 8 - row : 0;
    return kind >= HU && kind <= SYA ? kind : 0;
}
