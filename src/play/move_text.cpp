#include "play/move_text.h"

#include "record/notation.h"
#include "ui/drawing.h"

void 描画_移動結果(Canvas& cv, Side side, int x, int y, int piece, int colour) {
    消去_移動結果(cv, side);
    // Shadow cells of the file digit, the row numeral and the piece name; each text itself
    // stands 0.1 cell up and left of its shadow.
    struct Place {
        double x, y;
    };
    static constexpr Place comCells[] = {{-1.5, 8.5}, {-1.1, 8.5}, {-0.5, 8.5}};
    static constexpr Place comText[] = {{-1.6, 8.4}, {-1.2, 8.4}, {-0.6, 8.4}};
    static constexpr Place manCells[] = {{12.5, 2.5}, {12.9, 2.5}, {13.5, 2.5}};
    static constexpr Place manText[] = {{12.4, 2.4}, {12.8, 2.4}, {13.4, 2.4}};
    const bool com = side == Side::COM;
    const Place* shadow = com ? comCells : manCells;
    const Place* text = com ? comText : manText;
    // Off the board a square has no file or row: 10 - x would name a pawn.
    const std::string_view texts[3] = {x >= 1 && x <= 9 ? 文字列変換(10 - x) : "",
                                       y >= 1 && y <= 9 ? 文字列変換(1000 + y) : "",
                                       文字列変換(piece)};
    for (int i = 0; i < 3; ++i) {
        描画_移動駒種類(cv, shadow[i].x, shadow[i].y, texts[i], colours::BLACK);
        描画_移動駒種類(cv, text[i].x, text[i].y, texts[i], colour);
    }
    const int at = com ? 1 : 0;
    auto& said = cv.spoken;
    said.moveTexts[at] = {std::string(texts[0]), std::string(texts[1]), std::string(texts[2])};
    // Nobody may be listening: only the newest few wait to be read.
    if (said.news.size() >= 8) said.news.erase(said.news.begin());
    said.news.emplace_back(at, said.moveTexts[at]);
    if (com) 描画_桝輪郭(cv, colours::GREEN, 1, 8);
}

void 消去_移動結果(Canvas& cv, Side side) {
    cv.spoken.moveTexts[side == Side::COM] = {};
    if (side == Side::COM) {
        for (int x = -2; x <= 0; ++x) 描画_絵(cv, cv.opt.HAIKEI_NO, x, 8);
        描画_桝輪郭(cv, colours::GREEN, -1, 7);
        描画_桝輪郭(cv, colours::GREEN, 1, 8);
    } else {
        for (int x = 12; x <= 14; ++x) 描画_絵(cv, cv.opt.HAIKEI_NO, x, 2);
    }
}
