#include "play/moves.h"

#include "core/moves.h"
#include "play/screen.h"
#include "play/state.h"

namespace {

// Taking a king ends the game in the taker's favour.
void decideOnKing(State& s, int taken) {
    if (taken == COM_OU)
        s.game.SHOUHAI = s.game.TEBAN_MAN;
    else if (taken == MAN_OU)
        s.game.SHOUHAI = s.game.TEBAN_COM;
}

}  // namespace

void 駒移動(State& s, int fx, int fy, int tx, int ty, int c) {
    const int taken = takeCaptured(s.pos, tx, ty);
    decideOnKing(s, taken);
    if (isMan(taken))
        描画_敵持盤(s);
    else if (isCom(taken))
        描画_自持盤(s);
    描画_絵(s, EMPTY, fx, fy);
    描画_桝輪郭(s, colours::GREEN, fx, fy);

    placeMoved(s.pos, fx, fy, tx, ty, c);
    if (fx == COM_DROP_X)
        描画_敵持盤(s);
    else if (fx == MAN_DROP_X)
        描画_自持盤(s);
    描画_絵(s, c, tx, ty);
    描画_桝輪郭(s, colours::GREEN, tx, ty);
}

void 移動対象駒_移動(State& s, int fx, int fy, int tx, int ty) {
    forEachInMovingLine(s.pos.BAN, fx, fy, tx, ty,
                        [&](int x, int y, int x2, int y2, int c) { 駒移動(s, x, y, x2, y2, c); });
}

void 駒取得(State& s, int c) {
    decideOnKing(s, c);
    駒取得(s.pos, c);
}

int 調査_持駒数(const State& s, int teban) {
    if (teban == s.game.TEBAN_MAN) return handTotal(s.pos.MOCHI_MAN);
    if (teban == s.game.TEBAN_COM) return handTotal(s.pos.MOCHI_COM);
    return 0;
}
