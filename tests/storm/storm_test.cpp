// The random-event storm as tests. TORVANE_STORM_SEED (one seed or several, comma-separated)
// and TORVANE_STORM_EVENTS replay a storm that failed.
#include "storm.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

#ifdef TORVANE_STORM_SANITIZED
constexpr long EVENTS = 20'000;  // the sanitized build runs at about half the speed
constexpr long REAL_WAIT_EVENTS = 12;
#else
constexpr long EVENTS = 100'000;
constexpr long REAL_WAIT_EVENTS = 20;
#endif
// The default storm: these seeds share the events.
const std::vector<std::uint32_t> SEEDS = {1, 2, 3, 4};

std::vector<std::uint32_t> seeds() {
    const char* text = std::getenv("TORVANE_STORM_SEED");
    if (!text || !*text) return SEEDS;
    std::vector<std::uint32_t> out;
    for (const char* p = text; *p;) {
        char* end = nullptr;
        out.push_back(std::uint32_t(std::strtoul(p, &end, 10)));
        p = *end == ',' ? end + 1 : end;
        if (end == p && *p) break;
    }
    return out;
}

long eventsPerSeed(std::size_t seedCount) {
    if (const char* text = std::getenv("TORVANE_STORM_EVENTS"); text && *text)
        return std::strtol(text, nullptr, 10);
    return EVENTS / long(seedCount);
}

StormReport storm(std::uint32_t seed, long events, bool realWait, std::string first = "") {
    std::printf("storm seed %u, %ld events%s\n", seed, events, realWait ? ", real waits" : "");
    std::fflush(stdout);
    StormReport r =
        runStorm({.seed = seed, .events = events, .realWait = realWait, .first = std::move(first)});
    std::printf("  %ld events in %.1f s: %.0f events/s\n", r.events, r.seconds,
                r.seconds > 0 ? r.events / r.seconds : 0.0);
    for (const auto& [what, n] : r.counts) std::printf("  %6ld  %s\n", n, what.c_str());
    EXPECT_TRUE(r.fault.empty()) << r.fault << "\nreplay: TORVANE_STORM_SEED=" << seed
                                 << " TORVANE_STORM_EVENTS=" << events
                                 << (realWait ? " --gtest_filter=Storm.RealWaits" : "");
    return r;
}

}  // namespace

TEST(Storm, ClicksMenusPanelBoxesAndTicks) {
    const std::vector<std::uint32_t> list = seeds();
    const long each = eventsPerSeed(list.size());
    std::map<std::string, long> total;
    long events = 0;
    double seconds = 0;
    for (std::uint32_t seed : list) {
        StormReport r = storm(seed, each, false);
        events += r.events;
        seconds += r.seconds;
        for (const auto& [what, n] : r.counts) total[what] += n;
    }
    std::printf("storm: %ld events in %.1f s: %.0f events/s\n", events, seconds,
                seconds > 0 ? events / seconds : 0.0);
    if (std::getenv("TORVANE_STORM_SEED") || std::getenv("TORVANE_STORM_EVENTS")) return;
    // The storm reached every corner it is meant to: games played to their end, records
    // written and read back, boxes answered, pages and the version box, events slipped in.
    EXPECT_GT(total["moves and steps forward"], EVENTS / 10);
    EXPECT_GT(total["kings taken or resignations"], 0);
    EXPECT_GT(total["box: 棋譜を書き込みました"], 0);
    EXPECT_GT(total["box:  読み込みました"], 0);
    EXPECT_GT(total["box: 棋譜ﾌｧｲﾙを作成できません"], 0);
    EXPECT_GT(total["box: ﾌｧｲﾙ名が入力されていません"], 0);
    EXPECT_GT(total["box: バージョン情報"], 0);
    EXPECT_GT(total["box: 棋譜を '進 'で進めて下さい"], 0);
    EXPECT_GT(total["pages opened"], 0);
    EXPECT_GT(total["events slipped in while busy"], 0);
}

// Fewer events, with COM's blink and pause lasting their time, from a game in which COM
// moves first: ticks, clicks and menus slipped into the waits are dropped too.
TEST(Storm, RealWaits) {
    StormReport r = storm(11, REAL_WAIT_EVENTS, true, "GOTE");
    EXPECT_GT(r.counts["real waits"], 0);
}

// Seeds that once broke a check, at the length that found the fault.
TEST(Storm, Regressions) {
    struct Case {
        std::uint32_t seed;
        long events;
    };
    const std::vector<Case> cases = {
        {8, 30},   // COM took the king: its hand's total counted the king
        {12, 30},  // COM taken on after moves between people: 戻, 進 showed an entry never stored
        {13, 1200},  // the same, showing a position of an earlier game with other material
    };
    for (const Case& c : cases) storm(c.seed, c.events, false);
}
