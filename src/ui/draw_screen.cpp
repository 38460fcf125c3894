#include "core/state.h"
#include "play/clock.h"
#include "ui/drawing.h"

void 描画_背景(State& s, int id) {
    for (int x = -3; x <= 28; ++x)
        for (int y = -2; y <= 17; ++y)
            if (!onBoard(x, y)) 描画_絵(s, id, x, y);
}

void 描画_盤(State& s) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            描画_絵(s, s.pos.BAN[x][y], x, y);
            描画_桝輪郭(s, 2, x, y);
        }
}

void 描画_将棋盤桝(State& s) {
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x) 描画_桝輪郭(s, 2, x, y);
}

void 描画_桝_数値(State& s) {
    for (int i = 1; i <= 9; ++i) {
        描画_絵(s, s.opt.HAIKEI_NO, i, 0);
        描画_数値(s, i + 0.2, 0.5, 10 - i, 0, 0, 16, true);
        描画_数値(s, i + 0.1, 0.4, 10 - i, 14, 0, 16, true);
        描画_絵(s, s.opt.HAIKEI_NO, 10, i);
        描画_数値(s, 10.2, i + 0.4, i, 0, 1, 12, true);
        描画_数値(s, 10.1, i + 0.3, i, 14, 1, 12, true);
        描画_桝輪郭(s, 2, 9, i);
    }
}

void 描画_自持盤(State& s) {
    for (int k = 1; k <= 7; ++k) {
        描画_絵(s, EMPTY, 11, k + 2);
        描画_絵(s, s.opt.HAIKEI_NO, 12, k + 2);
        描画_桝輪郭(s, 2, 11, k + 2);
        int n = s.pos.MOCHI_MAN[k];
        if (n > 0) {
            描画_絵(s, manCode(k), 11, k + 2);
            描画_桝輪郭(s, 2, 11, k + 2);
            描画_数値(s, 12.1, k + 2.3, n, 0, 0, 14);
            描画_数値(s, 12, k + 2.2, n, 12, 0, 14);
        }
    }
}

void 描画_敵持盤(State& s) {
    for (int k = 1; k <= 7; ++k) {
        描画_絵(s, EMPTY, -1, k);
        描画_絵(s, s.opt.HAIKEI_NO, 0, k);
        描画_桝輪郭(s, 2, -1, k);
        int n = s.pos.MOCHI_COM[8 - k];
        if (n > 0) {
            描画_絵(s, comCode(8 - k), -1, k);
            描画_桝輪郭(s, 2, -1, k);
            描画_数値(s, 0.1, k + 0.3, n, 0, 0, 14);
            描画_数値(s, 0, k + 0.2, n, 12, 0, 14);
        }
        // The count reaches into the board's first column.
        描画_桝輪郭(s, 2, 1, k);
    }
}

void 描画_棋譜読込み部分消去(State& s) {
    描画_桝_数値(s);
    for (int x = -3; x <= 10; ++x) 描画_絵(s, s.opt.HAIKEI_NO, x, 10);
    for (int x = 1; x <= 9; ++x) 描画_桝輪郭(s, 2, x, 9);
}

void 画面_再描画(State& s) {
    描画_背景(s, s.opt.HAIKEI_NO);
    描画_桝_数値(s);
    描画_自持盤(s);
    描画_敵持盤(s);
    描画_盤(s);
    描画_所有時間(s, s.game.TEBAN_COM, s.clock.COM_JIKAN);
    描画_所有時間(s, s.game.TEBAN_MAN, s.clock.MAN_JIKAN);
    if (s.game.COM_TAISEN == 1) 描画_レベル(s, s.opt.LEVEL_NO);
    if (s.game.HANDE_SETTEI == ON) 描画_ハンデレベル(s, s.game.HANDE_LEVEL);
    描画_絵(s, -3, 10.8, 0);
}
