#include "core/position.h"
#include "ui/drawing.h"

void 描画_背景(Canvas& cv, int id) {
    cv.spoken.moveTexts = {};  // painted over with the rest
    for (int x = -3; x <= 28; ++x)
        for (int y = -2; y <= 17; ++y)
            if (!onBoard(x, y)) 描画_絵(cv, id, x, y);
}

void 描画_盤(Canvas& cv, const Position& p) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            描画_絵(cv, p.board()[x][y], x, y);
            描画_桝輪郭(cv, colours::GREEN, x, y);
        }
}

void 描画_将棋盤桝(Canvas& cv) {
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x) 描画_桝輪郭(cv, colours::GREEN, x, y);
}

void 描画_桝_数値(Canvas& cv) {
    for (int i = 1; i <= 9; ++i) {
        描画_絵(cv, cv.opt.HAIKEI_NO, i, 0);
        描画_数値(cv, i + 0.2, 0.5, 10 - i, colours::BLACK, 0, 16, true);
        描画_数値(cv, i + 0.1, 0.4, 10 - i, colours::YELLOW, 0, 16, true);
        描画_絵(cv, cv.opt.HAIKEI_NO, 10, i);
        描画_数値(cv, 10.2, i + 0.4, i, colours::BLACK, 1, 12, true);
        描画_数値(cv, 10.1, i + 0.3, i, colours::YELLOW, 1, 12, true);
        描画_桝輪郭(cv, colours::GREEN, 9, i);
    }
}

namespace {

// One kind's place on a stand: the piece, and its count in the cell beside it (towards the
// board for COM, outwards for MAN).
void drawStandCell(Canvas& cv, Cell at, int code, int n) {
    const int beside = at.x + 1;
    描画_絵(cv, EMPTY, at.x, at.y);
    描画_絵(cv, cv.opt.HAIKEI_NO, beside, at.y);
    描画_桝輪郭(cv, colours::GREEN, at.x, at.y);
    if (n > 0) {
        描画_絵(cv, code, at.x, at.y);
        描画_桝輪郭(cv, colours::GREEN, at.x, at.y);
        描画_数値(cv, beside + 0.1, at.y + 0.3, n, colours::BLACK, 0, 14);
        描画_数値(cv, beside, at.y + 0.2, n, colours::LIGHT_RED, 0, 14);
    }
}

}  // namespace

void 描画_自持盤(Canvas& cv, const Position& p) {
    for (int k = HU; k <= SYA; ++k)
        drawStandCell(cv, standCell(Side::MAN, k), manCode(k), p.manHand()[k]);
}

void 描画_敵持盤(Canvas& cv, const Position& p) {
    // From the top down, which is from the rook down.
    for (int k = SYA; k >= HU; --k) {
        const Cell at = standCell(Side::COM, k);
        drawStandCell(cv, at, comCode(k), p.comHand()[k]);
        // The count reaches into the board's first column.
        描画_桝輪郭(cv, colours::GREEN, 1, at.y);
    }
}

void 描画_棋譜読込み部分消去(Canvas& cv) {
    描画_桝_数値(cv);
    for (int x = -3; x <= 10; ++x) 描画_絵(cv, cv.opt.HAIKEI_NO, x, 10);
    for (int x = 1; x <= 9; ++x) 描画_桝輪郭(cv, colours::GREEN, x, 9);
}
