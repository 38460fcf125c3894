#include "play/screen.h"

void 画面_再描画(State& s) {
    描画_背景(s, s.opt.HAIKEI_NO);
    描画_桝_数値(s);
    描画_自持盤(s);
    描画_敵持盤(s);
    描画_盤(s);
    描画_所有時間(s, s.game.TEBAN_COM(), s.clock.COM_JIKAN);
    描画_所有時間(s, s.game.TEBAN_MAN(), s.clock.MAN_JIKAN);
    if (s.game.COM_TAISEN() == 1) 描画_レベル(s, s.LEVEL_NO);
    if (s.game.HANDE_SETTEI() == ON) 描画_ハンデレベル(s, s.game.HANDE_LEVEL());
    描画_絵(s, -3, 10.8, 0);
}
