// The human's two-click move input: a piece (on the board or a stand), then its destination.
#include <cmath>

#include "play/com_ban.h"
#include "ai/survey.h"
#include "core/moves.h"
#include "core/rules.h"
#include "play/setup.h"
#include "play/screen.h"
#include "play/moves.h"
#include "play/state.h"
#include "play/clock.h"
#include "play/mouse.h"
#include "play/panel.h"
#include "play/turn.h"
#include "play/window_events.h"
#include "play/move_text.h"
#include "ui/drawing.h"

namespace {

constexpr int SELECTED_COLOUR = 12;
constexpr int PLAIN_COLOUR = 2;

bool ownPiece(const GameState& g, int code) {
    return (g.mover() == Side::MAN && code <= -10) || (g.mover() == Side::COM && code >= 10);
}

// The clock restarts for the side to move once play goes on after browsing.
void restartClock(GameState& g, Clock& c, ClockPort& timer, const Options& o) {
    g.resumed();
    c.KAISHI_JIKAN = timer.timeOfDay();
    if (o.KEIKA) タイマー設定(c, timer, true);
}

// Answers whether the click still goes on to the board.
bool resumeAfterBrowsing(State& s) {
    auto& g = s.game;
    if (g.COM_TAISEN() == 0) {
        if (g.SAIKAI_MACHI()) {
            restartClock(s.game, s.clock, s.timer, s.canvas.opt);
            if (g.TEBAN() == SENTE_BAN)
                s.dialog.message("先手の番です", "対局", Buttons::Ok);
            else if (g.TEBAN() == GOTE_BAN)
                s.dialog.message("後手の番です", "対局", Buttons::Ok);
        }
    } else if (g.mover() == Side::COM) {
        g.resumed();
        s.dialog.message("OKですか？", "再開(COM)", Buttons::Ok);
        com_ban(s);
        // A game COM has just ended takes no move from this click.
        if (g.SHOUHAI() != 0 || g.TEBAN() == 0) return false;
    } else if (g.mover() == Side::MAN && g.SAIKAI_MACHI()) {
        restartClock(s.game, s.clock, s.timer, s.canvas.opt);
        s.dialog.message("MANの番です", "対局", Buttons::Ok);
    }
    return true;
}

void clearSelection(Canvas& cv, const Position& p, const PlayControl& m) {
    描画_移動可能桝色(cv, p, m.MOTO_X, m.MOTO_Y, PLAIN_COLOUR, m.SENTAKU_KOMA);
    描画_桝輪郭(cv, PLAIN_COLOUR, m.MOTO_X, m.MOTO_Y);
}

void firstClick(State& s, int col, int row) {
    auto& m = s.play;
    if (s.pos.board()[col][row] == EMPTY) return;
    m.MOTO_X = col;
    m.MOTO_Y = row;
    m.SENTAKU_KOMA = s.pos.board()[col][row];
    // The reachable squares are shown for a piece of either colour, as a hint.
    描画_移動可能桝色(s.canvas, s.pos, m.MOTO_X, m.MOTO_Y, s.canvas.opt.SIDOU_COLOR,
                      m.SENTAKU_KOMA);
    if (ownPiece(s.game, m.SENTAKU_KOMA)) {
        描画_桝輪郭(s.canvas, SELECTED_COLOUR, m.MOTO_X, m.MOTO_Y);
        s.game.pieceSelected();
    } else {
        描画_桝輪郭(s.canvas, s.canvas.opt.SIDOU_COLOR, m.MOTO_X, m.MOTO_Y);
    }
}

void secondClick(State& s, int button, int col, int row) {
    auto& g = s.game;
    auto& m = s.play;
    m.SAKI_X = col;
    m.SAKI_Y = row;
    if ((g.mover() == Side::MAN && m.MOTO_X == COM_DROP_X) ||
        (g.mover() == Side::COM && m.MOTO_X == MAN_DROP_X)) {
        // A piece from the opponent's stand was only shown, not taken.
        clearSelection(s.canvas, s.pos, s.play);
        g.selectionDropped();
        return;
    }
    if (ownPiece(s.game, s.pos.board()[col][row])) {
        描画_桝輪郭(s.canvas, PLAIN_COLOUR, m.MOTO_X, m.MOTO_Y);
        m.MOTO_X = col;
        m.MOTO_Y = row;
        m.SENTAKU_KOMA = s.pos.board()[col][row];
        描画_移動可能桝色(s.canvas, s.pos, m.MOTO_X, m.MOTO_Y, s.canvas.opt.SIDOU_COLOR,
                          m.SENTAKU_KOMA);
        描画_桝輪郭(s.canvas, SELECTED_COLOUR, m.MOTO_X, m.MOTO_Y);
        return;
    }
    // A COM drop names its kind, which its stand row counts from the other end. Any button
    // but the right one is a left click, so no button moves a piece unpromoted to where it
    // could never move again.
    const int fy = m.MOTO_X == COM_DROP_X ? kindAtStand(m.MOTO_X, m.MOTO_Y) : m.MOTO_Y;
    const Move move = requestedMove(m.MOTO_X, fy, m.SAKI_X, m.SAKI_Y, m.SENTAKU_KOMA, button == 2);
    MoveSteps steps;
    // The selection and its guidance go before the piece travels.
    steps.beforeTravel = [&s] {
        auto& sel = s.play;
        s.game.selectionDropped();
        描画_桝輪郭(s.canvas, PLAIN_COLOUR, sel.MOTO_X, sel.MOTO_Y);
        描画_桝輪郭(s.canvas, PLAIN_COLOUR, sel.SAKI_X, sel.SAKI_Y);
        描画_移動可能桝色(s.canvas, s.pos, sel.MOTO_X, sel.MOTO_Y, PLAIN_COLOUR, sel.SENTAKU_KOMA);
    };
    const MoveOutcome out = playMove(s, move, Mover::Person, steps);
    switch (out.refused) {
        case Refusal::Illegal:
            s.sound.playSound(Sound::KINSHI);
            g.selectionDropped();
            描画_将棋盤桝(s.canvas);
            return;
        case Refusal::MustPromote:
            s.sound.playSound(Sound::KINSHI);
            s.dialog.message("マウスの右をクリックして下さい", "成り", Buttons::Ok);
            return;
        case Refusal::HistoryFull:
            g.selectionDropped();
            clearSelection(s.canvas, s.pos, s.play);
            手数上限終了(g, s.clock, s.timer, s.dialog);
            return;
        case Refusal::None: break;
    }
    m.MOTO_Y = fy;
    // The text names the piece as selected, so a promotion by this move does not show.
    afterMove(s, Mover::Person, out,
              MoveLabel{ownerOf(m.SENTAKU_KOMA), m.SAKI_X, m.SAKI_Y, m.SENTAKU_KOMA});
}

void standClick(State& s, int col, int row) {
    auto& g = s.game;
    auto& m = s.play;
    if (m.SENTAKU_KOMA >= 10 || m.SENTAKU_KOMA <= -10) clearSelection(s.canvas, s.pos, s.play);

    const int kind = kindAtStand(col, row);
    if (kind == 0) return;
    const bool man = col == MAN_DROP_X;
    if ((man ? s.pos.manHand() : s.pos.comHand())[kind] <= 0) return;
    const int code = man ? manCode(kind) : comCode(kind);
    調査_2歩フラグ設定(s.pos);
    g.pieceSelected();
    m.MOTO_X = col;
    m.MOTO_Y = row;
    m.SENTAKU_KOMA = code;
    const bool mine = g.mover() == (man ? Side::MAN : Side::COM);
    描画_桝輪郭(s.canvas, mine ? SELECTED_COLOUR : s.canvas.opt.SIDOU_COLOR, col, row);
    描画_移動可能桝色(s.canvas, s.pos, col, row, s.canvas.opt.SIDOU_COLOR, code);
}

}  // namespace

