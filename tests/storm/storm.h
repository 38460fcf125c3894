#pragma once
#include <cstdint>
#include <map>
#include <string>

// One storm: a fresh window with the game behind it, in a fresh current directory, driven by
// random events from one seed, then ended by Esc, the close button or 終わり.
struct StormRun {
    std::uint32_t seed = 1;
    long events = 1000;
    // The animations' waits last their real time (COM's blink and pause); otherwise they are
    // cut to nothing, which is what makes a storm of 100,000 events affordable.
    bool realWait = false;
    // A menu command given before the random events (a game against COM, say), or "".
    std::string first;
};

struct StormReport {
    long events = 0;
    double seconds = 0;
    std::string fault;  // "" when every check held after every event
    // What the storm reached, so a storm that stopped reaching the game is noticed.
    std::map<std::string, long> counts;
};

StormReport runStorm(const StormRun& run);
