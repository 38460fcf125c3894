#pragma once
#include "ui/options.h"
#include "ui/port.h"

// What the drawing procedures draw on: the port and the display options they read.
struct Canvas {
    explicit Canvas(Port& p) : port(p) {}
    Port& port;
    Options opt;
};
