// How long COM takes to choose a move (the trial loop without drawing) over a fixed suite of
// positions, and one influence survey.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <memory>
#include <vector>

#include "ai/analysis.h"
#include "ai/search.h"
#include "ai/survey.h"
#include "cli/engine.h"
#include "cli/random_play.h"
#include "core/moves.h"
#include "play/setup.h"
#include "signature.h"
#include "session.h"
#include "test_util.h"

namespace {

struct Snapshot {
    Position pos;
    KingsSeen kingsSeen;
    Influence inf;
};

Snapshot take(Analysis& s) {
    勢力調査(s);  // as after MAN's move
    return {s.pos, s.kingsSeen, s.inf};
}

// Plays COM against a MAN that picks random legal moves and keeps some of the positions
// where MAN has just moved.
void collectGames(std::vector<Snapshot>& out) {
    for (std::uint64_t seed = 1; out.size() < 20 && seed < 200; ++seed) {
        Engine e;
        Rng rng(seed);
        for (int ply = 0; ply < 90; ++ply) {
            auto moves = 合法手一覧_MAN(e.state().pos);
            if (moves.empty() || e.handle("man " + moves[rng.below(moves.size())]) != "ok") break;
            if (ply % 8 == 5 && out.size() < 20) out.push_back(take(e.state().analysis));
            if (e.handle("com").find(' ') == std::string::npos) break;
            if (e.state().game.SHOUHAI() != 0) break;
        }
    }
}

std::vector<Snapshot> suite() {
    std::vector<Snapshot> out;
    SilentPort port;
    auto st = std::make_unique<State>(port);
    State& s = *st;

    初期設定(s);
    out.push_back(take(s.analysis));  // the opening

    // A middle game with full hands on both sides.
    初期設定(s);
    for (int x : {2, 4, 6, 8}) s.pos.put(x, 3, 0), s.pos.put(x, 7, 0);
    for (const Square sq : {Square{3, 1}, Square{7, 9}, Square{2, 2}, Square{2, 8}})
        s.pos.put(sq.x, sq.y, 0);
    for (int k = 1; k <= 7; ++k)
        for (const Side side : {Side::MAN, Side::COM}) s.pos.setHand(side, k, k == 1 ? 2 : 1);
    out.push_back(take(s.analysis));

    // MAN's king in check by a rook from afar, with pieces to block in hand.
    clearBoard(s.pos);
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(5, 1, COM_OU);
    s.pos.put(5, 3, COM_SYA);
    s.pos.put(4, 8, MAN_KIN);
    s.pos.put(6, 8, MAN_GIN);
    s.pos.put(3, 2, COM_KIN);
    s.pos.setHand(Side::MAN, HU, 3);
    s.pos.setHand(Side::COM, KIN, 2);
    s.pos.setHand(Side::COM, GIN, 1);
    out.push_back(take(s.analysis));

    // MAN's king mated: a gold on its head, guarded by a silver.
    clearBoard(s.pos);
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(4, 9, MAN_KYOU);
    s.pos.put(6, 9, MAN_KEI);
    s.pos.put(5, 8, COM_KIN);
    s.pos.put(5, 7, COM_GIN);
    s.pos.put(5, 1, COM_OU);
    s.pos.setHand(Side::COM, HU, 1);
    out.push_back(take(s.analysis));

    collectGames(out);
    return out;
}

const std::vector<Snapshot>& positions() {
    static const std::vector<Snapshot> all = suite();
    return all;
}

void BM_ComDecision(benchmark::State& bs) {
    // Inside a game state, where the game keeps it.
    SilentPort port;
    const auto st = std::make_unique<State>(port);
    Analysis& s = st->analysis;
    const Snapshot& p = positions().at(static_cast<std::size_t>(bs.range(0)));
    for (auto _ : bs) {
        bs.PauseTiming();
        s.pos = p.pos;
        s.kingsSeen = p.kingsSeen;
        s.inf = p.inf;
        bs.ResumeTiming();
        思考準備(s);
        benchmark::DoNotOptimize(候補探索(s));
    }
}
BENCHMARK(BM_ComDecision)->DenseRange(0, 19)->Unit(benchmark::kMicrosecond);

void BM_Survey(benchmark::State& bs) {
    // Inside a game state, where the game keeps it.
    SilentPort port;
    const auto st = std::make_unique<State>(port);
    Analysis& s = st->analysis;
    s.pos = positions().at(5).pos;
    for (auto _ : bs) {
        勢力調査(s);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Survey)->Unit(benchmark::kNanosecond);

}  // namespace

// The move and session signatures first, so a timing can be read against the play that produced it.
int main(int argc, char** argv) {
    const auto lines = signature::readPositions(TORVANE_SIGNATURE_POSITIONS);
    if (lines.empty()) {
        std::printf("move signature: unavailable (no positions in %s)\n",
                    TORVANE_SIGNATURE_POSITIONS);
    } else {
        const signature::Signature sig = signature::compute(lines);
        std::printf("move signature: %s (%zu moves)\n", signature::hex(sig.total).c_str(),
                    sig.moves);
    }
    {
        const auto root = std::filesystem::temp_directory_path() /
                          ("torvane-bench-" + std::to_string(::getpid()));
        const session::Signature sig = session::compute(root);
        std::filesystem::remove_all(root);
        std::printf("session signature: %s (%zu port calls)\n", signature::hex(sig.total).c_str(),
                    sig.calls);
    }
    std::fflush(stdout);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
