#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "play/state.h"
#include "ui/port.h"

// The headless engine behind torvane-cli: one command line in, one answer line out.
class Engine {
public:
    Engine();
    // The answer to one command; `quit` sets `finished` and answers nothing.
    std::string handle(std::string_view line);
    bool finished = false;
    State& state() { return *s_; }

private:
    void startGame();
    std::string man(std::string_view args);
    std::string com();
    std::string position(std::string_view line);
    std::string board();

    SilentPort port_;
    std::unique_ptr<State> s_;
};
