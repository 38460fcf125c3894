#pragma once
#include "core/constants.h"

// The per-game state that 初期設定 resets.
struct GameState {
    int TEBAN = 0;  // side to move; 0 = no game
    int TEBAN_MAN = GOTE_BAN;
    int TEBAN_COM = SENTE_BAN;
    int SHOUHAI = 0;  // the winner's turn value; 0 = undecided
    int TESU = 0;
    int HYOUJI_TESU = 0;
    int COM_TAISEN = 0;
    int HANTEN = OFF;
    int HANDE_SETTEI = OFF;
    int HANDE_LEVEL = 0;
    int KIFU_MODE = OFF;
    int SAIKAI_MACHI = OFF;
    int CLICK_JOUTAI = 0;
};
