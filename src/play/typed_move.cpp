#include "play/typed_move.h"

#include <array>

#include "core/constants.h"
#include "play/mouse.h"
#include "play/state.h"
#include "play/window_events.h"
#include "ui/colours.h"
#include "ui/drawing.h"
#include "ui/geometry.h"

namespace {

constexpr std::string_view DROP_LETTERS = "PLNSGBR";  // kinds 1..7

bool digit(char c) { return c >= '1' && c <= '9'; }

int dropKind(char c) {
    const auto at = DROP_LETTERS.find(c);
    return c != '\0' && at != std::string_view::npos ? int(at) + 1 : 0;
}

// Board labels: files 9..1 from the left, ranks 1..9 from the top.
int columnOf(int file) { return 10 - file; }

// Where the typed move shows: right of the board, under the move count, clear of MAN's
// stand counts and clock.
constexpr double TYPED_X = 13, TYPED_Y = 5;
constexpr int TYPED_CELLS = 3;

}  // namespace

std::optional<TypedMove> parseTypedMove(std::string_view t) {
    TypedMove m;
    if (t.size() >= 2 && t[1] == '*') {
        if (t.size() != 4 || dropKind(t[0]) == 0 || !digit(t[2]) || !digit(t[3])) return {};
        m.dropKind = dropKind(t[0]);
    } else {
        if (t.size() == 5 && t[4] == '+') {
            m.promote = true;
            t.remove_suffix(1);
        }
        if (t.size() != 4 || !digit(t[0]) || !digit(t[1]) || !digit(t[2]) || !digit(t[3]))
            return {};
        m.fromFile = t[0] - '0';
        m.fromRank = t[1] - '0';
    }
    m.toFile = t[2] - '0';
    m.toRank = t[3] - '0';
    return m;
}

bool typedMovePrefix(std::string_view t) {
    if (t.empty()) return true;
    if (dropKind(t[0]) != 0) {
        // "P", "P*", "P*5", "P*55"
        return t.size() <= 4 && (t.size() < 2 || t[1] == '*') && (t.size() < 3 || digit(t[2])) &&
               (t.size() < 4 || digit(t[3]));
    }
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (i < 4 && !digit(t[i])) return false;
        if (i == 4 && t[i] != '+') return false;
        if (i > 4) return false;
    }
    return true;
}

bool MoveTyping::type(char c) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    std::string next = text_ + c;
    if (!typedMovePrefix(next)) return false;
    text_ = std::move(next);
    return true;
}

bool MoveTyping::backspace() {
    if (text_.empty()) return false;
    text_.pop_back();
    return true;
}

void 描画_入力中指し手(Canvas& cv, const MoveTyping& typing) {
    for (int i = 0; i < TYPED_CELLS; ++i) 描画_絵(cv, cv.opt.HAIKEI_NO, TYPED_X + i, TYPED_Y);
    if (typing.empty()) return;
    // A cursor after the text says it is still being typed; shadowed like the move text.
    const std::string shown = typing.text() + "_";
    描画_数値(cv, TYPED_X + 0.1, TYPED_Y + 0.3, shown, colours::BLACK, 0, 12);
    描画_数値(cv, TYPED_X, TYPED_Y + 0.2, shown, colours::YELLOW, 0, 12);
}

void 再描画_入力中指し手(Canvas& cv, const MoveTyping& typing) {
    if (!typing.empty()) 描画_入力中指し手(cv, typing);
}

bool 指し手入力キー(State& s, int code) {
    switch (code) {
        case 27:
            if (s.typing.empty()) return false;
            s.typing.clear();
            break;
        case 8:
            if (!s.typing.backspace()) return true;
            break;
        case 13:
        case 10: {
            if (s.typing.empty()) return true;
            const auto m = parseTypedMove(s.typing.text());
            if (!m) {
                // Half a move: nothing is played, and the player hears why.
                s.sound.playSound(Sound::KINSHI);
                return true;
            }
            s.typing.clear();
            描画_入力中指し手(s.canvas, s.typing);
            入力指し手実行(s, *m);
            return true;
        }
        default:
            if (code <= 32 || code >= 127 || !s.typing.type(char(code))) return true;
            break;
    }
    描画_入力中指し手(s.canvas, s.typing);
    return true;
}

void 入力指し手実行(State& s, const TypedMove& m) {
    auto& g = s.game;
    auto& sel = s.play;
    // A piece half picked up by the mouse is put down first, so the typed move starts afresh.
    if (g.phase() == GameState::Phase::Playing && g.CLICK_JOUTAI() == 1) {
        描画_移動可能桝色(s.canvas, s.pos, sel.MOTO_X, sel.MOTO_Y, 2, sel.SENTAKU_KOMA);
        描画_桝輪郭(s.canvas, 2, sel.MOTO_X, sel.MOTO_Y);
        g.selectionDropped();
    }
    int fromX, fromY;
    if (m.dropKind != 0) {
        // The mover's own stand: MAN's counts its rows from the pawn down, COM's from the rook.
        // With no game on, COM's: the move is refused there as a click would be.
        const Cell stand = standCell(g.mover().value_or(Side::COM), m.dropKind);
        fromX = stand.x;
        fromY = stand.y;
    } else {
        fromX = columnOf(m.fromFile);
        fromY = m.fromRank;
    }
    Form_MouseDown(s, LEFT_BUTTON, NO_SHIFT, cellMiddleX(fromX), cellMiddleY(fromY));
    if (g.phase() != GameState::Phase::Playing) return;  // refused with its own message
    // The click picks up only what stands where it lands.
    if (g.CLICK_JOUTAI() != 1) {
        // Nothing of the mover's there: the answer of an illegal destination.
        s.sound.playSound(Sound::KINSHI);
        描画_将棋盤桝(s.canvas);
        if (!onBoard(fromX, fromY)) 描画_桝輪郭(s.canvas, 2, fromX, fromY);
        return;
    }
    const int toX = columnOf(m.toFile), toY = m.toRank;
    Form_MouseDown(s, m.promote ? RIGHT_BUTTON : LEFT_BUTTON, NO_SHIFT, cellMiddleX(toX),
                   cellMiddleY(toY));
    // The destination held a piece of the mover's, which the click picked up instead: as a
    // typed move it is refused like any square the piece cannot reach.
    if (g.phase() == GameState::Phase::Playing && g.CLICK_JOUTAI() == 1 && sel.MOTO_X == toX &&
        sel.MOTO_Y == toY) {
        s.sound.playSound(Sound::KINSHI);
        g.selectionDropped();
        描画_将棋盤桝(s.canvas);
    }
}
