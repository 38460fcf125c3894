#pragma once
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "ui/options.h"
#include "ui/port.h"

// What the drawing procedures draw on: the port's drawing, the pause of a blink, and the
// display options they read.
struct Canvas {
    Canvas(DrawingPort& d, ClockPort& c) : paint(d), pause(c) {}
    DrawingPort& paint;
    ClockPort& pause;
    Options opt;
    // The move texts on the canvas, for a screen reader: each side's last one, and those drawn
    // since the reader was last told (a few at most are kept).
    struct Spoken {
        std::array<MoveWords, 2> moveTexts;           // 0 the bottom side's, 1 the top side's
        std::vector<std::pair<int, MoveWords>> news;  // side and text, oldest first
    } spoken;
};
