#include "state_checks.h"

#include <array>
#include <cstdlib>

namespace {

// Pieces of each kind 1..8 at the start, and the ladder's order of removal by kind.
constexpr std::array<int, 9> START_COUNT = {0, 18, 4, 4, 4, 4, 2, 2, 2};
constexpr std::array<int, 10> LADDER = {KAKU, SYA, KYOU, KYOU, KEI, KEI, GIN, GIN, KIN, KIN};

bool validCode(int c) {
    if (c == EMPTY) return true;
    const int a = std::abs(c), kind = a / 10, promoted = a % 10;
    if (kind < HU || kind > OU || promoted > 1) return false;
    return promoted == 0 || (kind != KIN && kind != OU);
}

std::string at(const char* what, int x, int y, int value) {
    return std::string(what) + "(" + std::to_string(x) + "," + std::to_string(y) +
           ") = " + std::to_string(value);
}

// "" when the board and hands hold the expected pieces of every kind.
template <class Board, class Hand>
std::string materialFault(const char* where, const Board& ban, const Hand& man, const Hand& com,
                          const std::array<int, 9>& expected) {
    std::array<int, 9> count{};
    int manKings = 0, comKings = 0;
    for (int x = 0; x <= 9; ++x)
        for (int y = 0; y <= 9; ++y) {
            const int c = ban[x][y];
            if ((x == 0 || y == 0) && c != EMPTY) return at(where, x, y, c) + " off the board";
            if (!validCode(c)) return at(where, x, y, c) + ": no piece code";
            if (c == EMPTY) continue;
            ++count[std::size_t(std::abs(c) / 10)];
            manKings += c == MAN_OU;
            comKings += c == COM_OU;
        }
    for (int k = 1; k <= 7; ++k) {
        if (man[k] < 0 || com[k] < 0)
            return std::string(where) + ": negative hand of kind " + std::to_string(k);
        count[std::size_t(k)] += man[k] + com[k];
    }
    // A king is taken into no hand: the game ends with it.
    if (manKings > 1 || comKings > 1 || manKings + comKings < 1)
        return std::string(where) + ": kings " + std::to_string(manKings) + " MAN, " +
               std::to_string(comKings) + " COM";
    count[OU] = 2;
    for (int k = 1; k <= 8; ++k)
        if (count[std::size_t(k)] != expected[std::size_t(k)])
            return std::string(where) + ": " + std::to_string(count[std::size_t(k)]) +
                   " pieces of kind " + std::to_string(k) + ", expected " +
                   std::to_string(expected[std::size_t(k)]);
    return {};
}

}  // namespace

std::string stateFault(const State& s) {
    const auto& g = s.game;
    const auto& h = s.hist;
    const auto& p = s.pos;
    if (g.TESU() < 0 || g.TESU() > TESU_MAX) return "TESU = " + std::to_string(g.TESU());
    if (h.SAISHU_TESU() < 0 || h.SAISHU_TESU() > TESU_MAX)
        return "SAISHU_TESU = " + std::to_string(h.SAISHU_TESU());
    if (g.HANDE_LEVEL() < -10 || g.HANDE_LEVEL() > 10)
        return "HANDE_LEVEL = " + std::to_string(g.HANDE_LEVEL());
    if (g.TEBAN() < -1 || g.TEBAN() > 1) return "TEBAN = " + std::to_string(g.TEBAN());
    if (g.HYOUJI_TESU() < g.TESU())
        return "HYOUJI_TESU " + std::to_string(g.HYOUJI_TESU()) + " below TESU " +
               std::to_string(g.TESU());

    int manSum = 0, comSum = 0;
    for (int k = 1; k <= 7; ++k) {
        manSum += p.manHand()[k];
        comSum += p.comHand()[k];
    }
    if (manSum != p.manHandTotal() || comSum != p.comHandTotal())
        return "hand totals " + std::to_string(p.manHandTotal()) + "/" +
               std::to_string(p.comHandTotal()) + ", hands hold " + std::to_string(manSum) + "/" +
               std::to_string(comSum);

    std::array<int, 9> expected = START_COUNT;
    for (int i = 0; i < std::abs(g.HANDE_LEVEL()); ++i)
        --expected[std::size_t(LADDER[std::size_t(i)])];
    if (std::string f = materialFault("BAN", p.board(), p.manHand(), p.comHand(), expected);
        !f.empty())
        return f;
    for (int t = 1; t <= h.SAISHU_TESU(); ++t) {
        const std::string where = "entry " + std::to_string(t);
        if (std::string f = materialFault(where.c_str(), h.BAN_RIREKI[t], h.MOCHI_MAN_RIREKI[t],
                                          h.MOCHI_COM_RIREKI[t], expected);
            !f.empty())
            return f;
    }
    return {};
}
