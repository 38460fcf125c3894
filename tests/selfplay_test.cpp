// Whole games of COM against a MAN that plays random legal moves from a fixed seed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ai/search.h"
#include "cli/engine.h"
#include "cli/random_play.h"
#include "core/moves.h"
#include "test_util.h"

namespace {

struct GameLog {
    std::vector<std::string> moves;
    std::string result;
};

// Checks, before each COM turn, that the trial leaves the board exactly as it found it.
void expectTrialLeavesBoard(State& s) {
    const Map before = s.pos.board();
    Position pos = s.pos;
    KingsSeen kings = s.analysis.kingsSeen;
    Influence inf = s.analysis.inf;
    Turn turn = s.analysis.turn;
    思考準備(s.analysis);
    候補探索(s.analysis);
    EXPECT_EQ(s.pos.board(), before);
    Position expected = pos;  // the turn refreshes the two-pawn flags, and nothing more
    調査_2歩フラグ設定(expected);
    EXPECT_EQ(s.pos, expected);
    // Put everything back so that the real turn sees what it would have seen.
    s.pos = pos;
    s.analysis.kingsSeen = kings;
    s.analysis.inf = inf;
    s.analysis.turn = turn;
}

// COM's pawns, bishops and rooks always promote when they may; a piece that could not
// move again unpromoted always promotes.
void expectPromotionRules(const State& s, const std::string& answer) {
    int fx, fy, tx, ty, code;
    if (std::sscanf(answer.c_str(), "%d %d %d %d %d", &fx, &fy, &tx, &ty, &code) != 5) return;
    if (fx < 1) return;  // drops never promote
    const int from = s.hist.BAN_RIREKI[s.game.TESU() - 1][fx][fy];
    const bool zone =
        ty > 6 || ((from == COM_GIN || from == COM_KAKU || from == COM_SYA) && fy > 6);
    if (!zone) return;
    const bool always = from == COM_HU || from == COM_KAKU || from == COM_SYA;
    const bool forced =
        ((from == COM_HU || from == COM_KYOU) && ty == 9) || (from == COM_KEI && ty > 7);
    if (always || forced) {
        EXPECT_EQ(code, from + 1) << answer;
    }
}

// The totals, kings and pawn columns a position keeps are those its pieces give.
void expectInStep(const Position& p) {
    EXPECT_TRUE(p.consistent());
    Position recounted = p;
    recounted.load(p.board(), p.manHand(), p.comHand());
    EXPECT_EQ(recounted, p);
}

GameLog play(std::uint64_t seed, int level, int maxPlies, bool checkTrials) {
    Engine e;
    State& s = e.state();
    Rng rng(seed);
    GameLog log;
    EXPECT_EQ(e.handle("level " + std::to_string(level)), "ok");
    for (int ply = 0; ply < maxPlies; ++ply) {
        auto moves = 合法手一覧_MAN(s.pos);
        if (moves.empty()) {
            log.result = "MAN has no move";
            break;
        }
        const std::string& m = moves[rng.below(moves.size())];
        const std::string a = e.handle("man " + m);
        log.moves.push_back(m + " -> " + a);
        EXPECT_TRUE(a == "ok" || a == "win MAN" || a == "win COM") << a;
        expectInStep(s.pos);
        const int pieces = pieceCount(s.pos);
        EXPECT_TRUE(pieces == 40 || (pieces == 39 && s.game.SHOUHAI() != 0)) << pieces;
        if (a != "ok") {
            log.result = a;
            break;
        }
        if (checkTrials) expectTrialLeavesBoard(s);
        const std::string c = e.handle("com");
        log.moves.push_back(c);
        expectPromotionRules(s, c);
        expectInStep(s.pos);
        const int after = pieceCount(s.pos);
        EXPECT_TRUE(after == 40 || (after == 39 && s.game.SHOUHAI() != 0)) << after;
        if (s.game.SHOUHAI() != 0 || c == "none") {
            log.result = c;
            break;
        }
        EXPECT_EQ(s.game.TESU(), 2 * (ply + 1));
    }
    return log;
}

TEST(SelfPlay, InvariantsHoldOverManyGames) {
    int finished = 0;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        const GameLog log = play(seed, 1 + static_cast<int>(seed % 3), 150, seed <= 8);
        finished += !log.result.empty();
    }
    EXPECT_GT(finished, 0);  // random MAN loses its king sooner or later
}

TEST(SelfPlay, TheSameGameReplaysToTheSameMoves) {
    const GameLog a = play(99, 3, 60, false);
    const GameLog b = play(99, 3, 60, false);
    EXPECT_EQ(a.moves, b.moves);
    EXPECT_EQ(a.result, b.result);
    EXPECT_GT(a.moves.size(), 4u);
}

}  // namespace
