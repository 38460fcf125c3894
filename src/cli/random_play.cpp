#include "cli/random_play.h"

#include "core/legal_moves.h"

std::vector<std::string> 合法手一覧_MAN(Position& p) {
    std::vector<std::string> moves;
    調査_2歩フラグ設定(p);
    forEachLegalMove(p, Side::MAN, [&](const Move& m) {
        moves.push_back(std::to_string(m.fx) + " " + std::to_string(m.fy) + " " +
                        std::to_string(m.tx) + " " + std::to_string(m.ty) +
                        (m.promote ? " promote" : ""));
        return false;
    });
    return moves;
}
