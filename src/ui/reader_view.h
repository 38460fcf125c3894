#pragma once
#include <array>
#include <string>
#include <utility>
#include <vector>

// A move as the move text draws it: file digit, rank numeral, piece ("７", "六", "歩"); all
// three empty for none.
using MoveWords = std::array<std::string, 3>;

// What a screen reader is told of the window: the game's words, in Japanese, for the window
// to name its parts with. Side 0 is the bottom one (MAN's), 1 the top one (COM's).
struct ReaderView {
    struct Square {
        std::string piece;  // "歩", "と", ...; empty for an empty square
        int side = 0;
    };
    // Row by row from the top, each from the left as drawn: file 9 first, rank 一 first.
    std::array<Square, 81> squares;
    std::array<std::string, 2> sides;  // "あなた" and "COM", or "先手" and "後手"
    // The pieces in hand, weakest first, with their counts; pieces not held are left out.
    std::array<std::vector<std::pair<std::string, int>>, 2> hands;
    std::array<std::string, 2> clocks;   // as drawn; empty when the clocks are not shown
    std::array<MoveWords, 2> moveTexts;  // the last move of each side as drawn
    int moveNumber = 0;
    int level = 0;         // 0 when no level is shown
    std::string handicap;  // the handicap label, empty when none is set
    std::string typing;    // the move being typed
    // The moves drawn since the last view, to be announced in order: side and move text.
    std::vector<std::pair<int, MoveWords>> news;
};

// The window's part for a screen reader. Ports that have none (the fakes, the headless
// tool) keep the default, which tells nobody.
class ReaderPort {
public:
    virtual ~ReaderPort() = default;
    virtual void describe(const ReaderView& /*view*/) {}
};
