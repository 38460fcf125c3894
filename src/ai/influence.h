#pragma once
#include "core/map.h"

// Which pieces of each side bear on every square, as the board stood at the last
// 勢力調査. The four source maps MAMORI_COM_X/_Y and NERAI_COM_X/_Y are never reset:
// they keep their values from survey to survey and from turn to turn.
struct Influence {
    Map SEIRYOKU_MAN{};
    Map SEIRYOKU_COM{};
    Map MAMORI_MAN{};
    Map MAMORI_COM{};
    Map MAMORI_COM_X{};
    Map MAMORI_COM_Y{};
    Map NERAI_MAN{};
    Map NERAI_MAN_X{};
    Map NERAI_MAN_Y{};
    Map NERAI_COM{};
    Map NERAI_COM_X{};
    Map NERAI_COM_Y{};
    Map OUTE_COM{};
};
