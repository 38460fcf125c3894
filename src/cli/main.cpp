#include <cstdio>
#include <iostream>
#include <string>

#include "cli/engine.h"

// torvane-cli: the engine driven through pipes, one command per line, one answer per line.
int main() {
    std::ios::sync_with_stdio(false);
    Engine engine;
    std::string line;
    while (std::getline(std::cin, line)) {
        const std::string answer = engine.handle(line);
        if (engine.finished) return 0;
        std::cout << answer << '\n' << std::flush;
    }
    return 0;
}
