#pragma once

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
    int NIGEMICHI_BAN[10][10]{};
    int BAN_MAE[10][10]{};  // the board before any trial of this turn
    int SEIRYOKU_MAN_MAE[10][10]{};
    int SEIRYOKU_COM_MAE[10][10]{};
    int NERAI_COM_X_MAE[10][10]{};
    int NERAI_COM_Y_MAE[10][10]{};
    // Tactical surveys made once per turn.
    int MOCHIKAKU_NERAI[10][10]{};
    int IDOU_FUKA_MAN[10][10]{};
    int IDOU_FUKA_COM_ARI = 0;
};
