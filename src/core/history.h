#pragma once
#include "core/constants.h"

// Whole positions by move number 0..500: entry t is the position after t moves,
// with the two clocks before and after move t + 1.
struct History {
    int BAN_RIREKI[TESU_MAX + 1][10][10]{};
    int MOCHI_MAN_RIREKI[TESU_MAX + 1][8]{};
    int MOCHI_COM_RIREKI[TESU_MAX + 1][8]{};
    float MAN_JIKAN_MAE[TESU_MAX + 1]{};
    float MAN_JIKAN_ATO[TESU_MAX + 1]{};
    float COM_JIKAN_MAE[TESU_MAX + 1]{};
    float COM_JIKAN_ATO[TESU_MAX + 1]{};
    int SAISHU_TESU = 0;  // move number of the last entry written
};
