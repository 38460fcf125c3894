#pragma once
#include "ui/reader_view.h"

struct State;

// What a screen reader needs of the window as it is now; takes the move texts drawn since
// the last time.
ReaderView 読上げ情報(State& s);
// Hands it to the window's reader role: after every event of the window.
void 読上げ更新(State& s);
