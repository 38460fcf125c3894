// The transitions of the game's mode: the only writers of its fields.
#include "play/game.h"

void GameState::newSetUp() {
    const int man = f_.TEBAN_MAN, com = f_.TEBAN_COM;
    f_ = Fields{};
    f_.TEBAN_MAN = man;
    f_.TEBAN_COM = com;
}

void GameState::programStarted(History& h) {
    f_.KIFU_MODE = false;
    h.last_ = 0;
    f_.TEBAN_COM = SENTE_BAN;
    f_.TEBAN_MAN = GOTE_BAN;
}

void GameState::sidesSet(int manTurn) {
    f_.TEBAN_MAN = manTurn;
    f_.TEBAN_COM = -manTurn;
}

void GameState::comGameStarted() {
    f_.CLICK_JOUTAI = 0;
    f_.COM_TAISEN = 1;
    f_.KIFU_MODE = false;
}

void GameState::comGameFor(int manTurn) {
    sidesSet(manTurn);
    f_.COM_TAISEN = 1;
    f_.TEBAN = SENTE_BAN;
}

void GameState::peopleGameStarted() { f_.COM_TAISEN = 0; }
void GameState::turnPassesTo(int side) { f_.TEBAN = side; }
void GameState::resumed() { f_.SAIKAI_MACHI = false; }

void GameState::entryStored(History& h, int t) { h.last_ = t; }

void GameState::moveMade() {
    f_.HYOUJI_TESU += 1;
    f_.TESU += 1;
}

void GameState::decided(int winner) { f_.SHOUHAI = winner; }

void GameState::resigned() {
    decided(f_.TEBAN_MAN);
    f_.TEBAN = f_.TEBAN_MAN;
}

void GameState::drawnAtLimit() { f_.TEBAN = 0; }
void GameState::pieceSelected() { f_.CLICK_JOUTAI = 1; }
void GameState::selectionDropped() { f_.CLICK_JOUTAI = 0; }
void GameState::browsingAsked() { f_.SAIKAI_MACHI = true; }

void GameState::steppedBack() {
    f_.TESU -= 1;
    f_.HYOUJI_TESU -= 1;
    f_.TEBAN = -f_.TEBAN;
}

void GameState::steppedForward() {
    f_.TESU += 1;
    f_.HYOUJI_TESU += 1;
    f_.TEBAN = -f_.TEBAN;
}

void GameState::reverseStarted() {
    f_.HANTEN = true;
    f_.CLICK_JOUTAI = 0;
}

void GameState::reversed(History& h) {
    if (f_.HANDE_SETTEI) f_.HANDE_LEVEL = -f_.HANDE_LEVEL;
    f_.TEBAN = -f_.TEBAN;
    f_.TESU = 0;
    h.last_ = 0;
}

void GameState::recordLoading() { f_.KIFU_MODE = true; }

void GameState::recordLoaded(History& h, int count) {
    f_.TESU = 0;
    f_.HYOUJI_TESU = 0;
    h.last_ = count;
}

void GameState::recordShown() { f_.TEBAN = SENTE_BAN; }

void GameState::handicapSet(History& h, int level) {
    h.last_ = 0;
    f_.HANDE_LEVEL = level;
    f_.HANDE_SETTEI = true;
}
