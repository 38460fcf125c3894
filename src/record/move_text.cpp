#include "record/move_text.h"

#include "core/state.h"
#include "ui/drawing.h"

std::string_view 文字列変換(int code) {
    static constexpr std::string_view digits[9] = {"１", "２", "３", "４", "５",
                                                   "６", "７", "８", "９"};
    static constexpr std::string_view rows[9] = {"一", "二", "三", "四", "五",
                                                 "六", "七", "八", "九"};
    if (code >= 1 && code <= 9) return digits[code - 1];
    if (code >= 1001 && code <= 1009) return rows[code - 1001];
    switch (code < 0 ? -code : code) {
        case 10: return "歩";
        case 11: return "と";
        case 20: return "香";
        case 21: return "香成";
        case 30: return "桂";
        case 31: return "桂成";
        case 40: return "銀";
        case 41: return "銀成";
        case 50: return "金";
        case 60: return "角";
        case 61: return "角成";
        case 70: return "飛";
        case 71: return "飛成";
        case 80: return "王";
        default: return {};
    }
}

void 描画_移動結果(State& s, int side, int x, int y, int piece, int colour) {
    消去_移動結果(s, side);
    // Shadow cells of the file digit, the row numeral and the piece name; each text itself
    // stands 0.1 cell up and left of its shadow.
    struct Cell {
        double x, y;
    };
    static constexpr Cell comCells[3] = {{-1.5, 8.5}, {-1.1, 8.5}, {-0.5, 8.5}};
    static constexpr Cell comText[3] = {{-1.6, 8.4}, {-1.2, 8.4}, {-0.6, 8.4}};
    static constexpr Cell manCells[3] = {{12.5, 2.5}, {12.9, 2.5}, {13.5, 2.5}};
    static constexpr Cell manText[3] = {{12.4, 2.4}, {12.8, 2.4}, {13.4, 2.4}};
    const Cell* shadow;
    const Cell* text;
    if (side == s.game.TEBAN_COM) {
        shadow = comCells;
        text = comText;
    } else if (side == s.game.TEBAN_MAN) {
        shadow = manCells;
        text = manText;
    } else {
        return;
    }
    // Off the board a square has no file or row: 10 - x would name a pawn.
    const std::string_view texts[3] = {x >= 1 && x <= 9 ? 文字列変換(10 - x) : "",
                                       y >= 1 && y <= 9 ? 文字列変換(1000 + y) : "",
                                       文字列変換(piece)};
    for (int i = 0; i < 3; ++i) {
        描画_移動駒種類(s, shadow[i].x, shadow[i].y, texts[i], 0);
        描画_移動駒種類(s, text[i].x, text[i].y, texts[i], colour);
    }
    if (side == s.game.TEBAN_COM) 描画_桝輪郭(s, 2, 1, 8);
}

void 消去_移動結果(State& s, int side) {
    if (side == s.game.TEBAN_COM) {
        for (int x = -2; x <= 0; ++x) 描画_絵(s, s.opt.HAIKEI_NO, x, 8);
        描画_桝輪郭(s, 2, -1, 7);
        描画_桝輪郭(s, 2, 1, 8);
    } else if (side == s.game.TEBAN_MAN) {
        for (int x = 12; x <= 14; ++x) 描画_絵(s, s.opt.HAIKEI_NO, x, 2);
    }
}
