#pragma once
#include "core/map.h"

// What COM's turn keeps while it tries every candidate, and what the evaluation reads
// of it.
struct Turn {
    double BEST_SCORE = 0;
    int BEST_FX = 0, BEST_FY = 0, BEST_TX = 0, BEST_TY = 0;
    int BEST_KOMA = 0;
    int BEST_NEW_KOMA = 0;
    int IDOU_KOMA = 0;     // unpromoted code of the piece being tried (kind * 10 for a drop)
    int MAN_OU_KYORI = 0;  // origin-to-MAN-king distance of the last board-move trial
    int NIGEMICHI_SU = 0;
    Map NIGEMICHI_BAN{};
    Map BAN_MAE{};  // the board before any trial of this turn
    Map SEIRYOKU_MAN_MAE{};
    Map SEIRYOKU_COM_MAE{};
    Map NERAI_COM_X_MAE{};
    Map NERAI_COM_Y_MAE{};
    // Tactical surveys made once per turn.
    Map MOCHIKAKU_NERAI{};
    Map IDOU_FUKA_MAN{};
    int IDOU_FUKA_COM_ARI = 0;
};
