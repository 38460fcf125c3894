#include "play/screen.h"

void 画面_再描画(Canvas& cv, const Position& p, const GameState& g, const Clock& c, int level) {
    描画_背景(cv, cv.opt.HAIKEI_NO);
    描画_桝_数値(cv);
    描画_自持盤(cv, p);
    描画_敵持盤(cv, p);
    描画_盤(cv, p);
    描画_所有時間(cv, Side::COM, c.COM_JIKAN);
    描画_所有時間(cv, Side::MAN, c.MAN_JIKAN);
    if (g.COM_TAISEN() == 1) 描画_レベル(cv, level);
    if (g.HANDE_SETTEI()) 描画_ハンデレベル(cv, g.HANDE_LEVEL());
    描画_絵(cv, -3, 10.8, 0);
}
