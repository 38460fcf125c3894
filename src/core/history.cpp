#include "core/history.h"

#include "core/position.h"

void storePosition(History& h, int t, const Position& p) {
    h.BAN_RIREKI[t] = p.board();
    h.MOCHI_MAN_RIREKI[t] = p.manHand();
    h.MOCHI_COM_RIREKI[t] = p.comHand();
}

void restorePosition(Position& p, const History& h, int t) {
    p.load(h.BAN_RIREKI[t], h.MOCHI_MAN_RIREKI[t], h.MOCHI_COM_RIREKI[t]);
}

Arrival 調査_移動結果(const History& h, int t) {
    if (t < 1 || t > TESU_MAX) return {};
    const Map& now = h.BAN_RIREKI[t];
    const Map& before = h.BAN_RIREKI[t - 1];
    for (int i = 1; i <= 9; ++i)
        for (int j = 1; j <= 9; ++j)
            if (now[i][j] != before[i][j] && now[i][j] != EMPTY) return {true, i, j, now[i][j]};
    return {};
}
