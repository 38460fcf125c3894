// Pins what the player sees: 300 seeded sessions of the whole game through the recording port,
// every call and the state left behind hashed into one value.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "session.h"
#include "signature.h"
#include "temp_dir.h"

namespace {

// Changes only with an intended change to what a session shows: run this test, take the new
// value from its failure message, write the new trail with TORVANE_SESSION_TRAIL_WRITE=1, and
// say in the commit what changes and why.
constexpr std::uint64_t kSessionSignature = 0x538d0b303b9ef1b1ull;

// Every session once, with what the coverage test counts: how many port calls start with
// each of its prefixes.
struct Sessions {
    session::Signature sig;
    std::map<std::string, int> seen;
};

const std::vector<std::string> WANTED = {
    "message 「対局」で始めて下さい",
    "message 新規に対局してください",
    "message 棋譜を書き込みました",
    "message 棋譜を '進 'で進めて下さい",
    "versionBox",
    "browse",
    "timer on",
    "loop 3",
    "message 500手に達したので引き分けです",
    "message 先手の勝ちです",
    "message 後手の勝ちです",
    "message ｺﾝﾋﾟｭｰﾀの勝ちです",
    "message あなたの勝ちです",
    "message  読み込みました",
    "名人",
    "12級",
};

const Sessions& sessions() {
    static const Sessions r = [] {
        TempDir dir;
        Sessions out;
        out.sig = session::compute(dir.path(), session::kSessions, [&](const session::Log& log) {
            for (const std::string& line : log.lines) {
                for (const std::string& w : WANTED)
                    if (line.rfind(w, 0) == 0) ++out.seen[w];
                for (const char* rank : {"名人", "12級"})
                    if (line.find(std::string("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:") + rank) != std::string::npos)
                        ++out.seen[rank];
            }
            if (std::getenv("TORVANE_SESSION_STATS"))
                for (const std::string& line : log.lines)
                    if (line.rfind("message", 0) == 0) ++out.seen[line];
        });
        return out;
    }();
    return r;
}

// The stored trail of each session: "seed hash trail".
std::map<int, std::pair<std::string, std::string>> storedTrails() {
    std::map<int, std::pair<std::string, std::string>> out;
    std::ifstream in(TORVANE_SESSION_TRAIL);
    int seed;
    std::string hash, trail;
    while (in >> seed >> hash >> trail) out[seed] = {hash, trail};
    return out;
}

// Where the sessions first part from the stored trail: the session, the event, and the calls
// that event makes now.
std::string firstDifference(const Sessions& r) {
    const auto stored = storedTrails();
    for (std::size_t i = 0; i < r.sig.sessions.size(); ++i) {
        const int seed = int(i) + 1;
        const auto it = stored.find(seed);
        const std::string& now = r.sig.trails[i];
        if (it == stored.end()) return "no stored trail for session " + std::to_string(seed);
        if (it->second.first == signature::hex(r.sig.sessions[i])) continue;
        const std::string& was = it->second.second;
        std::size_t e = 0;
        while (e * 4 < now.size() && now.compare(e * 4, 4, was, e * 4, 4) == 0) ++e;
        TempDir dir;
        const session::Log log = session::play(std::uint64_t(seed), dir.path());
        std::ostringstream out;
        out << "session " << seed << " differs first";
        if (e >= log.eventStarts.size()) return out.str() + ", in its end state";
        const std::size_t from = log.eventStarts[e];
        const std::size_t to =
            e + 1 < log.eventStarts.size() ? log.eventStarts[e + 1] : log.lines.size();
        out << ", at event " << e << "; its calls now:";
        for (std::size_t k = from; k < to && k < from + 60; ++k) out << "\n  " << log.lines[k];
        return out.str();
    }
    return "every session matches its stored trail";
}

}  // namespace

TEST(SessionSignature, EverySessionShowsWhatItShowedBefore) {
    const Sessions& r = sessions();
    if (std::getenv("TORVANE_SESSION_TRAIL_WRITE")) {
        std::ofstream out(TORVANE_SESSION_TRAIL);
        for (std::size_t i = 0; i < r.sig.sessions.size(); ++i)
            out << i + 1 << " " << signature::hex(r.sig.sessions[i]) << " " << r.sig.trails[i]
                << "\n";
    }
    EXPECT_EQ(signature::hex(r.sig.total), signature::hex(kSessionSignature))
        << "What a session shows changed (" << r.sig.calls
        << " port calls): " << firstDifference(r);
}

// The sessions are worth pinning only if they reach every part of the game.
TEST(SessionSignature, SessionsReachEveryPartOfTheGame) {
    const auto& seen = sessions().seen;
    if (std::getenv("TORVANE_SESSION_STATS"))
        for (const auto& [line, n] : seen) std::printf("%6d %s\n", n, line.c_str());
    for (const std::string& w : WANTED) EXPECT_GT(seen.count(w), 0u) << w;
}
