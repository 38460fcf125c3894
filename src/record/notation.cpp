#include "record/notation.h"

#include <cstdlib>

std::string_view 文字列変換(int code) {
    static constexpr std::string_view digits[9] = {"１", "２", "３", "４", "５",
                                                   "６", "７", "８", "９"};
    static constexpr std::string_view rows[9] = {"一", "二", "三", "四", "五",
                                                 "六", "七", "八", "九"};
    if (code >= 1 && code <= 9) return digits[code - 1];
    if (code >= 1001 && code <= 1009) return rows[code - 1001];
    switch (std::abs(code)) {
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
