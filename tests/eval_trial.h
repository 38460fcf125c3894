#pragma once
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "ai/analysis.h"
#include "ai/danger.h"
#include "ai/evaluation.h"
#include "ai/mate.h"
#include "ai/piece_terms.h"
#include "ai/search.h"
#include "ai/survey.h"
#include "ai/tactics.h"
#include "core/moves.h"
#include "core/square_guard.h"

// What COM's turn prepares before its first trial, on a board surveyed as after MAN's
// move: the snapshots, MAN's escape squares and the once-per-turn surveys.
inline void prepareTurn(Analysis& s) {
    勢力調査(s);
    思考準備(s);
}

// One COM candidate made on BAN in place and surveyed, the way COM's turn tries it, and
// taken back when it goes out of scope. fx = -1 is a drop of kind fy. `placed` replaces
// the moving code on the destination (a promotion).
struct TrialMove {
    Analysis& s;
    int captured, placed, fx, fy, tx, ty;
    std::optional<TrialSquare> from, to;

    TrialMove(Analysis& st, int fx_, int fy_, int tx_, int ty_, int promoted = 0)
        : s(st), fx(fx_), fy(fy_), tx(tx_), ty(ty_) {
        const auto& BAN = s.pos.board();
        if (fx < 0) {
            s.turn.IDOU_KOMA = fy * 10;
            captured = 0;
        } else {
            s.turn.IDOU_KOMA = BAN[fx][fy];
            s.turn.MAN_OU_KYORI =
                std::max(std::abs(fx - s.kingsSeen.MAN_OU_X), std::abs(fy - s.kingsSeen.MAN_OU_Y));
            captured = BAN[tx][ty];
            from.emplace(s.pos, fx, fy, EMPTY);
        }
        placed = promoted ? promoted : s.turn.IDOU_KOMA;
        to.emplace(s.pos, tx, ty, placed);
        勢力調査(s);
    }
    TrialMove(const TrialMove&) = delete;
    TrialMove& operator=(const TrialMove&) = delete;

    double eval() { return 盤評価(s, captured, placed, fx, fy, tx, ty); }
    // The piece terms alone, from a score of 0.
    double pieceTerms() { return ::pieceTerms(s, 0, captured, placed, fx, fy, tx, ty); }
    double danger() { return 盤評価_COM危険座標(s, placed, tx, ty); }
};
