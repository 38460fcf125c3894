#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/engine.h"
#include "files/text_file.h"

#ifndef TORVANE_VERSION
#define TORVANE_VERSION "0.1.0"
#endif

namespace {

// No command comes near this; a longer line is read to its end without being kept.
constexpr std::size_t MAX_LINE = std::size_t{1} << 20;

enum class Line { Read, TooLong, End };

// One line of standard input without its "\n"; the last line may lack it.
Line readLine(std::streambuf& in, std::string& line) {
    line.clear();
    bool any = false, tooLong = false;
    try {
        for (int c; (c = in.sbumpc()) != std::char_traits<char>::eof();) {
            any = true;
            if (c == '\n') break;
            if (line.size() < MAX_LINE)
                line += static_cast<char>(c);
            else
                tooLong = true;
        }
    } catch (const std::ios_base::failure&) {
        // A closed input or a directory cannot be read: the input has ended.
        return Line::End;
    }
    if (!any) return Line::End;
    return tooLong ? Line::TooLong : Line::Read;
}

}  // namespace

// torvane-cli: the engine driven through pipes, one command per line, one answer per line.
// The only arguments it knows are --version and --help; the protocol itself is on standard
// input. Other arguments are ignored, as they always were, so no caller breaks.
int main(int argc, char** argv) {
    if (argc == 2) {
        const std::string_view arg = argv[1];
        if (arg == "--version") {
            std::cout << "torvane-cli " TORVANE_VERSION "\n";
            return std::cout.flush() ? 0 : 1;
        }
        if (arg == "--help") {
            std::cout << "usage: torvane-cli [--version | --help]\n"
                         "Reads one command per line on standard input and answers each with one\n"
                         "line; see torvane-cli(6).\n";
            return std::cout.flush() ? 0 : 1;
        }
    }
    // Output redirected to a file under a size limit fails like a full disk, below.
    ignoreFileSizeSignal();
    std::ios::sync_with_stdio(false);
    Engine engine;
    std::string line;
    for (Line l; (l = readLine(*std::cin.rdbuf(), line)) != Line::End;) {
        const std::string answer = l == Line::TooLong ? "error line too long" : engine.handle(line);
        if (engine.finished) return 0;
        // An answer nobody can read ends the work: the reader is gone or the disk is full.
        if (!(std::cout << answer << '\n' << std::flush)) return 1;
    }
    return 0;
}
