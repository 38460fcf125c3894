#include <array>
#include <string>

#include "core/constants.h"
#include "ui/drawing.h"

bool 絵あり(int code) { return isPieceCode(code) || code == -3 || (code >= 5 && code <= 9); }

namespace {

std::string_view 漢数字(int n) {
    static constexpr std::array<std::string_view, 9> names{"一", "二", "三", "四", "五",
                                                           "六", "七", "八", "九"};
    return n >= 1 && n <= 9 ? names[n - 1] : std::string_view{};
}

}  // namespace

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

void 描画_絵(Canvas& cv, int code, double x, double y) {
    if (絵あり(code)) cv.paint.drawPicture(code, セル左(x), セル上(y));
}

void 描画_桝輪郭(Canvas& cv, int colour, double x, double y) {
    cv.paint.drawOutline(colour, セル左(x), セル上(y), セル左(x) + CELL_W, セル上(y) + CELL_H);
}

void 描画_数値(Canvas& cv, double x, double y, std::string_view value, int colour, int style,
               int size, bool bold) {
    std::string_view text;
    if (style == 0) {
        text = value;
    } else if (style == 1) {
        if (value.size() == 1) text = 漢数字(value[0] - '0');
    }
    if (text.empty()) return;
    cv.paint.drawText(セル左(x), セル上(y), text, colour, size, bold);
}

void 描画_数値(Canvas& cv, double x, double y, int value, int colour, int style, int size,
               bool bold) {
    if (style == 1) {
        std::string_view text = 漢数字(value);
        if (!text.empty()) cv.paint.drawText(セル左(x), セル上(y), text, colour, size, bold);
        return;
    }
    描画_数値(cv, x, y, std::to_string(value), colour, style, size, bold);
}

void 描画_文字列(Canvas& cv, double x, double y, int code, int colour, int size) {
    std::string_view text = ハンデ表示(code);
    if (!text.empty())
        cv.paint.drawText(セル左(x) + 120, セル上(y) + 160, text, colour, size, false);
}

void 描画_移動駒種類(Canvas& cv, double x, double y, std::string_view text, int colour) {
    // The move text is the size of the clock figures.
    cv.paint.drawText(セル左(x), セル上(y), text, colour, 12, false);
}

void 描画_レベル(Canvas& cv, int n) {
    描画_数値(cv, -1.4, 0.2, "LEVEL", colours::BLACK, 0, 10);
    描画_数値(cv, -1.5, 0.1, "LEVEL", colours::WHITE, 0, 10);
    描画_数値(cv, 0.1, 0.1, n, colours::BLACK, 0, 12);
    描画_数値(cv, 0, 0, n, colours::WHITE, 0, 12);
}

void 描画_ハンデレベル(Canvas& cv, int level) {
    for (int x = 11; x <= 14; ++x) 描画_絵(cv, cv.opt.HAIKEI_NO, x, 1);
    描画_文字列(cv, 11.1, 1.1, level, colours::BLACK, 10);
    描画_文字列(cv, 11, 1, level, colours::WHITE, 10);
}

void 描画_手数(Canvas& cv, int n, int colour) {
    描画_絵(cv, cv.opt.HAIKEI_NO, 13, 3);
    描画_絵(cv, cv.opt.HAIKEI_NO, 14, 3);
    描画_桝輪郭(cv, colours::GREEN, 11, 3);
    std::string text = std::to_string(n);
    // Right-aligned by eye: each extra digit starts a tenth of a cell further left.
    double x = text.size() <= 1 ? 13.3 : text.size() == 2 ? 13.2 : 13.1;
    描画_数値(cv, x, 3.3, text, colours::BLACK, 0, 12);
    描画_数値(cv, x - 0.1, 3.2, text, colours::WHITE, 0, 12);
    // The suffix sits higher because 描画_文字列 adds its own offset and the font is smaller.
    描画_文字列(cv, 13.9, 3.1, 99, colours::BLACK, 10);
    描画_文字列(cv, 13.8, 3.0, 99, colours::WHITE, 10);
}

void 描画_駒点滅(Canvas& cv, int code, double x, double y, int count) {
    for (int i = 0; i < count; ++i) {
        描画_絵(cv, EMPTY, x, y);
        描画_桝輪郭(cv, colours::GREEN, x, y);
        cv.paint.flush();
        cv.pause.wait(0.2);
        描画_絵(cv, code, x, y);
        描画_桝輪郭(cv, colours::GREEN, x, y);
        cv.paint.flush();
        cv.pause.wait(0.2);
    }
}
