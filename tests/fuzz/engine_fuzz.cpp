// The headless tool's command lines: the bytes, cut into lines as torvane-cli reads standard
// input, go to one engine. Every command but `quit` gets exactly one non-empty answer line,
// and after each one the game is whole: valid piece codes, hands within the material of the
// game, the hand totals right, move numbers within the history, no piece made or lost but
// by a capture.
#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "cli/engine.h"
#include "fuzz_check.h"

namespace {

// COM's turn is by far the slowest command; more of them add little but time.
constexpr int MAX_COM_TURNS = 1;
constexpr int MAX_LINES = 200;

bool validCode(int c) {
    const int a = c < 0 ? -c : c;
    if (a == 0 || a == 50 || a == 80) return true;
    return a >= 10 && a <= 71 && a % 10 <= 1 && a != 51;
}

// Pieces of each kind 1..8 on the board and in both hands.
std::array<int, 9> material(const State& s) {
    std::array<int, 9> m{};
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (const int c = s.pos.board()[x][y]; c != EMPTY) ++m[(c < 0 ? -c : c) / 10];
    for (int k = 1; k <= 7; ++k) m[k] += s.pos.manHand()[k] + s.pos.comHand()[k];
    return m;
}

bool answerKnown(const std::string& a) {
    static constexpr std::string_view WORDS[] = {"ok",
                                                 "over",
                                                 "illegal",
                                                 "must-promote",
                                                 "win MAN",
                                                 "win COM",
                                                 "none",
                                                 "error bad arguments",
                                                 "error history full",
                                                 "error bad level",
                                                 "error bad position",
                                                 "error unknown command"};
    for (std::string_view w : WORDS)
        if (a == w) return true;
    // A COM move "FX FY TX TY CODE SCORE" or a board line: digits, signs, blanks, letters.
    return (a[0] == '-' || a[0] == ' ' || (a[0] >= '0' && a[0] <= '9'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Engine engine;
    const State& s = engine.state();
    std::array<int, 9> start = material(s);
    int comTurns = 0;
    int lines = 0;
    for (std::size_t pos = 0; pos < input.size() && lines < MAX_LINES; ++lines) {
        std::size_t end = input.find('\n', pos);
        if (end == std::string_view::npos) end = input.size();
        const std::string_view line = input.substr(pos, end - pos);
        pos = end + 1;
        if (line.substr(0, 3) == "com" && ++comTurns > MAX_COM_TURNS) continue;

        const std::string answer = engine.handle(line);
        if (engine.finished) {
            FUZZ_CHECK(answer.empty(), "quit answered \"%s\"", answer.c_str());
            break;
        }
        FUZZ_CHECK(!answer.empty(), "no answer to \"%.*s\"", int(line.size()), line.data());
        FUZZ_CHECK(answer.find_first_of("\r\n") == std::string::npos, "answer of several lines");
        FUZZ_CHECK(answerKnown(answer), "unknown answer \"%s\"", answer.c_str());

        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                FUZZ_CHECK(validCode(s.pos.board()[x][y]), "(%d,%d) holds %d after \"%.*s\"", x, y,
                           s.pos.board()[x][y], int(line.size()), line.data());
        FUZZ_CHECK(s.game.TESU() >= 0 && s.game.TESU() <= TESU_MAX, "TESU %d", s.game.TESU());
        FUZZ_CHECK(s.hist.SAISHU_TESU() >= 0 && s.hist.SAISHU_TESU() <= TESU_MAX, "SAISHU_TESU %d",
                   s.hist.SAISHU_TESU());
        int manSum = 0, comSum = 0;
        for (int k = 1; k <= 7; ++k) {
            FUZZ_CHECK(s.pos.manHand()[k] >= 0 && s.pos.comHand()[k] >= 0, "negative hand %d", k);
            manSum += s.pos.manHand()[k];
            comSum += s.pos.comHand()[k];
        }
        // A captured king goes into no hand and counts in no total.
        FUZZ_CHECK(s.pos.manHandTotal() == manSum && s.pos.comHandTotal() == comSum,
                   "hand totals %d %d for hands of %d %d after \"%.*s\"", s.pos.manHandTotal(),
                   s.pos.comHandTotal(), manSum, comSum, int(line.size()), line.data());

        const std::array<int, 9> now = material(s);
        if (answer == "ok" && (line.substr(0, 8) == "position" || line.substr(0, 3) == "new")) {
            start = now;  // a new game or a set-up board: its material is the new measure
            continue;
        }
        // From the starting position a hand never holds more than all pieces of its kind.
        for (int k = 1; k <= 7; ++k)
            FUZZ_CHECK(now[k] == start[k], "kind %d: %d pieces, %d at the start, after \"%.*s\"", k,
                       now[k], start[k], int(line.size()), line.data());
        FUZZ_CHECK(now[8] <= start[8], "%d kings, %d at the start", now[8], start[8]);
    }
    return 0;
}
