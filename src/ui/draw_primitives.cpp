#include <array>
#include <string>

#include "core/state.h"
#include "play/clock.h"
#include "ui/drawing.h"

double セル左(double x) { return 1050 + 495 * x; }
double セル上(double y) { return 100 + 615 * y; }

namespace {

constexpr double CELL_W = 495;
constexpr double CELL_H = 615;

// The empty square, the pieces, the background tiles 5..9 and the title -3.
bool 絵あり(int code) { return isPieceCode(code) || code == -3 || (code >= 5 && code <= 9); }

std::string_view 漢数字(int n) {
    static constexpr std::array<std::string_view, 9> names{"一", "二", "三", "四", "五",
                                                           "六", "七", "八", "九"};
    return n >= 1 && n <= 9 ? names[n - 1] : std::string_view{};
}

std::string_view ハンデ表示(int code) {
    static constexpr std::array<std::string_view, 21> labels{
        "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段",
        "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段",
        "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級",
        "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級",
        "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級",
        "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級"};
    if (code == 99) return "手目";
    if (code < -10 || code > 10) return {};
    return labels[code + 10];
}

}  // namespace

void 描画_絵(State& s, int code, double x, double y) {
    if (絵あり(code)) s.port.drawPicture(code, セル左(x), セル上(y));
}

void 描画_桝輪郭(State& s, int colour, double x, double y) {
    s.port.drawOutline(colour, セル左(x), セル上(y), セル左(x) + CELL_W, セル上(y) + CELL_H);
}

void 描画_数値(State& s, double x, double y, std::string_view value, int colour, int style,
             int size, bool bold) {
    std::string_view text;
    if (style == 0) {
        text = value;
    } else if (style == 1) {
        if (value.size() == 1) text = 漢数字(value[0] - '0');
    }
    if (text.empty()) return;
    s.port.drawText(セル左(x), セル上(y), text, colour, size, bold);
}

void 描画_数値(State& s, double x, double y, int value, int colour, int style, int size,
             bool bold) {
    if (style == 1) {
        std::string_view text = 漢数字(value);
        if (!text.empty()) s.port.drawText(セル左(x), セル上(y), text, colour, size, bold);
        return;
    }
    描画_数値(s, x, y, std::to_string(value), colour, style, size, bold);
}

void 描画_文字列(State& s, double x, double y, int code, int colour, int size) {
    std::string_view text = ハンデ表示(code);
    if (!text.empty()) s.port.drawText(セル左(x) + 120, セル上(y) + 160, text, colour, size, false);
}

void 描画_移動駒種類(State& s, double x, double y, std::string_view text, int colour) {
    // The move text is the size of the clock figures.
    s.port.drawText(セル左(x), セル上(y), text, colour, 12, false);
}

void 描画_レベル(State& s, int n) {
    描画_数値(s, -1.4, 0.2, "LEVEL", 0, 0, 10);
    描画_数値(s, -1.5, 0.1, "LEVEL", 15, 0, 10);
    描画_数値(s, 0.1, 0.1, n, 0, 0, 12);
    描画_数値(s, 0, 0, n, 15, 0, 12);
}

void 描画_ハンデレベル(State& s, int level) {
    for (int x = 11; x <= 14; ++x) 描画_絵(s, s.opt.HAIKEI_NO, x, 1);
    描画_文字列(s, 11.1, 1.1, level, 0, 10);
    描画_文字列(s, 11, 1, level, 15, 10);
}

void 描画_手数(State& s, int n, int colour) {
    描画_絵(s, s.opt.HAIKEI_NO, 13, 3);
    描画_絵(s, s.opt.HAIKEI_NO, 14, 3);
    描画_桝輪郭(s, 2, 11, 3);
    std::string text = std::to_string(n);
    // Right-aligned by eye: each extra digit starts a tenth of a cell further left.
    double x = text.size() <= 1 ? 13.3 : text.size() == 2 ? 13.2 : 13.1;
    描画_数値(s, x, 3.3, text, 0, 0, 12);
    描画_数値(s, x - 0.1, 3.2, text, 15, 0, 12);
    // The suffix sits higher because 描画_文字列 adds its own offset and the font is smaller.
    描画_文字列(s, 13.9, 3.1, 99, 0, 10);
    描画_文字列(s, 13.8, 3.0, 99, 15, 10);
}

void 描画_駒点滅(State& s, int code, double x, double y, int count) {
    for (int i = 0; i < count; ++i) {
        描画_絵(s, EMPTY, x, y);
        描画_桝輪郭(s, 2, x, y);
        s.port.flush();
        待ち時間(s, 0.2);
        描画_絵(s, code, x, y);
        描画_桝輪郭(s, 2, x, y);
        s.port.flush();
        待ち時間(s, 0.2);
    }
}
