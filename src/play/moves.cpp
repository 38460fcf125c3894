#include "play/moves.h"

#include "core/moves.h"
#include "core/rules.h"
#include "play/setup.h"
#include "play/screen.h"
#include "play/state.h"

namespace {

// Taking a king ends the game in the taker's favour.
void decideOnKing(State& s, int taken) { s.game.kingTaken(taken); }

}  // namespace

void 駒移動(State& s, int fx, int fy, int tx, int ty, int c) {
    const int taken = takeCaptured(s.pos, tx, ty);
    decideOnKing(s, taken);
    if (isMan(taken))
        描画_敵持盤(s, s.pos);
    else if (isCom(taken))
        描画_自持盤(s, s.pos);
    描画_絵(s, EMPTY, fx, fy);
    描画_桝輪郭(s, colours::GREEN, fx, fy);

    placeMoved(s.pos, fx, fy, tx, ty, c);
    if (fx == COM_DROP_X)
        描画_敵持盤(s, s.pos);
    else if (fx == MAN_DROP_X)
        描画_自持盤(s, s.pos);
    描画_絵(s, c, tx, ty);
    描画_桝輪郭(s, colours::GREEN, tx, ty);
}

void 移動対象駒_移動(State& s, int fx, int fy, int tx, int ty) {
    forEachInMovingLine(s.pos.BAN, fx, fy, tx, ty,
                        [&](int x, int y, int x2, int y2, int c) { 駒移動(s, x, y, x2, y2, c); });
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
    else if (!履歴に空きあり(s))
        out.refused = Refusal::HistoryFull;
    if (out.refused != Refusal::None) return out;

    if (who == Mover::Computer)
        手順保存(s, c.MAN_JIKAN, c.MAN_JIKAN, c.COM_JIKAN, c.COM_JIKAN + c.KEIKA_BYOU);
    else
        手順保存(s, c.MAN_JIKAN, c.KEIKA_BYOU + c.MAN_JIKAN, c.COM_JIKAN, c.COM_JIKAN);
    g.moveMade();
    描画_手数(s, g.HYOUJI_TESU(), colours::WHITE);
    if (steps.beforeTravel) steps.beforeTravel();

    out.captured = s.pos.BAN[m.tx][m.ty];
    out.promoted = m.promote;
    if (m.isDrop()) {
        駒移動(s, m.fx, m.fy, m.tx, m.ty, m.code);
    } else {
        // The piece turns over where it stands, then travels; a knight jumps alone.
        if (m.promote) s.pos.BAN[m.fx][m.fy] = m.code;
        if (m.piece() == COM_KEI || m.piece() == MAN_KEI)
            駒移動(s, m.fx, m.fy, m.tx, m.ty, m.code);
        else
            移動対象駒_移動(s, m.fx, m.fy, m.tx, m.ty);
    }
    if (steps.afterTravel) steps.afterTravel();
    s.sound.playSound(Sound::KOMA);
    out.winner = winnerByKings(s, who);
    return out;
}

int winnerByKings(const State& s, Mover who) {
    const bool comGone = 調査_駒存在(s.pos, COM_OU) == OFF;
    const bool manGone = 調査_駒存在(s.pos, MAN_OU) == OFF;
    if (manGone && (who == Mover::Computer || !comGone)) return s.game.TEBAN_COM();
    if (comGone) return s.game.TEBAN_MAN();
    return 0;
}

void announceWinner(State& s, int winner) {
    const auto& g = s.game;
    const char* text;
    if (g.COM_TAISEN() == 1)
        text = winner == g.TEBAN_MAN() ? "あなたの勝ちです" : "ｺﾝﾋﾟｭｰﾀの勝ちです";
    else
        text = winner == SENTE_BAN ? "先手の勝ちです" : "後手の勝ちです";
    s.dialog.message(text, "終了", Buttons::Ok);
}

void 駒取得(State& s, int c) {
    decideOnKing(s, c);
    駒取得(s.pos, c);
}

int 調査_持駒数(const State& s, int teban) {
    if (teban == s.game.TEBAN_MAN()) return handTotal(s.pos.MOCHI_MAN);
    if (teban == s.game.TEBAN_COM()) return handTotal(s.pos.MOCHI_COM);
    return 0;
}
