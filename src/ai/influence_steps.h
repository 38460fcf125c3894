#pragma once
#include "ai/influence.h"
#include "core/constants.h"

// The single-square updates shared by 勢力調査 and the 勢力確定 procedures. Each one
// adds the influence of the piece on source (x, y), recorded as code k, on target
// (tx, ty). The count always comes first; every comparison is strict, so the piece met
// first in the scan keeps its place on ties.
namespace influence_steps {

// MAN piece (also the MAN king and the MAN line walkers): guards MAN pieces with the
// highest rank, attacks any COM piece, the COM king included, with the source.
inline void manStep(Influence& m, const Map& ban, int k, int x, int y, int tx, int ty) {
    m.SEIRYOKU_MAN[tx][ty] += 1;
    const int b = ban[tx][ty];
    if (b < 0) {
        if (m.MAMORI_MAN[tx][ty] > k) m.MAMORI_MAN[tx][ty] = k;
    } else if (b > 0) {
        if (m.NERAI_MAN[tx][ty] < k) {
            m.NERAI_MAN[tx][ty] = k;
            m.NERAI_MAN_X[tx][ty] = x;
            m.NERAI_MAN_Y[tx][ty] = y;
        }
    }
}

// COM pawn: guard and attack without a source.
inline void comPawnStep(Influence& m, const Map& ban, int k, int x, int y, int tx, int ty) {
    m.SEIRYOKU_COM[tx][ty] += 1;
    const int b = ban[tx][ty];
    if (isCom(b)) {
        if (m.MAMORI_COM[tx][ty] > k) m.MAMORI_COM[tx][ty] = k;
    } else if (isMan(b)) {
        if (m.NERAI_COM[tx][ty] > k) m.NERAI_COM[tx][ty] = k;
        if (b == MAN_OU) m.OUTE_COM[x][y] = 9;
    }
}

// COM knight and silver: guard with the source, never an attack entry.
inline void comGuardStep(Influence& m, const Map& ban, int k, int x, int y, int tx, int ty) {
    m.SEIRYOKU_COM[tx][ty] += 1;
    const int b = ban[tx][ty];
    if (isCom(b)) {
        if (m.MAMORI_COM[tx][ty] > k) {
            m.MAMORI_COM[tx][ty] = k;
            m.MAMORI_COM_X[tx][ty] = x;
            m.MAMORI_COM_Y[tx][ty] = y;
        }
    } else if (b == MAN_OU) {
        m.OUTE_COM[x][y] = 9;
    }
}

// COM horse's orthogonal steps: only the count and the check.
inline void comCountStep(Influence& m, const Map& ban, int x, int y, int tx, int ty) {
    m.SEIRYOKU_COM[tx][ty] += 1;
    if (ban[tx][ty] == MAN_OU) m.OUTE_COM[x][y] = 9;
}

// COM dragon's diagonal steps and every COM line square: guard and attack with source.
// The check mark of a line is the walker's business, so it is left to the caller.
inline void comFullEntry(Influence& m, const Map& ban, int k, int x, int y, int tx, int ty) {
    m.SEIRYOKU_COM[tx][ty] += 1;
    const int b = ban[tx][ty];
    if (isCom(b)) {
        if (m.MAMORI_COM[tx][ty] > k) {
            m.MAMORI_COM[tx][ty] = k;
            m.MAMORI_COM_X[tx][ty] = x;
            m.MAMORI_COM_Y[tx][ty] = y;
        }
    } else if (isMan(b)) {
        if (m.NERAI_COM[tx][ty] > k) {
            m.NERAI_COM[tx][ty] = k;
            m.NERAI_COM_X[tx][ty] = x;
            m.NERAI_COM_Y[tx][ty] = y;
        }
    }
}

inline void comFullStep(Influence& m, const Map& ban, int k, int x, int y, int tx, int ty) {
    comFullEntry(m, ban, k, x, y, tx, ty);
    if (ban[tx][ty] == MAN_OU) m.OUTE_COM[x][y] = 9;
}

// COM king: guards without a source and gives no check.
inline void comKingStep(Influence& m, const Map& ban, int k, int tx, int ty) {
    m.SEIRYOKU_COM[tx][ty] += 1;
    if (isCom(ban[tx][ty]) && m.MAMORI_COM[tx][ty] > k) m.MAMORI_COM[tx][ty] = k;
}

}  // namespace influence_steps
