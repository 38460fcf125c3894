#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "fake_port.h"
#include "play/window_events.h"
#include "ui/drawing.h"

using Log = std::vector<std::string>;

// A click in the middle of cell (x, y), in twips as the window reports it.
inline void click(State& s, int x, int y, int button = 1) {
    Form_MouseDown(s, button, 0, cellMiddleX(x), cellMiddleY(y));
}
// A move by two clicks; the right button on the second one promotes.
inline void move(State& s, int fx, int fy, int tx, int ty, int button = 1) {
    click(s, fx, fy);
    click(s, tx, ty, button);
}
inline std::string outlineOf(int colour, int x, int y) {
    return "outline " + std::to_string(colour) + " " + FakePort::num(セル左(x)) + " " +
           FakePort::num(セル上(y)) + " " + FakePort::num(セル左(x + 1)) + " " +
           FakePort::num(セル上(y + 1));
}
// The calls that start with one of the prefixes, in order: by default what the player hears
// and is told, and the clock switched on and off.
inline Log heard(const FakePort& p,
                 std::initializer_list<const char*> prefixes = {"message", "play", "timer"}) {
    Log out;
    for (const auto& c : p.calls)
        for (const char* pre : prefixes)
            if (c.rfind(pre, 0) == 0) {
                out.push_back(c);
                break;
            }
    return out;
}
