// How many moves each side may make in a handful of positions, as the generator offers them:
// board moves and drops, with the promotions they allow and the ones they force.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "cli/engine.h"
#include "cli/random_play.h"
#include "core/legal_moves.h"
#include "play/setup.h"
#include "test_util.h"

namespace {

struct Counts {
    int moves = 0;    // legal (origin, destination) pairs, drops included
    int promote = 0;  // of those, the ones 調査_駒成 lets promote
    int forced = 0;   // of those, the ones 移動後チェック says must promote
    bool operator==(const Counts&) const = default;
};

void PrintTo(const Counts& c, std::ostream* os) {
    *os << "{" << c.moves << ", " << c.promote << ", " << c.forced << "}";
}

// The generator's moves of one side, counted by (origin, destination) pair, and checked to
// come in scan order: origins and destinations ascending, a promotion right after its twin.
Counts legalMoves(State& s, Side side) {
    Counts n;
    調査_2歩フラグ設定(s.pos);  // pawn drops read the flags
    Move last{-2, 0, 0, 0, 0, false};
    int ticks = 0;
    forEachLegalMove(
        s.pos, side,
        [&](const Move& m) {
            const bool twin = m.promote && m.fx == last.fx && m.fy == last.fy && m.tx == last.tx &&
                              m.ty == last.ty && !last.promote;
            auto key = [](const Move& v) {
                return std::tuple(v.isDrop() ? 1 : 0, v.isDrop() ? v.droppedKind() : v.fx, v.fy,
                                  v.tx, v.ty);
            };
            if (!twin) {
                EXPECT_LT(key(last), key(m)) << m.fx << m.fy << m.tx << m.ty;
                ++n.moves;
            }
            EXPECT_EQ(移動チェック(s.pos, m.fx, m.fy, m.tx, m.ty, m.piece()), ON);
            n.promote += m.promote;
            n.forced += m.promote && !twin;
            last = m;
            return false;
        },
        [&] { ++ticks; });
    const int held = side == Side::MAN ? s.pos.manHandTotal() : s.pos.comHandTotal();
    EXPECT_EQ(ticks, held > 0 ? 16 : 9);  // each origin column, then each kind in hand
    return n;
}

struct Piece {
    int x, y, code;
};

void place(State& s, std::initializer_list<Piece> pieces) {
    for (const Piece& p : pieces) s.pos.put(p.x, p.y, p.code);
}

void hands(State& s, std::initializer_list<int> man, std::initializer_list<int> com) {
    int k = HU;
    for (int n : man) s.pos.setHand(Side::MAN, k++, n);
    k = HU;
    for (int n : com) s.pos.setHand(Side::COM, k++, n);
}

struct Row {
    const char* name;
    std::function<void(State&)> setUp;
    Counts man, com;
};

// Counts taken from the rules as they play today; the MAN side of the first four rows and of
// the full hands was also counted by hand (see the comments).
const std::vector<Row>& table() {
    static const std::vector<Row> rows = {
        // Standard shogi has 30 first moves, and so does this game: the following pieces
        // change where pieces end up, never which moves are allowed. 9 pawns, 2 lances,
        // 2 × 2 silvers, 2 × 3 golds, 3 king, 6 rook, 0 bishop, 0 knights.
        {"opening", [](State&) {}, {30, 0, 0}, {30, 0, 0}},
        // Every column holds a pawn of each side, so no pawn drop; a knight drops on every
        // empty square of rows 3..9 (MAN) or 1..7 (COM): 27 in the middle and 7 on the bishop
        // and rook row. 30 + 34 each.
        {"opening, a pawn and a knight in each hand",
         [](State& s) {
             hands(s, {1, 0, 1}, {1, 0, 1});
         },
         {64, 0, 0},
         {64, 0, 0}},
        // Pawns, lances, knights and silvers around the promotion rows, with lines of pieces
        // behind them; knights two rows from the end must promote. By hand for MAN: king 5,
        // pawns 1 + 1 (both may promote), gold on (1, 5) 1, lance 1, gold on (2, 7) 4,
        // knight on (3, 5) 1 (may promote), knight on (6, 4) 2 (must), silver on (4, 3) 4 (may,
        // from the zone), silver on (5, 4) 4 (2 may), bishop 4: 28, 11, 2.
        {"pieces before the promotion rows",
         [](State& s) {
             clearBoard(s.pos);
             place(s, {{5, 9, MAN_OU},   {5, 1, COM_OU},   {1, 4, MAN_HU},  {1, 5, MAN_KIN},
                       {1, 6, MAN_GIN},  {2, 5, MAN_KYOU}, {2, 6, MAN_HU},  {2, 7, MAN_KIN},
                       {3, 5, MAN_KEI},  {6, 4, MAN_KEI},  {4, 3, MAN_GIN}, {5, 4, MAN_GIN},
                       {8, 6, MAN_KAKU}, {7, 7, COM_HU},   {9, 6, COM_HU},  {9, 5, COM_KIN},
                       {8, 5, COM_KYOU}, {8, 4, COM_HU},   {8, 3, COM_KIN}, {7, 5, COM_KEI},
                       {4, 6, COM_KEI},  {6, 7, COM_GIN},  {5, 6, COM_GIN}, {2, 4, COM_KAKU},
                       {3, 3, MAN_HU}});
             hands(s, {}, {});
         },
         {28, 11, 2},
         {30, 11, 2}},
        // Pawns in hand: a column with an unpromoted pawn of one's own takes no pawn drop, a
        // tokin does not count; pawns and lances never drop on the last row, knights not on
        // the last two. By hand for MAN: king 5, pawns 1 + 1, tokin 6; pawn drops 7 columns
        // × 8 rows − 5 taken = 51; lance drops 72 − 7 = 65; knight drops 63 − 7 = 56: 185.
        {"pawns in hand, the two-pawn and last-row rules",
         [](State& s) {
             clearBoard(s.pos);
             place(s, {{5, 9, MAN_OU},
                       {5, 1, COM_OU},
                       {1, 7, MAN_HU},
                       {3, 6, MAN_HU},
                       {4, 5, MAN_TO},
                       {9, 3, COM_HU},
                       {7, 4, COM_HU},
                       {6, 5, COM_TO}});
             hands(s, {1, 1, 1}, {1, 1, 1});
         },
         {185, 0, 0},
         {185, 0, 0}},
        // Whole rows and columns of mixed pieces that would follow a mover.
        {"lines of following pieces",
         [](State& s) {
             clearBoard(s.pos);
             place(s, {{5, 1, COM_OU},   {5, 2, COM_SYA}, {5, 3, COM_HU},   {5, 4, MAN_HU},
                       {5, 5, MAN_GIN},  {5, 6, MAN_OU},  {5, 7, MAN_KIN},  {5, 8, MAN_KYOU},
                       {1, 4, COM_HU},   {2, 4, COM_GIN}, {3, 4, COM_KIN},  {4, 4, COM_SYA},
                       {6, 4, MAN_KIN},  {7, 4, MAN_GIN}, {8, 4, COM_RYU},  {9, 4, COM_UMA},
                       {1, 1, COM_KYOU}, {2, 2, COM_KEI}, {3, 3, COM_KAKU}, {7, 7, MAN_KAKU},
                       {8, 8, MAN_KEI},  {9, 9, MAN_KYOU}});
             hands(s, {1, 0, 0, 0, 1}, {0, 0, 0, 1});
         },
         {145, 4, 0},
         {111, 3, 0}},
        // Ranging pieces of both sides blocked by pieces of either side; a horse and a dragon
        // also step one square every way.
        {"ranging pieces, blocked",
         [](State& s) {
             clearBoard(s.pos);
             place(s, {{9, 9, MAN_OU},
                       {1, 1, COM_OU},
                       {5, 5, MAN_RYU},
                       {5, 2, COM_KIN},
                       {2, 5, MAN_HU},
                       {5, 7, MAN_GIN},
                       {3, 3, COM_UMA},
                       {7, 7, MAN_UMA},
                       {6, 6, COM_GIN},
                       {4, 8, COM_SYA},
                       {4, 6, MAN_KYOU},
                       {4, 3, COM_HU},
                       {8, 2, COM_KYOU},
                       {8, 7, MAN_HU},
                       {2, 8, MAN_KAKU},
                       {7, 3, COM_RYU}});
             hands(s, {}, {});
         },
         {38, 1, 0},
         {52, 14, 0}},
        // Both kings and every other piece in the hands. By hand for MAN: king 5; pawn and
        // lance drops on 72 − 1 squares each; knight 63 − 1; silver, gold, bishop, rook
        // 81 − 2 each: 5 + 71 + 71 + 62 + 4 × 79 = 525.
        {"full hands",
         [](State& s) {
             clearBoard(s.pos);
             place(s, {{5, 9, MAN_OU}, {5, 1, COM_OU}});
             hands(s, {9, 2, 2, 2, 2, 1, 1}, {9, 2, 2, 2, 2, 1, 1});
         },
         {525, 0, 0},
         {525, 0, 0}},
        // A middle game from seeded random play: COM's king in the open, pawns in both hands.
        {"a middle game",
         [](State& s) {
             Engine e;
             ASSERT_EQ(e.handle("position   0 20 10  0  0-10  0  0-60 30  0  0 10 80-10-10-20  0"
                                " 40  0 10 50-10  0  0  0  0  0 70 50  0  0  0-50  0-40 60  0 10"
                                "  0  0-10-10  0-80  0  0  0  0-40  0  0  0  0  0  0  0  0  0-10"
                                "  0  0  0  0  0 20 10  0  0  0  0-30  0  0  0 10  0  0-10-20-30"
                                "22000110010001"),
                       "ok");
             s.pos = e.state().pos;
         },
         {87, 0, 0},
         {182, 0, 0}},
    };
    return rows;
}

TEST(LegalMoves, CountsPerPosition) {
    SilentPort port;
    auto st = std::make_unique<State>(port);
    State& s = *st;
    for (const Row& row : table()) {
        初期設定(s);
        row.setUp(s);
        const Counts man = legalMoves(s, Side::MAN);
        const Counts com = legalMoves(s, Side::COM);
        EXPECT_EQ(man, row.man) << row.name;
        EXPECT_EQ(com, row.com) << row.name;
        // The random player's list offers an unpromoted move unless promotion is forced, and
        // a promoted one wherever promotion is allowed.
        EXPECT_EQ(合法手一覧_MAN(s.pos).size(),
                  static_cast<std::size_t>(man.moves - man.forced + man.promote))
            << row.name;
    }
}

}  // namespace
