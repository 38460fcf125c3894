#include "ai/mate.h"

#include <cstdlib>

#include "core/rules.h"
#include "core/square_guard.h"
#include "ai/analysis.h"

int 詰めかMAN_COM移動(const Analysis& s) {
    const Position& p = s.pos;
    const int ox = s.kingsSeen.MAN_OU_X;
    const int oy = s.kingsSeen.MAN_OU_Y;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = p.at(x, y);
            if (isCom(c) && 移動チェック(p, x, y, ox, oy, c) == ON) return ON;
        }
    return OFF;
}

namespace {

// Can a piece dropped between a ranging checker and the king stop every check? A MAN
// pawn stands in for whatever would be dropped. ON = a drop always helps.
int 合駒で防げる(Analysis& s, int ox, int oy) {
    const auto& ban = s.pos.board();
    const auto& oute = s.inf.OUTE_COM;
    const bool onlyPawns = s.pos.manHandTotal() == s.pos.manHand()[HU];
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            // An adjacent checker or a knight cannot be blocked.
            if (oute[x][y] == 9 && std::abs(x - ox) < 2 && std::abs(y - oy) < 2) return OFF;
            if (oute[x][y] != 1) continue;
            if (onlyPawns && 移動チェック(s.pos, MAN_DROP_X, 0, x, y, MAN_HU) == OFF) return OFF;
            const TrialSquare blocker(s.pos, x, y, MAN_HU);
            for (int x2 = 1; x2 <= 9; ++x2)
                for (int y2 = 1; y2 <= 9; ++y2)
                    if (oute[x2][y2] == 9 && 移動チェック(s.pos, x2, y2, ox, oy, ban[x2][y2]) == ON)
                        return OFF;
        }
    return ON;
}

// Does the king have a neighbour it may step to that no COM piece reaches?
int 王が逃げられる(Analysis& s, int ox, int oy) {
    for (int x = ox - 1; x <= ox + 1; ++x)
        for (int y = oy - 1; y <= oy + 1; ++y)
            if (onBoard(x, y) && s.inf.SEIRYOKU_COM[x][y] == 0 &&
                移動チェック(s.pos, ox, oy, x, y, MAN_OU) == ON)
                return ON;
    return OFF;
}

// Can a MAN board piece take a checker or step between so that afterwards no COM piece
// reaches the king? The move is a plain single-piece move, undone at once.
int 駒で防げる(Analysis& s) {
    const auto& ban = s.pos.board();
    const auto& oute = s.inf.OUTE_COM;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = ban[x][y];
            if (c < MAN_RYU || c > MAN_HU) continue;
            for (int x2 = 1; x2 <= 9; ++x2)
                for (int y2 = 1; y2 <= 9; ++y2) {
                    if (x2 == x && y2 == y) continue;
                    if (oute[x2][y2] <= 0 || 移動チェック(s.pos, x, y, x2, y2, c) == OFF) continue;
                    // MAN's king may be the piece that moves: its square is still read as
                    // the survey left it.
                    const TrialSquare to(s.pos, x2, y2, c);
                    const TrialSquare from(s.pos, x, y, EMPTY);
                    if (詰めかMAN_COM移動(s) == OFF) return ON;
                }
        }
    return OFF;
}

}  // namespace

int 詰めかMAN(Analysis& s) {
    const int ox = s.kingsSeen.MAN_OU_X;
    const int oy = s.kingsSeen.MAN_OU_Y;
    if (!onBoard(ox, oy) || s.inf.SEIRYOKU_COM[ox][oy] == 0) return OFF;
    if (s.pos.manHandTotal() > 0 && 合駒で防げる(s, ox, oy) == ON) return OFF;
    if (王が逃げられる(s, ox, oy) == ON) return OFF;
    if (駒で防げる(s) == ON) return OFF;
    return ON;
}

int 調査_自王逃道(Analysis& s) {
    const int ox = s.kingsSeen.MAN_OU_X;
    const int oy = s.kingsSeen.MAN_OU_Y;
    int count = 0;
    auto examine = [&](int x, int y) {
        if (onBoard(x, y) && s.pos.board()[x][y] == EMPTY && s.inf.SEIRYOKU_COM[x][y] == 0) {
            s.turn.NIGEMICHI_BAN[x][y] = 1;
            ++count;
        }
    };
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx != 0 || dy != 0) examine(ox + dx, oy + dy);
    return count;
}
