#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/engine.h"

#ifndef TORVANE_VERSION
#define TORVANE_VERSION "0.1.0"
#endif

// torvane-cli: the engine driven through pipes, one command per line, one answer per line.
// The only arguments are --version and --help; the protocol itself is on standard input.
int main(int argc, char** argv) {
    if (argc > 1) {
        const std::string_view arg = argv[1];
        if (arg == "--version" && argc == 2) {
            std::cout << "torvane-cli " TORVANE_VERSION "\n";
            return 0;
        }
        if (arg == "--help" && argc == 2) {
            std::cout << "usage: torvane-cli [--version | --help]\n"
                         "Reads one command per line on standard input and answers each with one\n"
                         "line; see torvane-cli(6).\n";
            return 0;
        }
        std::cerr << "torvane-cli: unknown argument '" << arg
                  << "'\nusage: torvane-cli [--version | --help]\n";
        return 2;
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
