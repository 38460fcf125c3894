#include "ai/search.h"

#include <algorithm>
#include <cstdlib>

#include "ai/analysis.h"
#include "ai/evaluation.h"
#include "ai/mate.h"
#include "ai/survey.h"
#include "ai/tactics.h"
#include "core/legal_moves.h"
#include "core/square_guard.h"

namespace {

// Keeps a candidate that scores strictly higher than the best so far, so the first one in
// the scan wins ties.
bool offer(Turn& t, double score, int fx, int fy, int tx, int ty, int newCode) {
    if (!(score > t.BEST_SCORE)) return false;
    t.BEST_SCORE = score;
    t.BEST_FX = fx;
    t.BEST_FY = fy;
    t.BEST_TX = tx;
    t.BEST_TY = ty;
    t.BEST_NEW_KOMA = newCode;
    return true;
}

// Scores one candidate on the board in place and puts the board back.
double trial(Analysis& s, const Move& m, int captured) {
    const TrialSquare to(s.pos, m.tx, m.ty, m.code);
    if (m.isDrop()) {
        勢力調査(s);
        return 盤評価(s, captured, m.code, m.fx, m.fy, m.tx, m.ty);
    }
    const TrialSquare from(s.pos, m.fx, m.fy, EMPTY);
    勢力調査(s);
    return 盤評価(s, captured, m.code, m.fx, m.fy, m.tx, m.ty);
}

// COM's candidates as the generator offers them. A move that may promote comes twice,
// unpromoted first: the two trials are weighed together before one offer is made.
class Trials {
public:
    Trials(Analysis& s, const ScoreWatch& watch) : s_(s), watch_(watch) {}

    // Answers whether the trial must stop at once: MAN's king taken, or a mating drop.
    bool operator()(const Move& m) {
        Turn& t = s_.turn;
        if (m.isDrop()) {
            t.IDOU_KOMA = m.code;
            const double score = weigh(m, 0);
            return offer(t, score, m.fx, m.fy, m.tx, m.ty, m.code) && t.BEST_SCORE >= 9998;
        }
        const int captured = s_.pos.board()[m.tx][m.ty];
        if (!m.promote) {
            t.IDOU_KOMA = m.code;
            t.MAN_OU_KYORI = std::max(std::abs(m.fx - s_.kingsSeen.MAN_OU_X),
                                      std::abs(m.fy - s_.kingsSeen.MAN_OU_Y));
            const double score = weigh(m, captured);
            // The promoting twin follows: weigh them together then.
            if (調査_駒成(m.fx, m.fy, m.tx, m.ty, m.code).may) {
                unpromoted_ = score;
                return false;
            }
            return settle(m, captured, score, m.code);
        }
        const int piece = m.piece();
        if (移動後チェック(m.ty, piece) == OFF) {
            t.IDOU_KOMA = piece;
            t.MAN_OU_KYORI = std::max(std::abs(m.fx - s_.kingsSeen.MAN_OU_X),
                                      std::abs(m.fy - s_.kingsSeen.MAN_OU_Y));
            return settle(m, captured, weigh(m, captured), m.code);
        }
        double score = unpromoted_;
        int newCode = piece;
        const double s2 = weigh(m, captured);
        if (s2 > score) {
            score = s2;
            newCode = m.code;
        }
        // Pawns, bishops and rooks lose nothing by promoting.
        if (piece == COM_HU || piece == COM_KAKU || piece == COM_SYA) newCode = m.code;
        return settle(m, captured, score, newCode);
    }

private:
    double weigh(const Move& m, int captured) {
        const double score = trial(s_, m, captured);
        if (watch_) watch_(m, score);
        return score;
    }

    bool settle(const Move& m, int captured, double score, int newCode) {
        Turn& t = s_.turn;
        if (!offer(t, score, m.fx, m.fy, m.tx, m.ty, newCode)) return false;
        t.BEST_KOMA = t.IDOU_KOMA;
        return captured == MAN_OU;
    }

    Analysis& s_;
    const ScoreWatch& watch_;
    double unpromoted_ = 0;
};

}  // namespace

void 思考準備(Analysis& s) {
    auto& t = s.turn;
    t.BEST_SCORE = -99999;
    t.BEST_FX = t.BEST_FY = t.BEST_TX = t.BEST_TY = 0;
    t.BEST_KOMA = t.BEST_NEW_KOMA = 0;
    t.BAN_MAE = s.pos.board();
    t.NIGEMICHI_BAN = {};
    調査_2歩フラグ設定(s.pos);
    t.NIGEMICHI_SU = 調査_自王逃道(s);
    勢力調査(s);
    調査_持角狙座標(s);
    調査_移動不可駒(s);
    t.SEIRYOKU_MAN_MAE = s.inf.SEIRYOKU_MAN;
    t.SEIRYOKU_COM_MAE = s.inf.SEIRYOKU_COM;
    t.NERAI_COM_X_MAE = s.inf.NERAI_COM_X;
    t.NERAI_COM_Y_MAE = s.inf.NERAI_COM_Y;
}

bool 候補探索(Analysis& s, const std::function<void()>& tick, const ScoreWatch& watch) {
    Trials trials(s, watch);
    forEachLegalMove(s.pos, Side::COM, trials, [&tick] {
        if (tick) tick();
    });
    return s.turn.BEST_FX != 0;  // every evaluation lies far above the start score
}
