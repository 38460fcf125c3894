#pragma once
#include "ui/options.h"
#include "ui/port.h"

// What the drawing procedures draw on: the port's drawing, the pause of a blink, and the
// display options they read.
struct Canvas {
    Canvas(DrawingPort& d, ClockPort& c) : paint(d), pause(c) {}
    DrawingPort& paint;
    ClockPort& pause;
    Options opt;
};
