#pragma once
#include "core/constants.h"
#include "core/map.h"

// A square of the board; {0, 0} is none.
struct Square {
    int x = 0, y = 0;
    friend constexpr bool operator==(Square, Square) = default;
};

// The number of pieces in a hand: the positive counts of kinds 1..7.
inline int handTotal(const Hand& hand) {
    int n = 0;
    for (int k = HU; k <= SYA; ++k)
        if (hand[k] > 0) n += hand[k];
    return n;
}

// The board and the hands. The hand totals, the two kings' squares and the columns holding
// each side's pawns follow the pieces: put, take and drop keep them in step, and nothing else
// writes them.
class Position {
public:
    const Map& board() const { return BAN; }
    int at(int x, int y) const { return BAN[x][y]; }
    const Hand& manHand() const { return MOCHI_MAN; }
    const Hand& comHand() const { return MOCHI_COM; }
    const Hand& hand(Side side) const { return side == Side::MAN ? MOCHI_MAN : MOCHI_COM; }
    int manHandTotal() const { return MOCHI_MAN_SU; }
    int comHandTotal() const { return MOCHI_COM_SU; }
    int handTotalOf(Side side) const { return side == Side::MAN ? MOCHI_MAN_SU : MOCHI_COM_SU; }
    // Whether column x (1..9) holds an unpromoted pawn of the side.
    bool pawnOnColumn(Side side, int x) const {
        return (side == Side::MAN ? manPawns_ : comPawns_)[x] == 1;
    }
    // The two-pawn flag of column x as last refreshed: the one the rules read. A caller that
    // asks about a pawn drop refreshes the flags first; where none does (the guidance of a
    // piece in hand erased after the other side's move, a drop typed or clicked after that
    // move) the game goes by the flags of the earlier position, and shows it.
    bool twoPawnFlag(Side side, int x) const {
        return (side == Side::MAN ? NIFU_MAN : NIFU_COM)[x] == 1;
    }
    void refreshTwoPawnFlags() {
        NIFU_MAN = manPawns_;
        NIFU_COM = comPawns_;
    }
    // Where the side's king stands; {0, 0} when it is not on the board.
    Square king(Side side) const {
        return side == Side::MAN ? Square{MAN_OU_X, MAN_OU_Y} : Square{COM_OU_X, COM_OU_Y};
    }

    // c (EMPTY to clear) on (x, y), whatever stood there.
    void put(int x, int y, int c);
    // The capture half of a move: the piece on (x, y) goes to the capturer's hand, unpromoted
    // (a king to none), and the square is emptied. Answers the code that stood there.
    int take(int x, int y);
    // One piece of a kind 1..7 out of the side's hand; another kind takes nothing.
    void drop(Side side, int kind);
    // The side's count of a kind 1..7 in hand.
    void setHand(Side side, int kind, int count);
    // A whole position at once: a board and two hands, everything else worked out from them
    // but the two-pawn flags, which wait for their refresh.
    void load(const Map& board, const Hand& man, const Hand& com);
    void clear() { load({}, {}, {}); }

    // Whether the totals, the kings and the flags agree with the pieces, and the frame of the
    // board (row and column 0) is empty.
    bool consistent() const;

    friend bool operator==(const Position&, const Position&) = default;

private:
    void recountPawns(int x);
    void findKing(int code);

    Map BAN{};
    Hand MOCHI_MAN{};  // MAN's pieces in hand by kind 1..7
    Hand MOCHI_COM{};
    int MOCHI_MAN_SU = 0;  // totals of the two hands
    int MOCHI_COM_SU = 0;
    std::array<int, 10> manPawns_{};  // 1 where column 1..9 holds an unpromoted pawn of that side
    std::array<int, 10> comPawns_{};
    std::array<int, 10> NIFU_MAN{};  // manPawns_ and comPawns_ as last refreshed
    std::array<int, 10> NIFU_COM{};
    int MAN_OU_X = 0, MAN_OU_Y = 0;
    int COM_OU_X = 0, COM_OU_Y = 0;

    // A trial on the board in place, taken back before anything else reads the position.
    friend class TrialSquare;
};

// Stops the program when the position has lost its invariants, in the sanitizer build (which
// defines TORVANE_CHECK_POSITIONS) only: the moves check their result with it.
void positionLost(const Position& p);
inline void checkConsistent(const Position& p) {
#ifdef TORVANE_CHECK_POSITIONS
    if (!p.consistent()) positionLost(p);
#else
    (void)p;
#endif
}
