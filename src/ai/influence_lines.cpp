#include "ai/influence_steps.h"
#include "ai/survey.h"
#include "ai/analysis.h"

using namespace influence_steps;

namespace {

// A line stops on the first piece it meets, counted, except the enemy king: a king cannot
// hide behind itself, so the squares beyond it stay reached.
void manLine(Analysis& s, int k, int x, int y, int dx, int dy) {
    Influence& m = s.inf;
    const Map& ban = s.pos.board();
    for (int tx = x + dx, ty = y + dy; onBoard(tx, ty); tx += dx, ty += dy) {
        manStep(m, ban, k, x, y, tx, ty);
        const int b = ban[tx][ty];
        if (b != EMPTY && b != COM_OU) return;
    }
}

// As manLine; a COM line through the MAN king also records the check: the checker's
// square and every square between it and the king, where a piece could interpose.
void comLine(Analysis& s, int k, int x, int y, int dx, int dy) {
    Influence& m = s.inf;
    const Map& ban = s.pos.board();
    for (int tx = x + dx, ty = y + dy; onBoard(tx, ty); tx += dx, ty += dy) {
        comFullEntry(m, ban, k, x, y, tx, ty);
        const int b = ban[tx][ty];
        if (b == MAN_OU) {
            for (int bx = x + dx, by = y + dy; bx != tx || by != ty; bx += dx, by += dy)
                m.OUTE_COM[bx][by] = 1;
            m.OUTE_COM[x][y] = 9;
        } else if (b != EMPTY) {
            return;
        }
    }
}

void line(Analysis& s, int code, int x, int y, int dx, int dy) {
    if (code < 0)
        manLine(s, code, x, y, dx, dy);
    else
        comLine(s, code, x, y, dx, dy);
}

}  // namespace

void 勢力確定上直進(Analysis& s, int code, int x, int y) { line(s, code, x, y, 0, -1); }
void 勢力確定下直進(Analysis& s, int code, int x, int y) { line(s, code, x, y, 0, 1); }
void 勢力確定右直進(Analysis& s, int code, int x, int y) { line(s, code, x, y, 1, 0); }
void 勢力確定左直進(Analysis& s, int code, int x, int y) { line(s, code, x, y, -1, 0); }

// Bishops and horses of MAN enter the maps as a bishop whatever they are.
void 勢力確定自角(Analysis& s, int x, int y) {
    manLine(s, MAN_KAKU, x, y, -1, -1);
    manLine(s, MAN_KAKU, x, y, 1, -1);
    manLine(s, MAN_KAKU, x, y, -1, 1);
    manLine(s, MAN_KAKU, x, y, 1, 1);
}

void 勢力確定敵角(Analysis& s, int code, int x, int y) {
    comLine(s, code, x, y, -1, -1);
    comLine(s, code, x, y, 1, -1);
    comLine(s, code, x, y, -1, 1);
    comLine(s, code, x, y, 1, 1);
}

void 勢力確定自金(Analysis& s, int code, int x, int y) {
    Influence& m = s.inf;
    const Map& ban = s.pos.board();
    if (y > 1) {
        manStep(m, ban, code, x, y, x, y - 1);
        if (x > 1) manStep(m, ban, code, x, y, x - 1, y - 1);
        if (x < 9) manStep(m, ban, code, x, y, x + 1, y - 1);
    }
    if (y < 9) manStep(m, ban, code, x, y, x, y + 1);
    if (x > 1) manStep(m, ban, code, x, y, x - 1, y);
    if (x < 9) manStep(m, ban, code, x, y, x + 1, y);
}

namespace {

// COM's gold-like pieces all guard as a gold, without a source, and attack nothing.
void comGoldStep(Analysis& s, int x, int y, int tx, int ty) {
    Influence& m = s.inf;
    m.SEIRYOKU_COM[tx][ty] += 1;
    const int b = s.pos.board()[tx][ty];
    if (isCom(b)) {
        if (m.MAMORI_COM[tx][ty] > COM_KIN) m.MAMORI_COM[tx][ty] = COM_KIN;
    } else if (b == MAN_OU) {
        m.OUTE_COM[x][y] = 9;
    }
}

}  // namespace

void 勢力確定敵金(Analysis& s, int x, int y) {
    if (y > 1) comGoldStep(s, x, y, x, y - 1);
    if (y < 9) {
        comGoldStep(s, x, y, x, y + 1);
        if (x > 1) comGoldStep(s, x, y, x - 1, y + 1);
        if (x < 9) comGoldStep(s, x, y, x + 1, y + 1);
    }
    if (x > 1) comGoldStep(s, x, y, x - 1, y);
    if (x < 9) comGoldStep(s, x, y, x + 1, y);
}
