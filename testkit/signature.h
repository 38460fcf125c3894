#pragma once
// The move signature: one hash over every move COM chooses in a fixed suite of positions (at
// each strength level) and in thirty seeded games against a MAN who plays random legal moves.
// Any change to the rules, the evaluation or the candidate scan that alters even one chosen
// move or its score by 0.0001 changes the value. Shared by the signature test and the bench.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "ai/search.h"
#include "cli/engine.h"
#include "cli/random_play.h"
#include "core/legal_moves.h"

namespace signature {

// FNV-1a, 64 bits: small, and the same everywhere.
struct Fnv1a {
    std::uint64_t value = 0xcbf29ce484222325ull;
    void add(std::string_view text) {
        for (const unsigned char c : text) {
            value ^= c;
            value *= 0x100000001b3ull;
        }
    }
};

inline std::string hex(std::uint64_t v) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%016llx", static_cast<unsigned long long>(v));
    return buf;
}

// The record position lines of a suite file. Lines starting with '#' and empty lines are
// comments; position lines keep their leading spaces (the first field is right-aligned).
inline std::vector<std::string> readPositions(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        lines.push_back(line);
    }
    return lines;
}

// COM's choice as the tool's `com` command answers it: "FX FY TX TY CODE SCORE".
inline std::string moveText(const Turn& t) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%d %d %d %d %d %.4f", t.BEST_FX, t.BEST_FY, t.BEST_TX,
                  t.BEST_TY, t.BEST_NEW_KOMA, t.BEST_SCORE);
    return buf;
}

// Sets a fresh engine, so nothing of an earlier position leaks in, to one position at one
// level, surveyed as after MAN's move in a game and prepared as com_ban prepares COM's turn.
// Answers "" when ready, else the engine's refusal.
inline std::string prepare(Engine& e, const std::string& line, int level) {
    if (e.handle("level " + std::to_string(level)) != "ok") return "error level";
    const std::string answer = e.handle("position " + line);
    if (answer != "ok") return answer;
    e.handle("survey");
    思考準備(e.state().analysis);
    return "";
}

// COM's choice in one position at one level, made by the same two steps as com_ban, without
// drawing or moving.
inline std::string choose(const std::string& line, int level) {
    Engine e;
    if (std::string refused = prepare(e, line, level); !refused.empty()) return refused;
    if (!候補探索(e.state().analysis)) return "none";
    return moveText(e.state().analysis.turn);
}

// Every candidate COM weighs in one position at one level and the score 盤評価 gave it, one
// "FX FY TX TY CODE SCORE" line each in the order of the scan. Where the choice pins only the
// best move, this pins every term of the evaluation that any candidate reaches.
inline std::string weighed(const std::string& line, int level) {
    Engine e;
    if (std::string refused = prepare(e, line, level); !refused.empty()) return refused;
    std::string out;
    候補探索(e.state().analysis, {}, [&out](const Move& m, double score) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "%d %d %d %d %d %.6f\n", m.fx, m.fy, m.tx, m.ty, m.code,
                      score);
        out += buf;
    });
    return out;
}

// The tool's answers to `com` in one seeded game, played as the self-play test plays it:
// level 1 + seed % 3, MAN picks uniformly among his legal moves, at most `plies` rounds.
// `faced`, when given, receives the position line COM faces before each of its moves.
inline std::vector<std::string> gameMoves(std::uint64_t seed, int plies = 150,
                                          std::vector<std::string>* faced = nullptr) {
    std::vector<std::string> out;
    Engine e;
    Rng rng(seed);
    e.handle("level " + std::to_string(1 + static_cast<int>(seed % 3)));
    for (int ply = 0; ply < plies; ++ply) {
        const auto moves = 合法手一覧_MAN(e.state().pos);
        if (moves.empty()) {
            out.push_back("MAN has no move");
            break;
        }
        const std::string a = e.handle("man " + moves[rng.below(moves.size())]);
        if (a != "ok") {
            out.push_back(a);
            break;
        }
        if (faced) faced->push_back(e.handle("board"));
        const std::string c = e.handle("com");
        out.push_back(c);
        if (e.state().game.SHOUHAI() != 0 || c.find(' ') == std::string::npos) break;
    }
    return out;
}

inline constexpr int kGames = 30;

struct Signature {
    std::uint64_t total = 0;      // what the test pins
    std::uint64_t positions = 0;  // the suite part alone, to tell where a change shows
    std::uint64_t games = 0;      // the game part alone
    std::size_t moves = 0;        // chosen moves hashed
};

// Suite positions in file order, levels 1..3 for each, then games 1..30; one line per choice.
inline Signature compute(const std::vector<std::string>& positions) {
    Signature sig;
    Fnv1a total, pos, games;
    for (const std::string& line : positions)
        for (int level = 1; level <= 3; ++level) {
            const std::string m = choose(line, level) + "\n";
            total.add(m);
            pos.add(m);
            ++sig.moves;
        }
    for (std::uint64_t seed = 1; seed <= kGames; ++seed)
        for (const std::string& c : gameMoves(seed)) {
            const std::string m = c + "\n";
            total.add(m);
            games.add(m);
            ++sig.moves;
        }
    sig.total = total.value;
    sig.positions = pos.value;
    sig.games = games.value;
    return sig;
}

// The scores of every candidate in every suite position at each level, in file order, then
// in every position COM faced in 300 seeded games (at level 3, on a fresh engine each).
inline std::uint64_t scores(const std::vector<std::string>& positions) {
    Fnv1a h;
    for (const std::string& line : positions)
        for (int level = 1; level <= 3; ++level) h.add(weighed(line, level));
    for (std::uint64_t seed = 1; seed <= 10 * kGames; ++seed) {
        std::vector<std::string> faced;
        gameMoves(seed, 150, &faced);
        for (const std::string& line : faced) h.add(weighed(line, 3));
    }
    return h.value;
}

}  // namespace signature
