#include "play/moves.h"

#include "core/moves.h"
#include "core/rules.h"
#include "play/kept_game.h"
#include "play/setup.h"
#include "play/screen.h"
#include "play/state.h"

void 駒移動(Canvas& cv, Position& p, int fx, int fy, int tx, int ty, int c) {
    const int taken = takeCaptured(p, tx, ty);
    if (isMan(taken))
        描画_敵持盤(cv, p);
    else if (isCom(taken))
        描画_自持盤(cv, p);
    描画_絵(cv, EMPTY, fx, fy);
    描画_桝輪郭(cv, colours::GREEN, fx, fy);

    placeMoved(p, fx, fy, tx, ty, c);
    if (fx == COM_DROP_X)
        描画_敵持盤(cv, p);
    else if (fx == MAN_DROP_X)
        描画_自持盤(cv, p);
    描画_絵(cv, c, tx, ty);
    描画_桝輪郭(cv, colours::GREEN, tx, ty);
}

void 移動対象駒_移動(Canvas& cv, Position& p, int fx, int fy, int tx, int ty) {
    forEachInMovingLine(p.board(), fx, fy, tx, ty, [&](int x, int y, int x2, int y2, int c) {
        駒移動(cv, p, x, y, x2, y2, c);
    });
}

Move requestedMove(int fx, int fy, int tx, int ty, int piece, bool promote) {
    const Promotion pr = 調査_駒成(fx, fy, tx, ty, piece);
    if (promote && pr.may) return {fx, fy, tx, ty, pr.code, true};
    return {fx, fy, tx, ty, piece, false};
}

MoveOutcome playMove(State& s, const Move& m, Mover who, const MoveSteps& steps) {
    auto& g = s.game;
    auto& c = s.clock;
    MoveOutcome out;
    if (移動チェック(s.pos, m.fx, m.fy, m.tx, m.ty, m.piece()) != ON)
        out.refused = Refusal::Illegal;
    else if (!m.promote && 移動後チェック(m.ty, m.piece()) == OFF)
        out.refused = Refusal::MustPromote;
    else if (!履歴に空きあり(g))
        out.refused = Refusal::HistoryFull;
    if (out.refused != Refusal::None) return out;

    if (who == Mover::Computer)
        手順保存(s.hist, g, s.pos, c.MAN_JIKAN, c.MAN_JIKAN, c.COM_JIKAN,
                 c.COM_JIKAN + c.KEIKA_BYOU);
    else
        手順保存(s.hist, g, s.pos, c.MAN_JIKAN, c.KEIKA_BYOU + c.MAN_JIKAN, c.COM_JIKAN,
                 c.COM_JIKAN);
    g.moveMade();
    描画_手数(s.canvas, g.HYOUJI_TESU(), colours::WHITE);
    if (steps.beforeTravel) steps.beforeTravel();

    out.captured = s.pos.at(m.tx, m.ty);
    out.promoted = m.promote;
    forEachTravelling(s.pos, m, [&s](int x, int y, int x2, int y2, int code) {
        駒移動(s.canvas, s.pos, x, y, x2, y2, code);
        // The computer knows where MAN's king went as soon as it is placed; COM's king only
        // from its next survey.
        if (code == MAN_OU) {
            s.analysis.kingsSeen.MAN_OU_X = x2;
            s.analysis.kingsSeen.MAN_OU_Y = y2;
        }
    });
    if (steps.afterTravel) steps.afterTravel();
    s.sound.playSound(Sound::KOMA);
    out.winner = winnerByKings(s.pos, g, who);
    if (out.winner != 0) g.decided(out.winner);
    書込_前回棋譜(s);
    return out;
}

int winnerByKings(const Position& p, const GameState& g, Mover who) {
    const bool comGone = 調査_駒存在(p, COM_OU) == OFF;
    const bool manGone = 調査_駒存在(p, MAN_OU) == OFF;
    if (manGone && (who == Mover::Computer || !comGone)) return g.turnOf(Side::COM);
    if (comGone) return g.turnOf(Side::MAN);
    return 0;
}

void announceWinner(DialogPort& dialog, const GameState& g, int winner) {
    const char* text;
    if (g.COM_TAISEN() == 1)
        text = g.sideOf(winner) == Side::MAN ? "あなたの勝ちです" : "ｺﾝﾋﾟｭｰﾀの勝ちです";
    else
        text = winner == SENTE_BAN ? "先手の勝ちです" : "後手の勝ちです";
    dialog.message(text, "終了", Buttons::Ok);
}

int 調査_持駒数(const Position& p, const GameState& g, int teban) {
    if (teban == g.TEBAN_MAN()) return handTotal(p.manHand());
    if (teban == g.TEBAN_COM()) return handTotal(p.comHand());
    return 0;
}
