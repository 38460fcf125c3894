#pragma once
#include <string_view>

struct State;

// Drawing on the canvas in board cells: cell (x, y) has its top-left corner at
// (1050 + 495x, 100 + 615y) twips; x and y may be fractional or off the board.
double セル左(double x);
double セル上(double y);

void 描画_絵(State& s, int code, double x, double y);
void 描画_桝輪郭(State& s, int colour, double x, double y);
// Style 0 prints the value as it is; style 1 prints the kanji numeral of 1..9.
void 描画_数値(State& s, double x, double y, std::string_view value, int colour, int style,
             int size, bool bold = false);
void 描画_数値(State& s, double x, double y, int value, int colour, int style, int size,
             bool bold = false);
void 描画_文字列(State& s, double x, double y, int code, int colour, int size);
void 描画_移動駒種類(State& s, double x, double y, std::string_view text, int colour);
void 描画_レベル(State& s, int n);
void 描画_ハンデレベル(State& s, int level);
void 描画_手数(State& s, int n, int colour);
void 描画_駒点滅(State& s, int code, double x, double y, int count);

void 描画_背景(State& s, int id);
void 描画_盤(State& s);
void 描画_将棋盤桝(State& s);
void 描画_桝_数値(State& s);
void 描画_自持盤(State& s);
void 描画_敵持盤(State& s);
void 描画_棋譜読込み部分消去(State& s);
void 画面_再描画(State& s);
