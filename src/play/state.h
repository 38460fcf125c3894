#pragma once
#include "ai/analysis.h"
#include "core/history.h"
#include "play/clock.h"
#include "play/game.h"
#include "play/places.h"
#include "play/play_control.h"
#include "play/typed_move.h"
#include "ui/canvas.h"

// All state of one game window, grouped by subsystem and named part by part: the position,
// the computer player's analysis of it, the canvas the drawing draws on (with the drawing and
// pause roles of the port and the display options), and the other roles of the port one by
// one. Each procedure is handed only the parts and roles it uses. Make it with
// `auto s = std::make_unique<State>(port)`: the history alone is ~250 KB.
struct State {
    explicit State(Port& p)
        : analysis(pos), canvas(p, p), dialog(p), timer(p), sound(p), window(p), recordPanel(p),
          reader(p) {}
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    Position pos;
    Analysis analysis;  // works on pos
    Canvas canvas;
    DialogPort& dialog;
    ClockPort& timer;  // the 50 ms timer and the time of day; the same role as canvas.pause
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
