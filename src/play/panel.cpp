#include "play/panel.h"

#include "core/constants.h"
#include "record/record_file.h"

// The panel's widgets belong to the window; until the port can show them these do nothing.
void 描画_可視(State&, int, int, int) {}
void 描画_棋譜_IO(State&, int) {}

void パネル閉じる(State& s) {
    描画_可視(s, OFF, OFF, OFF);
    描画_棋譜_IO(s, 1);
}

void KIFU_READ_Click(State& s) {
    描画_可視(s, ON, ON, ON);
    描画_棋譜_IO(s, 1);
}

void KIFU_WRITE_Panel(State& s) {
    if (KIFU_WRITE_Click(s) != ON) return;
    描画_可視(s, ON, ON, OFF);
    描画_棋譜_IO(s, 0);
}

void OPTION_Click(State& s) { パネル閉じる(s); }
