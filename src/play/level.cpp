#include "play/level.h"

#include <string_view>

#include "play/state.h"
#include "ui/drawing.h"

namespace {

void levelClick(State& s, int n) {
    // The old level text goes under fresh background before the new one is drawn.
    for (int x = -2; x <= 0; ++x) 描画_絵(s.canvas, s.canvas.opt.HAIKEI_NO, x, 0);
    レベル_設定(s.canvas, s.window, s.game, s.analysis.LEVEL_NO, n);
}

}  // namespace

void レベル_設定(Canvas& cv, WindowPort& menu, const GameState& g, int& level, int n) {
    static constexpr std::string_view items[3] = {"LEVEL1", "LEVEL2", "LEVEL3"};
    for (std::string_view item : items) menu.setChecked(item, false);
    if (n >= 1 && n <= 3) {
        menu.setChecked(items[n - 1], true);
        level = n;
    }
    if (g.COM_TAISEN() == 1) 描画_レベル(cv, level);
}

void LEVEL1_Click(State& s) { levelClick(s, 1); }
void LEVEL2_Click(State& s) { levelClick(s, 2); }
void LEVEL3_Click(State& s) { levelClick(s, 3); }
