#pragma once
#include <string_view>
struct State;
void Form_Load(State& s);  // once, after the window exists, before it is shown
void Form_MouseDown(State& s, int button, int shift, double x, double y);  // twips; 1 left, 2 right
inline constexpr int LEFT_BUTTON = 1, RIGHT_BUTTON = 2;
inline constexpr int NO_SHIFT = 0;       // no Shift, Ctrl or Alt held (the game reads none of them)
void Form_KeyPress(State& s, int code);  // 27 = Esc
void Form_Unload(State& s);              // the window is being closed
void Timer1_Timer(State& s);  // every 50 ms while the timer is on (already in play/clock.h)
// A menu item chosen, or a menu title opened, named by its control.
void メニュー選択(State& s, std::string_view control);
// The record panel: another drive or directory chosen, a file name clicked, "RETURN" pressed.
void Drive1_Change(State& s);
void Dir1_Change(State& s);
void File1_Click(State& s, std::string_view fileName);
void Command1_Click(State& s);
