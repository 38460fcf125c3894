#pragma once
#include "ui/colours.h"

// The display options, each mirrored by a menu check mark.
struct Options {
    int HAIKEI_NO = 5;                 // background picture 5..9
    bool SIDOU_FLAG = false;           // move guidance
    int SIDOU_COLOR = colours::GREEN;  // outline colour of reachable squares
    bool KEIKA = false;                // elapsed-time display checked
    bool BGM = false;                  // music checked
    bool MIDORI = false, TATAMI = false, TAKE = false, UCHU = false, RENGA = false;
};
