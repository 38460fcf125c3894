#pragma once
#include <optional>
#include <string>
#include <string_view>

struct Canvas;
struct State;

// A move typed as shogi players write it, squares named by the board's labels (file digit,
// then rank digit): "7776" moves the piece on 7七 to 7六, "7776+" promotes it, "P*55" drops a
// pawn on 5五. Letters of the drops: P L N S G B R.
struct TypedMove {
    int fromFile = 0, fromRank = 0;  // 0 for a drop
    int dropKind = 0;                // 1..7 for a drop, else 0
    int toFile = 0, toRank = 0;
    bool promote = false;
};

// The whole move, or nothing when the text is not one.
std::optional<TypedMove> parseTypedMove(std::string_view text);
// Whether the text is a move or the start of one.
bool typedMovePrefix(std::string_view text);

// The key buffer of the move being typed: keys that cannot lead to a move are not taken.
class MoveTyping {
public:
    // Takes a character (lower-case letters as their capitals); false when refused.
    bool type(char c);
    bool backspace();
    void clear() { text_.clear(); }
    const std::string& text() const { return text_; }
    bool empty() const { return text_.empty(); }

private:
    std::string text_;
};

// A key of the move typing: characters, Backspace (8), Enter (13) and Esc (27). Answers
// whether the key was the typing's; Esc is only while a move is half typed.
bool 指し手入力キー(State& s, int code);
// Plays a typed move as its two clicks would: the piece (or its cell on the mover's stand),
// then the destination, with the right button for "+".
void 入力指し手実行(State& s, const TypedMove& m);
// The move being typed, beside the board.
void 描画_入力中指し手(Canvas& cv, const MoveTyping& typing);
// Draws it again over a screen redrawn meanwhile (a new game, another background).
void 再描画_入力中指し手(Canvas& cv, const MoveTyping& typing);
