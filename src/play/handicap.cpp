#include "play/handicap.h"

#include <string>
#include <string_view>

#include "play/state.h"
#include "ui/drawing.h"

namespace {

// By level -9..10. MAN gives bishop first, then rook, lances, knights, silvers, golds as
// the level falls; COM gives the same pieces in the same order as it rises.
constexpr HandicapStep STEPS[] = {
    {6, 9, MAN_KIN},  {4, 9, MAN_KIN},  {7, 9, MAN_GIN},  {3, 9, MAN_GIN},  {8, 9, MAN_KEI},
    {2, 9, MAN_KEI},  {9, 9, MAN_KYOU}, {1, 9, MAN_KYOU}, {8, 8, MAN_SYA},  {2, 8, MAN_KAKU},
    {8, 2, COM_KAKU}, {2, 2, COM_SYA},  {9, 1, COM_KYOU}, {1, 1, COM_KYOU}, {8, 1, COM_KEI},
    {2, 1, COM_KEI},  {7, 1, COM_GIN},  {3, 1, COM_GIN},  {6, 1, COM_KIN},  {4, 1, COM_KIN}};

// Answers whether the handicap may not be changed now, after telling the user why.
bool refused(const GameState& g, SoundPort& sound, DialogPort& dialog) {
    int code = 0;
    if (g.KIFU_MODE())
        code = 1;
    else if (g.TESU() > 0)
        code = 2;
    else if (g.HANTEN())
        code = 3;
    if (code == 0) return false;
    sound.playSound(Sound::KINSHI);
    描画_メッセージ(dialog, code);
    return true;
}

void setSquare(State& s, int x, int y, int code) {
    s.pos.put(x, y, code);
    描画_絵(s.canvas, code, x, y);
    描画_桝輪郭(s.canvas, colours::GREEN, x, y);
    s.sound.playSound(Sound::KOMA);
}

}  // namespace

HandicapStep handicapStep(int level) {
    if (level <= HANDE_LEVEL_MIN || level > HANDE_LEVEL_MAX) return {0, 0, EMPTY};
    return STEPS[level + 9];
}

void 描画_メッセージ(DialogPort& dialog, int code) {
    std::string_view reason;
    switch (code) {
        case 1: reason = "棋譜ﾓｰﾄﾞではできません"; break;
        case 2: reason = "対局途中ではできません"; break;
        case 3: reason = "反転後ではできません"; break;
        default: break;
    }
    std::string text(reason);
    text += "\n\n局面→最初にして下さい";
    dialog.message(text, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定", Buttons::Ok);
}

void LBEL_UP_Click(State& s) {
    if (refused(s.game, s.sound, s.dialog)) return;
    const int was = s.game.HANDE_LEVEL();
    const int level = was < HANDE_LEVEL_MAX ? was + 1 : was;
    s.game.handicapSet(s.hist, level);
    if (level != was) {
        描画_ハンデレベル(s.canvas, level);
        const HandicapStep st = handicapStep(level);
        setSquare(s, st.x, st.y, level <= 0 ? st.piece : EMPTY);
    }
}

void LEBEL_DOWN_Click(State& s) {
    if (refused(s.game, s.sound, s.dialog)) return;
    const int was = s.game.HANDE_LEVEL();
    const int level = was > HANDE_LEVEL_MIN ? was - 1 : was;
    s.game.handicapSet(s.hist, level);
    if (level != was) {
        const HandicapStep st = handicapStep(was);
        描画_ハンデレベル(s.canvas, level);
        setSquare(s, st.x, st.y, was <= 0 ? EMPTY : st.piece);
    }
}
