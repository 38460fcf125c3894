// Stepping back and forth through the history, the first position, and the reversed board.
#include "play/browsing.h"

#include "ai/mate.h"
#include "core/moves.h"
#include "play/setup.h"
#include "play/screen.h"
#include "play/moves.h"
#include "play/state.h"
#include "play/clock.h"
#include "play/panel.h"
#include "play/move_text.h"
#include "ui/drawing.h"

namespace {

// Both clocks as they stood at entry t, that is before the move made from it.
void restoreClocks(Clock& c, const History& h, Canvas& cv, int t) {
    c.COM_JIKAN = h.COM_JIKAN_MAE[t];
    描画_所有時間(cv, Side::COM, c.COM_JIKAN);
    c.MAN_JIKAN = h.MAN_JIKAN_MAE[t];
    描画_所有時間(cv, Side::MAN, c.MAN_JIKAN);
}

// At the live end the position on the board is not in the history yet. Its board and hands
// go under TESU, beyond the last entry, so that the move taken back is read from it; the
// last entry stays where it was, so 進 cannot step onto it.
void keepLivePosition(History& h, const Position& p, int t) {
    if (t <= h.SAISHU_TESU() || t > TESU_MAX) return;
    storePosition(h, t, p);
}

void beginStep(State& s) {
    s.game.selectionDropped();
    タイマー設定(s.clock, s.timer, false);
    描画_将棋盤桝(s.canvas);
}

void drawPosition(Canvas& cv, const Position& p) {
    描画_自持盤(cv, p);
    描画_敵持盤(cv, p);
    描画_盤(cv, p);
}

}  // namespace

void REPLAY_Click(State& s) {
    auto& g = s.game;
    パネル閉じる(s.recordPanel);
    g.browsingAsked();
    if (g.TESU() < 1) {
        s.sound.playSound(Sound::KINSHI);
        s.dialog.message("できません", "戻る", Buttons::Ok);
        return;
    }
    beginStep(s);
    keepLivePosition(s.hist, s.pos, g.TESU());
    restorePosition(s.pos, s.hist, g.TESU() - 1);
    restoreClocks(s.clock, s.hist, s.canvas, g.TESU() - 1);
    drawPosition(s.canvas, s.pos);
    // The square, and the piece, that the move taken back filled.
    const Arrival a = 調査_移動結果(s.hist, g.TESU());
    s.sound.playSound(Sound::KOMA);
    消去_移動結果(s.canvas, ownerOf(a.code));
    g.steppedBack();
    描画_手数(s.canvas, g.HYOUJI_TESU(), colours::WHITE);
}

void AFTER_Click(State& s) {
    auto& g = s.game;
    パネル閉じる(s.recordPanel);
    if (g.TEBAN() == 0) {
        s.sound.playSound(Sound::KINSHI);
        s.dialog.message("「対局」で始めて下さい", "開始", Buttons::Ok);
        return;
    }
    g.browsingAsked();
    if (g.TESU() >= s.hist.SAISHU_TESU()) {
        if (g.KIFU_MODE()) {
            s.dialog.message("終わり", "進む", Buttons::Ok);
        } else {
            s.sound.playSound(Sound::KINSHI);
            s.dialog.message("できません", "進む", Buttons::Ok);
        }
        return;
    }
    beginStep(s);
    g.steppedForward();
    描画_手数(s.canvas, g.HYOUJI_TESU(), colours::WHITE);
    restorePosition(s.pos, s.hist, g.TESU());
    // The clocks of the position shown: those before the move made from it, as 戻 does.
    restoreClocks(s.clock, s.hist, s.canvas, g.TESU());
    drawPosition(s.canvas, s.pos);
    const Arrival a = 調査_移動結果(s.hist, g.TESU());
    s.sound.playSound(Sound::KOMA);
    描画_移動結果(s.canvas, ownerOf(a.code), a.x, a.y, a.code, 15);
    描画_手数(s.canvas, g.HYOUJI_TESU(), colours::WHITE);
}

void CANCEL_Click(State& s) {
    初期設定(s);
    s.sound.playSound(Sound::KOMA);
}

void REVERSE_Click(State& s) {
    auto& g = s.game;
    auto& p = s.pos;
    if (g.KIFU_MODE()) {
        s.sound.playSound(Sound::KINSHI);
        s.dialog.message("棋譜ﾓｰﾄﾞではできません", "反転", Buttons::Ok);
        return;
    }
    g.reverseStarted();

    reverseBoard(p);

    画面_再描画(s.canvas, p, g, s.clock, s.analysis.LEVEL_NO);
    描画_手数(s.canvas, g.HYOUJI_TESU(), colours::WHITE);
    g.reversed(s.hist);
    if (g.HANDE_SETTEI()) 描画_ハンデレベル(s.canvas, g.HANDE_LEVEL());
    s.sound.playSound(Sound::KOMA);
}
