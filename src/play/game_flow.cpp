// Starting, continuing and ending games, and ending the program.
#include "play/game_flow.h"

#include "play/com_ban.h"
#include "play/setup.h"
#include "play/screen.h"
#include "play/moves.h"
#include "play/state.h"
#include "play/typed_move.h"
#include "play/clock.h"
#include "play/panel.h"
#include "play/window_events.h"
#include "ui/drawing.h"

namespace {

// Against the computer the moves after the position shown are given up.
void startAgainstCom(State& s) {
    auto& g = s.game;
    g.comGameStarted();
    // TESU, not the counter shown: after 反転 the counter keeps counting while the history
    // starts again at 0, and the entries behind it belong to the board before the turn.
    // After moves between people the position shown is not stored yet; stored now, 戻 and
    // 進 and a record written before the next move show it rather than an older game's.
    if (g.TESU() > s.hist.SAISHU_TESU())
        手順保存(s.hist, g, s.pos, s.clock.MAN_JIKAN, s.clock.MAN_JIKAN, s.clock.COM_JIKAN,
                 s.clock.COM_JIKAN);
    g.entryStored(s.hist, g.TESU());
}

// A game is over once a king is taken or it has reached the last move the history holds;
// the next start then sets up a fresh game.
bool gameOver(const GameState& g) { return g.SHOUHAI() != 0 || !履歴に空きあり(g); }

// What both games against COM do first: a fresh game after a finished one, the record area
// cleared and the level shown.
void openComGame(State& s) {
    if (gameOver(s.game)) 初期設定(s);
    描画_棋譜読込み部分消去(s.canvas);
    描画_レベル(s.canvas, s.analysis.LEVEL_NO);
    描画_将棋盤桝(s.canvas);
    描画_自持盤(s.canvas, s.pos);
}

}  // namespace

void START_Click(State& s) {
    auto& g = s.game;
    if (gameOver(g)) {
        初期設定(s);
        s.canvas.paint.flush();
    }
    描画_棋譜読込み部分消去(s.canvas);
    for (int x = -2; x <= 0; ++x)
        描画_絵(s.canvas, s.canvas.opt.HAIKEI_NO, x, 0);  // no level between people
    描画_将棋盤桝(s.canvas);
    描画_自持盤(s.canvas, s.pos);
    s.clock.KAISHI_JIKAN = s.timer.timeOfDay();
    if (s.canvas.opt.KEIKA) タイマー設定(s.clock, s.timer, true);
    g.peopleGameStarted();
    if (g.TEBAN() == 0 || g.HYOUJI_TESU() == 0) {
        g.sidesSet(SENTE_BAN);
        g.turnPassesTo(Side::MAN);
        s.dialog.message("先手の番です", " ", Buttons::Ok);
    } else if (g.TEBAN() == SENTE_BAN) {
        s.dialog.message("先手の番です", " ", Buttons::Ok);
    } else if (g.TEBAN() == GOTE_BAN) {
        s.dialog.message("後手の番です", " ", Buttons::Ok);
    }
    g.resumed();
}

void SENTE_Click(State& s) {
    auto& g = s.game;
    openComGame(s);
    startAgainstCom(s);
    s.clock.KAISHI_JIKAN = s.timer.timeOfDay();
    タイマー設定(s.clock, s.timer, true);
    if (g.TEBAN() == 0 || g.HYOUJI_TESU() == 0) {
        g.sidesSet(SENTE_BAN);
        g.turnPassesTo(SENTE_BAN);
        s.dialog.message("MANの番です", " ", Buttons::Ok);
        g.resumed();
    } else if (g.mover() == Side::MAN) {
        g.sidesSet(SENTE_BAN);
        g.turnPassesTo(SENTE_BAN);
        s.dialog.message("MANの番です", "対局", Buttons::Ok);
        g.resumed();
    } else if (g.mover() == Side::COM) {
        com_ban(s);
    }
}

void GOTE_Click(State& s) {
    auto& g = s.game;
    openComGame(s);
    タイマー設定(s.clock, s.timer, true);
    startAgainstCom(s);
    if (g.TEBAN() == 0 || g.HYOUJI_TESU() == 0) {
        g.sidesSet(GOTE_BAN);
        g.turnPassesTo(SENTE_BAN);
        com_ban(s);
    } else if (g.mover() == Side::MAN) {
        s.dialog.message("MANの番です", "対局", Buttons::Ok);
        g.resumed();
    } else if (g.mover() == Side::COM) {
        com_ban(s);
    }
}

void TAIKYOKU_Click(State& s) { パネル閉じる(s.recordPanel); }
void STOP_Click(State& s) { パネル閉じる(s.recordPanel); }
void MATCH_MAN_Click(State&) {}

void 終了処理(PlayControl& p, SoundPort& sound) {
    // Esc ends the program and the window then closes: the sounds are freed once.
    if (p.soundReleased) return;
    p.soundReleased = true;
    for (Sound each : {Sound::SONOTA, Sound::KINSHI, Sound::KOMA, Sound::BGM, Sound::SHOUMETSU})
        sound.freeSound(each);
    if (p.SOUND_DEVICE) sound.closeSound();
    p.SOUND_DEVICE = false;
}

void OWARI_Click(State& s) {
    終了処理(s.play, s.sound);
    s.window.quit();
}

void Form_KeyPress(State& s, int code) {
    // Esc with a move half typed clears it; only with nothing typed does it end the program.
    if (指し手入力キー(s, code) || code != 27) return;
    終了処理(s.play, s.sound);
    s.window.quit();
}

// The window closes by itself after this.
void Form_Unload(State& s) { 終了処理(s.play, s.sound); }
