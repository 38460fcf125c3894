#pragma once

// Which pieces of each side bear on every square, as the board stood at the last
// 勢力調査. The four source maps MAMORI_COM_X/_Y and NERAI_COM_X/_Y are never reset:
// they keep their values from survey to survey and from turn to turn.
struct Influence {
    int SEIRYOKU_MAN[10][10]{};
    int SEIRYOKU_COM[10][10]{};
    int MAMORI_MAN[10][10]{};
    int MAMORI_COM[10][10]{};
    int MAMORI_COM_X[10][10]{};
    int MAMORI_COM_Y[10][10]{};
    int NERAI_MAN[10][10]{};
    int NERAI_MAN_X[10][10]{};
    int NERAI_MAN_Y[10][10]{};
    int NERAI_COM[10][10]{};
    int NERAI_COM_X[10][10]{};
    int NERAI_COM_Y[10][10]{};
    int OUTE_COM[10][10]{};
};
