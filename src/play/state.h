#pragma once
#include "ai/analysis.h"
#include "core/history.h"
#include "play/clock.h"
#include "play/game.h"
#include "play/places.h"
#include "play/play_control.h"
#include "play/typed_move.h"
#include "ui/canvas.h"

// All state of one game window, grouped by subsystem. It is the computer player's Analysis
// (pos, inf, turn, LEVEL_NO) and the drawing's Canvas (the drawing and pause roles of the port,
// opt), so a State passes wherever those layers want their part. The other roles of the port
// are named one by one, and each procedure is handed only the parts and roles it uses. Make it
// with `auto s = std::make_unique<State>(port)`: the history alone is ~250 KB.
struct State : Analysis, Canvas {
    explicit State(Port& p)
        : Canvas(p, p), dialog(p), timer(p), sound(p), window(p), recordPanel(p), reader(p) {}
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    DialogPort& dialog;
    ClockPort& timer;  // the 50 ms timer and the time of day; the same role as Canvas::pause
    SoundPort& sound;
    WindowPort& window;
    RecordPanelPort& recordPanel;
    ReaderPort& reader;
    History hist;
    GameState game;
    Clock clock;
    PlayControl play;
    Places places;      // where the data is read and the player's files are kept
    MoveTyping typing;  // the move being typed on the keyboard
};
