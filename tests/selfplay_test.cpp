// Whole games of COM against a MAN that plays random legal moves from a fixed seed.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ai/com_turn.h"
#include "cli/engine.h"
#include "cli/random_play.h"
#include "test_util.h"

namespace {

struct GameLog {
    std::vector<std::string> moves;
    std::string result;
};

// Checks, before each COM turn, that the trial leaves the board exactly as it found it.
void expectTrialLeavesBoard(State& s) {
    int before[10][10];
    std::memcpy(before, s.pos.BAN, sizeof before);
    Position pos = s.pos;
    Influence inf = s.inf;
    Turn turn = s.turn;
    思考準備(s);
    候補探索(s);
    EXPECT_EQ(std::memcmp(before, s.pos.BAN, sizeof before), 0);
    // Put everything back so that the real turn sees what it would have seen.
    s.pos = pos;
    s.inf = inf;
    s.turn = turn;
}

GameLog play(std::uint64_t seed, int level, int maxPlies, bool checkTrials) {
    Engine e;
    State& s = e.state();
    Rng rng(seed);
    GameLog log;
    EXPECT_EQ(e.handle("level " + std::to_string(level)), "ok");
    for (int ply = 0; ply < maxPlies; ++ply) {
        auto moves = 合法手一覧_MAN(s);
        if (moves.empty()) {
            log.result = "MAN has no move";
            break;
        }
        const std::string& m = moves[rng.below(moves.size())];
        const std::string a = e.handle("man " + m);
        log.moves.push_back(m + " -> " + a);
        EXPECT_TRUE(a == "ok" || a == "win MAN" || a == "win COM") << a;
        const int pieces = pieceCount(s);
        EXPECT_TRUE(pieces == 40 || (pieces == 39 && s.game.SHOUHAI != 0)) << pieces;
        if (a != "ok") {
            log.result = a;
            break;
        }
        if (checkTrials) expectTrialLeavesBoard(s);
        const std::string c = e.handle("com");
        log.moves.push_back(c);
        const int after = pieceCount(s);
        EXPECT_TRUE(after == 40 || (after == 39 && s.game.SHOUHAI != 0)) << after;
        if (s.game.SHOUHAI != 0 || c == "none") {
            log.result = c;
            break;
        }
        EXPECT_EQ(s.game.TESU, 2 * (ply + 1));
    }
    return log;
}

TEST(SelfPlay, InvariantsHoldOverManyGames) {
    int finished = 0;
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        const GameLog log = play(seed, 1 + static_cast<int>(seed % 3), 150, seed <= 4);
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
