#pragma once
#include "play/window_events.h"
#include "ui/qt/window_handlers.h"

// The game's procedures behind the window's events. The program and the random-event storm
// connect the same ones, so the storm drives the game exactly as a player does.
inline WindowHandlers gameHandlers(State& s) {
    return {
        .mouseDown = [&s](int button, int shift, double x,
                          double y) { Form_MouseDown(s, button, shift, x, y); },
        .keyPress = [&s](int code) { Form_KeyPress(s, code); },
        .unload = [&s] { Form_Unload(s); },
        .timer = [&s] { Timer1_Timer(s); },
        .menu = [&s](std::string_view control) { メニュー選択(s, control); },
        .drive1Change = [&s] { Drive1_Change(s); },
        .dir1Change = [&s] { Dir1_Change(s); },
        .file1Click = [&s](std::string_view name) { File1_Click(s, name); },
        .command1Click = [&s] { Command1_Click(s); },
    };
}
