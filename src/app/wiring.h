#pragma once
#include "play/reader.h"
#include "play/state.h"
#include "play/typed_move.h"
#include "play/window_events.h"
#include "ui/qt/window_handlers.h"

// The game's procedures behind the window's events. The program and the random-event storm
// connect the same ones, so the storm drives the game exactly as a player does. After each
// event a move half typed shows over whatever was redrawn, and a screen reader is told what
// the window shows.
inline WindowHandlers gameHandlers(State& s) {
    return {
        .mouseDown =
            [&s](int button, int shift, double x, double y) {
                Form_MouseDown(s, button, shift, x, y);
                再描画_入力中指し手(s.canvas, s.typing);
                読上げ更新(s);
            },
        .keyPress =
            [&s](int code) {
                Form_KeyPress(s, code);
                読上げ更新(s);
            },
        .unload = [&s] { Form_Unload(s); },
        .timer =
            [&s] {
                Timer1_Timer(s);
                読上げ更新(s);
            },
        .menu =
            [&s](std::string_view control) {
                メニュー選択(s, control);
                再描画_入力中指し手(s.canvas, s.typing);
                読上げ更新(s);
            },
        .drive1Change = [&s] { Drive1_Change(s); },
        .dir1Change = [&s] { Dir1_Change(s); },
        .file1Click = [&s](std::string_view name) { File1_Click(s, name); },
        .command1Click =
            [&s] {
                Command1_Click(s);
                再描画_入力中指し手(s.canvas, s.typing);
                読上げ更新(s);
            },
    };
}
