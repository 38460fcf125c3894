#pragma once
#include "ai/influence.h"
#include "ai/turn.h"
#include "core/game.h"
#include "core/history.h"
#include "core/position.h"
#include "play/clock.h"
#include "play/play_control.h"
#include "settings/options.h"
#include "ui/port.h"

// All state of one game window, grouped by subsystem. Every procedure takes it first.
// Make it with `auto s = std::make_unique<State>(port)`: the history alone is ~250 KB.
struct State {
    explicit State(Port& p) : port(p) {}
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    Port& port;
    Position pos;
    History hist;
    GameState game;
    Clock clock;
    Options opt;
    Influence inf;
    Turn turn;
    PlayControl play;
};
