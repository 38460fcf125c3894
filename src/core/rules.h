#pragma once
#include <array>

#include "core/constants.h"
#include "core/pieces.h"

class Position;

// The rule oracle: may the piece `c` go from (fx, fy) to (tx, ty)? Drops come from
// column 11 (MAN) or -1 (COM). Reads BAN and the two-pawn flags only.
int 移動チェック(const Position& p, int fx, int fy, int tx, int ty, int c);
int 移動チェック飛車(const Position& p, int fx, int fy, int tx, int ty);
int 移動チェック角(const Position& p, int fx, int fy, int tx, int ty);

// The direction of travel as one step: the signs of the displacement, {0, 0} for the same
// square. dy = -1 is towards row 1, dx = -1 towards column 1.
struct Step {
    int dx, dy;
    friend constexpr bool operator==(Step, Step) = default;
};
constexpr Step 取得_進行方向(int fx, int fy, int tx, int ty) {
    return {(tx > fx) - (tx < fx), (ty > fy) - (ty < fy)};
}

// The one step table: the squares a stepping piece reaches in one move, as MAN sees them
// (forward is dy = -1); COM's are the same turned round. Lines (the lance, bishop and rook,
// and the lines of the horse and dragon) are walked on the board, not listed.
struct StepSet {
    std::array<Step, 8> steps{};
    int count = 0;
    constexpr bool has(int dx, int dy) const {
        for (int i = 0; i < count; ++i)
            if (steps[std::size_t(i)] == Step{dx, dy}) return true;
        return false;
    }
};
inline constexpr StepSet PAWN_STEPS{{{{0, -1}}}, 1};
inline constexpr StepSet KNIGHT_STEPS{{{{-1, -2}, {1, -2}}}, 2};
inline constexpr StepSet SILVER_STEPS{{{{-1, -1}, {0, -1}, {1, -1}, {-1, 1}, {1, 1}}}, 5};
inline constexpr StepSet GOLD_STEPS{{{{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {0, 1}}}, 6};
inline constexpr StepSet KING_STEPS{
    {{{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}}, 8};

// Whether the piece c (either side) reaches (dx, dy) away by one of its steps; the horse and
// the dragon step as kings besides their lines.
constexpr bool stepsTo(int c, int dx, int dy) {
    if (isCom(c)) dy = -dy;
    switch (c < 0 ? -c : c) {  // as COM's code
        case COM_HU: return PAWN_STEPS.has(dx, dy);
        case COM_KEI: return KNIGHT_STEPS.has(dx, dy);
        case COM_GIN: return SILVER_STEPS.has(dx, dy);
        case COM_TO:
        case COM_NARIKYOU:
        case COM_NARIKEI:
        case COM_NARIGIN:
        case COM_KIN: return GOLD_STEPS.has(dx, dy);
        case COM_UMA:
        case COM_RYU:
        case COM_OU: return KING_STEPS.has(dx, dy);
        default: return false;
    }
}

// The rows where a side's pieces may promote: the three farthest from it.
constexpr bool promotionZone(Side side, int row) { return side == Side::MAN ? row <= 3 : row >= 7; }

// Calls reach(tx, ty) for every square 移動チェック lets c go to from (fx, fy), column by
// column: what the guidance outlines and the count of a piece's moves both walk.
template <class Reach>
void forEachReach(const Position& p, int fx, int fy, int c, Reach&& reach) {
    for (int tx = 1; tx <= 9; ++tx)
        for (int ty = 1; ty <= 9; ++ty)
            if (移動チェック(p, fx, fy, tx, ty, c) == ON) reach(tx, ty);
}

// Turns the board by half a turn with the colours exchanged, so that the pieces at the bottom
// stand at the top as COM's, and exchanges the two hands. The two-pawn flags stay as they
// were until refreshed.
void reverseBoard(Position& p);

int 取得_移動桝数(int fx, int fy, int tx, int ty);
int 調査_駒存在(const Position& p, int code);
