#include "play/com_ban.h"

#include "ai/search.h"
#include "ai/survey.h"
#include "core/rules.h"
#include "play/clock.h"
#include "play/move_text.h"
#include "play/moves.h"
#include "play/setup.h"
#include "play/state.h"
#include "play/turn.h"
#include "ui/drawing.h"

namespace {

void showThinking(Canvas& cv) {
    const int bg = cv.opt.HAIKEI_NO;
    描画_絵(cv, bg, -2, 8);
    描画_絵(cv, bg, -1, 8);
    描画_絵(cv, bg, 0, 8);
    描画_桝輪郭(cv, colours::GREEN, -1, 7);
    描画_数値(cv, -1.5, 8.5, "思考中", colours::BLACK, 0, 12);
    描画_数値(cv, -1.6, 8.4, "思考中", colours::WHITE, 0, 12);
    描画_桝輪郭(cv, colours::GREEN, 1, 8);
}

}  // namespace

void com_ban(State& s) {
    auto& g = s.game;
    auto& c = s.clock;
    auto& t = s.analysis.turn;
    if (g.SHOUHAI() != 0) return;
    if (!履歴に空きあり(g)) {
        手数上限終了(g, c, s.timer, s.dialog);
        return;
    }
    c.KAISHI_JIKAN = s.timer.timeOfDay();
    if (s.canvas.opt.KEIKA) タイマー設定(c, s.timer, true);
    showThinking(s.canvas);

    思考準備(s.analysis);
    s.canvas.paint.flush();
    // The clock keeps moving while COM thinks.
    if (!候補探索(s.analysis, [&s] { Timer1_Timer(s); })) {
        // Nothing to play: COM resigns.
        タイマー設定(c, s.timer, false);
        g.resigned();
        s.dialog.message(投了メッセージ, "終了", Buttons::Ok);
        return;
    }

    const bool drop = t.BEST_FX == COM_DROP_X;
    const Move best{t.BEST_FX, t.BEST_FY,       t.BEST_TX,
                    t.BEST_TY, t.BEST_NEW_KOMA, !drop && t.BEST_NEW_KOMA != t.BEST_KOMA};
    const MoveOutcome out =
        playMove(s, best, Mover::Computer,
                 {.beforeTravel =
                      [&s, drop] {
                          const Turn& b = s.analysis.turn;
                          if (drop)
                              描画_駒点滅(s.canvas, b.BEST_NEW_KOMA, COM_DROP_X,
                                          standCell(Side::COM, b.BEST_FY).y, 2);
                          else
                              描画_駒点滅(s.canvas, b.BEST_KOMA, b.BEST_FX, b.BEST_FY, 2);
                      },
                  .afterTravel = [&s] { 待ち時間(s.timer, 0.5); }});
    afterMove(s, Mover::Computer, out, MoveLabel{Side::COM, t.BEST_TX, t.BEST_TY, t.BEST_NEW_KOMA});
}
