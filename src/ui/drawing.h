#pragma once
#include <string_view>

#include "ui/canvas.h"
#include "ui/colours.h"
#include "ui/geometry.h"

class Position;

// Drawing on the canvas in board cells (ui/geometry.h).

// The codes with a picture: the empty square, the pieces, the background tiles 5..9 and the
// title -3.
bool 絵あり(int code);
void 描画_絵(Canvas& cv, int code, double x, double y);
void 描画_桝輪郭(Canvas& cv, int colour, double x, double y);
// Style 0 prints the value as it is; style 1 prints the kanji numeral of 1..9.
void 描画_数値(Canvas& cv, double x, double y, std::string_view value, int colour, int style,
               int size, bool bold = false);
void 描画_数値(Canvas& cv, double x, double y, int value, int colour, int style, int size,
               bool bold = false);
// The handicap label of -10..10 as drawn, "手目" for 99, else empty.
std::string_view ハンデ表示(int code);
void 描画_文字列(Canvas& cv, double x, double y, int code, int colour, int size);
void 描画_移動駒種類(Canvas& cv, double x, double y, std::string_view text, int colour);
void 描画_レベル(Canvas& cv, int n);
void 描画_ハンデレベル(Canvas& cv, int level);
void 描画_手数(Canvas& cv, int n, int colour);
void 描画_駒点滅(Canvas& cv, int code, double x, double y, int count);

void 描画_背景(Canvas& cv, int id);
void 描画_盤(Canvas& cv, const Position& p);
void 描画_将棋盤桝(Canvas& cv);
void 描画_桝_数値(Canvas& cv);
void 描画_自持盤(Canvas& cv, const Position& p);
void 描画_敵持盤(Canvas& cv, const Position& p);
void 描画_棋譜読込み部分消去(Canvas& cv);
