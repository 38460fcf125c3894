#include "core/history.h"

#include "core/position.h"

void storePosition(History& h, int t, const Position& p) {
    h.BAN_RIREKI[t] = p.BAN;
    h.MOCHI_MAN_RIREKI[t] = p.MOCHI_MAN;
    h.MOCHI_COM_RIREKI[t] = p.MOCHI_COM;
}

void restorePosition(Position& p, const History& h, int t) {
    p.BAN = h.BAN_RIREKI[t];
    p.MOCHI_MAN = h.MOCHI_MAN_RIREKI[t];
    p.MOCHI_COM = h.MOCHI_COM_RIREKI[t];
    p.MOCHI_MAN_SU = handTotal(p.MOCHI_MAN);
    p.MOCHI_COM_SU = handTotal(p.MOCHI_COM);
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
