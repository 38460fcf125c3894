#pragma once
// The session signature: seeded sessions of the whole game, driven through the window's
// events as a player drives them (clicks anywhere, aimed moves, every menu command, the record
// panel, message boxes answered both ways, clock ticks), with every call the game makes on
// the recording port and the state at the end hashed into one value. A change to anything
// the player sees or hears, or to what stays behind, changes it.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace session {

inline constexpr int kSessions = 300;

// One session: what the driver did and what the game did, line by line. Every event starts
// with a line "event ..." followed by the port's calls it caused; the session ends with the
// state lines. Paths under the session's directory are written relative to it.
struct Log {
    std::vector<std::string> lines;
    std::vector<std::size_t> eventStarts;  // index of each "event" line
};

// Plays session `seed` in a fresh directory under `root` (removed afterwards).
Log play(std::uint64_t seed, const std::filesystem::path& root);

std::uint64_t hashLines(const std::vector<std::string>& lines, std::size_t from, std::size_t to);

// Per event a 16-bit hash, as four hex digits each: the trail that tells where two versions
// of a session part.
std::string trail(const Log& log);

struct Signature {
    std::uint64_t total = 0;
    std::vector<std::uint64_t> sessions;  // one hash per session, seeds 1..n
    std::vector<std::string> trails;      // and its trail
    std::size_t calls = 0;                // port calls over all sessions
};

// Sessions 1..n under `root`; `each` sees every session's log before it goes.
Signature compute(const std::filesystem::path& root, int sessions = kSessions,
                  const std::function<void(const Log&)>& each = {});

}  // namespace session
