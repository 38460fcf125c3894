#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "cli/engine.h"
#include "cli/random_play.h"
#include "play/setup.h"
#include "temp_dir.h"
#include "test_util.h"
#include "mode_seam.h"

namespace {

// Board field of square (x, y) in a position line.
std::string field(const std::string& line, int x, int y) {
    return line.substr(static_cast<std::size_t>(((x - 1) * 9 + (y - 1)) * 3), 3);
}

TEST(Cli, ManMovesAndTheBoardLine) {
    Engine e;
    EXPECT_EQ(e.handle("man 7 7 7 6"), "ok");
    EXPECT_EQ(e.state().game.TEBAN(), GOTE_BAN);
    EXPECT_EQ(e.state().game.TESU(), 1);
    const std::string line = e.handle("board");
    ASSERT_EQ(line.size(), 277u);
    EXPECT_EQ(field(line, 7, 6), "-10");
    EXPECT_EQ(field(line, 7, 7), "  0");
    EXPECT_EQ(field(line, 1, 1), " 20");
    EXPECT_EQ(line.substr(243, 14), "00000000000000");
    EXPECT_EQ(line.substr(257), "    0    0    0    0");
}

TEST(Cli, RefusalsAndArgumentErrors) {
    Engine e;
    EXPECT_EQ(e.handle("man 7 7 7 5"), "illegal");   // a pawn steps one square
    EXPECT_EQ(e.handle("man 7 3 7 4"), "illegal");   // COM's pawn
    EXPECT_EQ(e.handle("man 11 3 5 5"), "illegal");  // nothing in hand
    EXPECT_EQ(e.handle("man 0 0 5 5"), "illegal");
    EXPECT_EQ(e.handle("man 42 -7 5 5"), "illegal");
    EXPECT_EQ(e.handle("man 7 7 7"), "error bad arguments");
    EXPECT_EQ(e.handle("man 7 7 7 6 please"), "error bad arguments");
    EXPECT_EQ(e.handle("man a b c d"), "error bad arguments");
    EXPECT_EQ(e.handle("man 7 7 7 6promote"), "error bad arguments");  // not a fourth integer
    EXPECT_EQ(e.handle("man 7 7 7 6x"), "error bad arguments");
    EXPECT_EQ(e.handle("man 7 7 7 6 promote promote"), "error bad arguments");
    EXPECT_EQ(e.handle("man 7 7 7 +-6"), "error bad arguments");
    EXPECT_EQ(e.handle("man 7 7 7 99999999999"), "error bad arguments");
    EXPECT_EQ(e.handle("level 4"), "error bad level");
    EXPECT_EQ(e.handle("level 1"), "ok");
    EXPECT_EQ(e.state().analysis.LEVEL_NO, 1);
    EXPECT_EQ(e.handle("fly"), "error unknown command");
    EXPECT_EQ(e.handle("position 12"), "error bad position");
    EXPECT_EQ(e.state().game.TESU(), 0);
}

TEST(Cli, PositionPromotionDropsAndTheWin) {
    Engine e;
    // MAN pawn on (5, 2) in front of COM's king on (5, 1); MAN holds a gold.
    State& s = e.state();
    clearBoard(s.pos);
    s.pos.put(5, 2, MAN_HU);
    s.pos.put(4, 2, COM_KIN);
    s.pos.put(1, 1, COM_OU);
    s.pos.put(9, 9, MAN_OU);
    s.pos.setHand(Side::MAN, KIN, 1);
    s.pos.setHand(Side::COM, HU, 12);  // counts of 10 and more survive the line
    const std::string line = e.handle("board");
    Engine f;
    ASSERT_EQ(f.handle("position " + line), "ok");
    EXPECT_EQ(f.handle("board"), line);
    EXPECT_EQ(f.state().pos.manHandTotal(), 1);
    EXPECT_EQ(f.state().pos.comHandTotal(), 12);

    EXPECT_EQ(f.handle("man 5 2 5 1"), "must-promote");
    EXPECT_EQ(f.handle("man 11 7 2 2"), "ok");  // gold drop
    EXPECT_EQ(f.state().pos.board()[2][2], MAN_KIN);
    EXPECT_EQ(f.state().pos.manHandTotal(), 0);
    ModeTestSeam::of(f.state().game).TEBAN = SENTE_BAN;
    EXPECT_EQ(f.handle("man 2 2 1 1"), "win MAN");
    EXPECT_EQ(f.handle("man 5 2 5 1 promote"), "over");
    EXPECT_EQ(f.handle("com"), "over");
    EXPECT_EQ(f.handle("new"), "ok");
    EXPECT_EQ(f.handle("man 7 7 7 6"), "ok");
}

TEST(Cli, PromotingOnTheMove) {
    Engine e;
    State& s = e.state();
    clearBoard(s.pos);
    s.pos.put(5, 4, MAN_GIN);
    s.pos.put(5, 5, MAN_HU);
    s.pos.put(1, 1, COM_OU);
    s.pos.put(9, 9, MAN_OU);
    EXPECT_EQ(e.handle("man 5 4 5 3 promote"), "ok");
    EXPECT_EQ(s.pos.board()[5][3], MAN_NARIGIN);
    EXPECT_EQ(s.pos.board()[5][4], MAN_HU);          // the follower stays a pawn
    EXPECT_EQ(s.hist.BAN_RIREKI[0][5][4], MAN_GIN);  // the history shows the piece unpromoted

    // Without `promote` the piece travels as it is, as after a left click; a knight jumps
    // alone.
    s.pos.put(4, 5, MAN_KEI);
    s.pos.put(4, 6, MAN_KYOU);
    EXPECT_EQ(e.handle("man 4 5 3 3"), "ok");
    EXPECT_EQ(s.pos.board()[3][3], MAN_KEI);
    EXPECT_EQ(s.pos.board()[4][6], MAN_KYOU);
    EXPECT_EQ(e.handle("man 3 3 2 1"), "must-promote");
    EXPECT_EQ(e.handle("man 3 3 2 1 promote"), "ok");
    EXPECT_EQ(s.pos.board()[2][1], MAN_NARIKEI);
    EXPECT_EQ(s.pos.board()[3][3], EMPTY);
    // `promote` where no promotion is allowed moves the piece unpromoted.
    EXPECT_EQ(e.handle("man 4 6 4 5 promote"), "ok");
    EXPECT_EQ(s.pos.board()[4][5], MAN_KYOU);
    EXPECT_EQ(s.game.TESU(), 4);
    EXPECT_EQ(s.hist.SAISHU_TESU(), 3);
}

// A position line is taken only as the record writer spells it: a code that is no piece,
// another spelling of a field or a bad hand count is refused and changes nothing.
TEST(Cli, PositionTakesOnlyTheWritersOwnSpelling) {
    Engine e;
    const std::string opening = e.handle("board");
    auto with = [&](std::size_t at, std::string_view text) {
        std::string line = opening;
        line.replace(at, text.size(), text);
        return "position " + line;
    };
    // The first field is square (1, 1); the hand counts start at character 244.
    for (const char* field : {" 51", "-51", " 81", "-90", "  5", " 12", "999", "-99", " 05", "+20",
                              "020", "20 ", " -0", " 2 ", "ab ", "１"}) {
        EXPECT_EQ(e.handle(with(0, field)), "error bad position") << "'" << field << "'";
        EXPECT_EQ(e.handle("board"), opening) << field;
    }
    for (const char* count : {"a", "-", " ", "\x7f"})
        EXPECT_EQ(e.handle(with(243, count)), "error bad position") << "'" << count << "'";
    EXPECT_EQ(e.handle("position " + opening.substr(0, 256)), "error bad position");

    for (const char* field : {" 21", "-61", " 80", "  0"})
        EXPECT_EQ(e.handle(with(0, field)), "ok");
    EXPECT_EQ(e.handle(with(243, "Z")), "ok");  // 35 pawns in MAN's hand
    EXPECT_EQ(e.state().pos.manHandTotal(), 35);
    EXPECT_EQ(e.handle("position " + opening.substr(0, 257)), "ok");  // the times may be absent
    EXPECT_EQ(e.handle("board"), opening);
}

TEST(Cli, ComAnswersAndTheHistoryBound) {
    Engine e;
    ASSERT_EQ(e.handle("man 7 7 7 6"), "ok");
    const std::string a = e.handle("com");
    int fx, fy, tx, ty, code;
    double score;
    ASSERT_EQ(std::sscanf(a.c_str(), "%d %d %d %d %d %lf", &fx, &fy, &tx, &ty, &code, &score), 6)
        << a;
    EXPECT_EQ(e.state().game.TESU(), 2);
    EXPECT_EQ(e.state().game.TEBAN(), SENTE_BAN);
    EXPECT_EQ(e.state().pos.board()[tx][ty], code);

    // MAN's move that fills the history ends the game; nothing more is stored.
    ModeTestSeam::of(e.state().game).TESU = 499;
    EXPECT_EQ(e.handle("man 3 7 3 6"), "ok");
    EXPECT_EQ(e.state().game.TESU(), 500);
    EXPECT_EQ(e.state().game.TEBAN(), 0);
    EXPECT_EQ(e.handle("man 4 7 4 6"), "error history full");
    EXPECT_EQ(e.handle("com"), "error history full");
    EXPECT_EQ(e.state().pos.board()[4][7], MAN_HU);
    EXPECT_EQ(e.state().game.TESU(), 500);
}

// Everything a run of the tool prints, and its exit status.
std::pair<std::string, int> run(const std::string& command) {
    FILE* p = popen(command.c_str(), "r");
    if (p == nullptr) return {"", -1};
    std::string out;
    char buf[512];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    const int status = pclose(p);
    return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

TEST(Cli, VersionAndArguments) {
    // The project's one version number, as the package and the version box show it.
    EXPECT_EQ(run(TORVANE_CLI " --version </dev/null"),
              (std::pair<std::string, int>{"torvane-cli " TORVANE_VERSION "\n", 0}));
    EXPECT_EQ(run(TORVANE_CLI " --help </dev/null").second, 0);
    // Anything else is ignored, as before: the protocol runs unchanged.
    EXPECT_EQ(run("printf 'level 9\\nquit\\n' | " TORVANE_CLI " --versions"),
              (std::pair<std::string, int>{"error bad level\n", 0}));
    EXPECT_EQ(run("printf 'level 9\\nquit\\n' | " TORVANE_CLI).first, "error bad level\n");
}

TEST(Cli, TheToolKeepsNoGame) {
    TempDir dir;
    const std::string d = dir.path().string();
    EXPECT_EQ(run("cd '" + d + "' && printf 'man 7 7 7 6\\ncom\\nquit\\n' | HOME='" + d +
                  "' XDG_STATE_HOME='" + d + "/state' " TORVANE_CLI)
                  .second,
              0);
    EXPECT_EQ(dir.fileCount(), 0u);
}

TEST(Cli, ALongLineIsRefusedAndAFailedWriteStopsTheTool) {
    // Past 1 MiB the line gets one answer, unkept, and the tool reads on.
    EXPECT_EQ(run("{ head -c 1048577 /dev/zero | tr '\\0' x; printf '\\nlevel 9\\nquit\\n'; } "
                  "| " TORVANE_CLI),
              (std::pair<std::string, int>{"error line too long\nerror bad level\n", 0}));
    EXPECT_EQ(run("printf 'board\\n' | " TORVANE_CLI " >/dev/full; echo $?").first, "1\n");
    // With SIGPIPE ignored, the reader's end stops an endless stream of commands.
    EXPECT_EQ(run("{ { trap '' PIPE; yes board | timeout 60 " TORVANE_CLI
                  "; echo $? >&3; } | head -c 0; } 3>&1")
                  .first,
              "1\n");
}

TEST(Cli, AClosedInputOrADirectoryEndsAsTheEndOfInput) {
    EXPECT_EQ(run(TORVANE_CLI " <&- 2>&1"), (std::pair<std::string, int>{"", 0}));
    EXPECT_EQ(run(TORVANE_CLI " </ 2>&1"), (std::pair<std::string, int>{"", 0}));
}

TEST(Cli, TheToolAnswersOneLinePerCommandThroughPipes) {
    FILE* p = popen("printf 'man 7 7 7 6\\nboard\\nbogus\\nquit\\nboard\\n' | " TORVANE_CLI, "r");
    ASSERT_NE(p, nullptr);
    std::string out;
    char buf[512];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    EXPECT_EQ(pclose(p), 0);
    const auto first = out.find('\n');
    EXPECT_EQ(out.substr(0, first), "ok");
    const auto second = out.find('\n', first + 1);
    EXPECT_EQ(second - first - 1, 277u);
    EXPECT_EQ(out.substr(second + 1), "error unknown command\n");  // nothing after quit
}

}  // namespace

namespace {

// Whatever arrives on the pipe, every command gets exactly one line and nothing breaks.
TEST(Cli, GarbageAndOddPositionsNeverBreakTheTool) {
    Engine e;
    Rng rng(7);
    const char* words[] = {"man",         "com",         "board", "survey", "level", "new",
                           "position",    "promote",     "11",    "-1",     "0",     "10",
                           "99999999999", "-2147483648", "\t",    "ｺﾏ"};
    for (int i = 0; i < 3000; ++i) {
        std::string line;
        const std::size_t n = rng.below(7);
        for (std::size_t w = 0; w < n; ++w) {
            if (w) line += ' ';
            line += rng.below(4) == 0 ? std::to_string(static_cast<int>(rng.below(25)) - 6)
                                      : words[rng.below(std::size(words))];
        }
        if (line == "quit") continue;
        const std::string answer = e.handle(line);
        EXPECT_EQ(answer.find('\n'), std::string::npos) << line;
        EXPECT_FALSE(answer.empty()) << line;
    }
    // Boards without kings, with three kings, pawns on the last row: COM still answers.
    const int codes[] = {0,  0,  0,   10, -10, 11, 20,  -21, 30, -31,
                         40, 50, -50, 60, -61, 70, -71, 80,  -80};
    for (int round = 0; round < 40; ++round) {
        std::string line;
        for (int i = 0; i < 81; ++i) {
            char f[8];
            std::snprintf(f, sizeof f, "%3d", codes[rng.below(std::size(codes))]);
            line += f;
        }
        for (int i = 0; i < 14; ++i) line += static_cast<char>('0' + rng.below(3));
        ASSERT_EQ(e.handle("new"), "ok");
        ASSERT_EQ(e.handle("position " + line), "ok");
        EXPECT_EQ(e.handle("survey"), "ok");
        const std::string a = e.handle("com");
        EXPECT_FALSE(a.empty());
        EXPECT_EQ(e.handle("board").substr(0, 257).size(), 257u);
    }
}

}  // namespace
