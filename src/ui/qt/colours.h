#pragma once
#include <QColor>

// The 16 standard colour numbers the game draws with (0 black, 2 green, 12 light red,
// 14 yellow, 15 white, ...). Any other number is black.
QColor standardColour(int number);
