// Pins the computer's play: every move COM chooses in a fixed suite of positions at each
// level and in thirty seeded games hashes to one stored value.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "ai/search.h"
#include "cli/engine.h"
#include "signature.h"

namespace {

// Changes only with an intended change to COM's play: run this test, take the new value
// from its failure message, and say in the commit that the play changes and why.
constexpr std::uint64_t kMoveSignature = 0x816e7d592d7ea3efull;

const std::vector<std::string>& suite() {
    static const std::vector<std::string> lines =
        signature::readPositions(TORVANE_SIGNATURE_POSITIONS);
    return lines;
}

TEST(Signature, ComChoosesTheSameMovesAsBefore) {
    ASSERT_GE(suite().size(), 200u) << "suite file missing or short";
    const signature::Signature sig = signature::compute(suite());
    EXPECT_EQ(signature::hex(sig.total), signature::hex(kMoveSignature))
        << "COM's play changed. Positions part " << signature::hex(sig.positions) << ", games part "
        << signature::hex(sig.games) << ", " << sig.moves << " moves.";
}

// Pins the evaluation itself: the score of every candidate in the suite and in the positions
// of 300 seeded games, not only the best.
// Changes whenever a term changes for any candidate, even when COM's choices stay the same.
constexpr std::uint64_t kScoreSignature = 0xbf834bcb3069ea4full;

TEST(Signature, EveryCandidateScoresAsBefore) {
    EXPECT_EQ(signature::hex(signature::scores(suite())), signature::hex(kScoreSignature))
        << "the evaluation changed";
}

// The suite is worth pinning only if it makes COM do everything it can do.
TEST(Signature, SuiteCoversEveryKindOfChoice) {
    std::set<std::string> distinct;
    int drops = 0, promotions = 0, captures = 0, mates = 0, bad = 0;
    for (const std::string& line : suite()) {
        Engine e;
        ASSERT_EQ(e.handle("position " + line), "ok") << line;
        for (int level = 1; level <= 3; ++level) {
            const std::string m = signature::choose(line, level);
            int fx, fy, tx, ty, code;
            double score;
            const int n =
                std::sscanf(m.c_str(), "%d %d %d %d %d %lf", &fx, &fy, &tx, &ty, &code, &score);
            if (n != 6) {
                ++bad;
                continue;
            }
            distinct.insert(m.substr(0, m.rfind(' ')));
            drops += fx == COM_DROP_X;
            if (fx >= 1) {
                const int from = e.state().pos.board()[fx][fy];
                promotions += code == from + 1;
                captures += e.state().pos.board()[tx][ty] < 0;
            }
            mates += score >= 9998;
        }
    }
    EXPECT_EQ(bad, 0);
    // Today: 294 distinct moves, 201 drops, 112 promotions, 364 captures, 102 mates or king
    // captures over the 993 choices.
    EXPECT_GT(distinct.size(), 120u);
    EXPECT_GT(drops, 100);
    EXPECT_GT(promotions, 40);
    EXPECT_GT(captures, 150);
    EXPECT_GT(mates, 60);
}

// What the signature hashes is what the tool's `com` command plays.
TEST(Signature, ChoiceIsTheToolsComAnswer) {
    for (std::size_t i = 0; i < suite().size(); i += 7) {
        Engine e;
        ASSERT_EQ(e.handle("level 2"), "ok");
        ASSERT_EQ(e.handle("position " + suite()[i]), "ok");
        ASSERT_EQ(e.handle("survey"), "ok");
        const std::string played = e.handle("com");
        const std::string chosen = signature::choose(suite()[i], 2);
        EXPECT_EQ(played.substr(0, chosen.size()), chosen) << "position " << i;
    }
}

}  // namespace
