#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/engine.h"

#ifndef TORVANE_VERSION
#define TORVANE_VERSION "0.1.0"
#endif

// torvane-cli: the engine driven through pipes, one command per line, one answer per line.
// The only arguments it knows are --version and --help; the protocol itself is on standard
// input. Other arguments are ignored, as they always were, so no caller breaks.
int main(int argc, char** argv) {
    if (argc == 2) {
        const std::string_view arg = argv[1];
        if (arg == "--version") {
            std::cout << "torvane-cli " TORVANE_VERSION "\n";
            return 0;
        }
        if (arg == "--help") {
            std::cout << "usage: torvane-cli [--version | --help]\n"
                         "Reads one command per line on standard input and answers each with one\n"
                         "line; see torvane-cli(6).\n";
            return 0;
        }
    }
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
