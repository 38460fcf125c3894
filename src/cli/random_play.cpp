#include "cli/random_play.h"

#include "core/moves.h"
#include "core/rules.h"

std::vector<std::string> 合法手一覧_MAN(Position& p) {
    std::vector<std::string> moves;
    const Map& BAN = p.BAN;
    調査_2歩フラグ設定(p);
    auto add = [&](int fx, int fy, int tx, int ty, bool promote) {
        moves.push_back(std::to_string(fx) + " " + std::to_string(fy) + " " + std::to_string(tx) +
                        " " + std::to_string(ty) + (promote ? " promote" : ""));
    };
    for (int fx = 1; fx <= 9; ++fx)
        for (int fy = 1; fy <= 9; ++fy) {
            const int c = BAN[fx][fy];
            if (!isMan(c)) continue;
            for (int tx = 1; tx <= 9; ++tx)
                for (int ty = 1; ty <= 9; ++ty) {
                    if (移動チェック(p, fx, fy, tx, ty, c) != ON) continue;
                    const bool may = 調査_駒成(p, fx, fy, tx, ty, c) == ON;
                    if (移動後チェック(ty, c) == ON) add(fx, fy, tx, ty, false);
                    if (may) add(fx, fy, tx, ty, true);
                }
        }
    for (int k = HU; k <= SYA; ++k) {
        if (p.MOCHI_MAN[k] <= 0) continue;
        for (int tx = 1; tx <= 9; ++tx)
            for (int ty = 1; ty <= 9; ++ty)
                if (移動チェック(p, MAN_DROP_X, k + 2, tx, ty, manCode(k)) == ON)
                    add(MAN_DROP_X, k + 2, tx, ty, false);
    }
    return moves;
}