void 描画_移動可能桝色(Canvas& cv, const Position& p, int fromX, int fromY, int colour, int piece) {
    描画_将棋盤桝(cv);
    if (!cv.opt.SIDOU_FLAG) return;
    forEachReach(p, fromX, fromY, piece, [&](int x, int y) { 描画_桝輪郭(cv, colour, x, y); });
}

void Form_MouseDown(State& s, int button, int /*shift*/, double x, double y) {
    auto& g = s.game;
    パネル閉じる(s.recordPanel);
    switch (g.phase()) {
        case GameState::Phase::Record:
            if (s.dialog.message("棋譜を '進 'で進めて下さい", "棋譜", Buttons::YesNo) ==
                Answer::No) {
                s.sound.playSound(Sound::KINSHI);
                初期設定(s);
            }
            return;
        case GameState::Phase::Decided:
            s.dialog.message("新規に対局してください", "終局", Buttons::Ok);
            return;
        case GameState::Phase::NoGame:
            s.sound.playSound(Sound::KINSHI);
            s.dialog.message("「対局」で始めて下さい", "開始", Buttons::Ok);
            return;
        case GameState::Phase::Playing: break;
    }
    const int col = cellColumn(x);
    const int row = cellRow(y);
    if (!resumeAfterBrowsing(s)) return;

    if (!onBoard(col, row))
        standClick(s, col, row);
    else if (g.CLICK_JOUTAI() == 0)
        firstClick(s, col, row);
    else
        secondClick(s, button, col, row);
}
