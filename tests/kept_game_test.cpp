// The game in progress kept after every move in the state directory, and read back by 前回.
#include "play/kept_game.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>

#include "play/game_flow.h"
#include "play/browsing.h"
#include "play/places.h"
#include "play/setup.h"
#include "play_util.h"
#include "record/record_file.h"
#include "temp_dir.h"

namespace {

struct Kept {
    std::unique_ptr<History> hist = std::make_unique<History>();
    RecordContents contents;
};

Kept readKept(const std::filesystem::path& file) {
    Kept k;
    std::string bytes;
    EXPECT_TRUE(readRecordFile(file, bytes).ok) << file;
    k.contents = decodeRecord(bytes, *k.hist);
    return k;
}

// A game against COM, MAN first: each of MAN's moves brings COM's reply in the same click.
const int MAN_MOVES[][4] = {{7, 7, 7, 6}, {3, 7, 3, 6}, {2, 7, 2, 6}};

}  // namespace

TEST(KeptGame, EveryMoveReplacesItAndRestartedItPlaysOn) {
    TempDir dir;
    const auto file = dir / "state" / "torvane" / "前回.棋譜";
    Map last{};
    int moves = 0;
    {
        Fixture f;
        f.s.places.keptGame = file;
        初期設定(f.s);
        SENTE_Click(f.s);
        EXPECT_FALSE(std::filesystem::exists(file));  // a new game keeps nothing until it moves
        for (const auto& m : MAN_MOVES) {
            move(f.s, m[0], m[1], m[2], m[3]);
            const int tesu = f.s.game.TESU();
            ASSERT_EQ(tesu, moves + 2) << "MAN's move and COM's reply";
            moves = tesu;
            // Entries 1..TESU: the history as stored, and last the board as it stands.
            Kept k = readKept(file);
            ASSERT_EQ(k.contents.entries, tesu);
            EXPECT_EQ(k.contents.header, (std::vector<std::string>{"", "", ""}));
            for (int t = 1; t < tesu; ++t) {
                EXPECT_EQ(formatRecordLine(*k.hist, t), formatRecordLine(f.s.hist, t)) << t;
            }
            EXPECT_EQ(k.hist->BAN_RIREKI[tesu], f.s.pos.board());
            EXPECT_EQ(k.hist->MOCHI_COM_RIREKI[tesu], f.s.pos.comHand());
        }
        last = f.s.pos.board();
        struct stat st {};
        ASSERT_EQ(::stat(file.parent_path().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << "the state directory is the user's alone";
        EXPECT_EQ(dir.fileCount(), 1u);
    }

    // The program starts again: the start-up position, then 前回, 進 to its end, 先手.
    Fixture f;
    f.s.places.keptGame = file;
    初期設定(f.s);
    メニュー選択(f.s, "KIFU_ZENKAI");
    EXPECT_EQ(heard(f.port, {"message", "play"}),
              (Log{"message  読み込みました | 棋譜", "message 棋譜を '進 'で進めて下さい | 棋譜"}));
    EXPECT_TRUE(f.s.game.KIFU_MODE());
    for (int t = 1; t <= moves; ++t) AFTER_Click(f.s);
    EXPECT_EQ(f.s.pos.board(), last);
    EXPECT_EQ(f.s.game.TEBAN_MAN(), SENTE_BAN) << "MAN moved first, so MAN sits below";
    f.port.clear();
    SENTE_Click(f.s);
    EXPECT_EQ(heard(f.port, {"message"}), (Log{"message MANの番です | 対局"}));
    move(f.s, 1, 7, 1, 6);
    ASSERT_EQ(f.s.game.TESU(), moves + 2);
    EXPECT_EQ(f.s.pos.board()[1][6], MAN_HU);
    Kept k = readKept(file);
    EXPECT_EQ(k.contents.entries, moves + 2);
    EXPECT_EQ(k.hist->BAN_RIREKI[moves], last);
}

TEST(KeptGame, WithoutOneTheCommandIsRefusedAndNothingChanges) {
    TempDir dir;
    std::filesystem::create_directories(dir / "a directory");
    const struct {
        std::filesystem::path file;
        const char* message;
    } cases[] = {
        {"", "message 前回の対局はありません | 前回"},  // a program that keeps none
        {dir / "missing.棋譜", "message 前回の対局はありません | 前回"},
        {dir / "a directory", "message 棋譜ﾌｧｲﾙを開けません\n\na directory | 前回"},
    };
    for (const auto& c : cases) {
        Fixture f;
        初期設定(f.s);
        START_Click(f.s);
        move(f.s, 7, 7, 7, 6);
        f.s.places.keptGame = c.file;
        f.port.clear();
        メニュー選択(f.s, "KIFU_ZENKAI");
        EXPECT_EQ(heard(f.port, {"message", "play"}),
                  (Log{"play " + std::to_string(int(Sound::KINSHI)), c.message}))
            << c.file;
        EXPECT_EQ(f.s.game.TESU(), 1) << "the game goes on as it was";
        EXPECT_FALSE(f.s.game.KIFU_MODE());
    }
}

TEST(KeptGame, APlaceThatCannotHoldItLosesNoMove) {
    TempDir dir;
    TempDir::write(dir / "file", "x");
    Fixture f;
    f.s.places.keptGame = dir / "file" / "torvane" / "前回.棋譜";  // under a plain file
    初期設定(f.s);
    START_Click(f.s);
    move(f.s, 7, 7, 7, 6);
    move(f.s, 3, 3, 3, 4);
    EXPECT_EQ(f.s.game.TESU(), 2);
    EXPECT_EQ(TempDir::read(dir / "file"), "x");
}

TEST(KeptGame, TheStateDirectoryFromTheEnvironment) {
    const auto env = [](std::string home, std::string state) {
        return [=](std::string_view name) {
            return name == "HOME" ? home : name == "XDG_STATE_HOME" ? state : std::string();
        };
    };
    EXPECT_EQ(keptGameFor(env("/home/u", "")), "/home/u/.local/state/torvane/前回.棋譜");
    EXPECT_EQ(keptGameFor(env("/home/u", "/var/s")), "/var/s/torvane/前回.棋譜");
    EXPECT_EQ(keptGameFor(env("/home/u", "rel")), "/home/u/.local/state/torvane/前回.棋譜");
    EXPECT_EQ(keptGameFor(env("", "/var/s")), "/var/s/torvane/前回.棋譜");
    // No home: nothing kept, rather than at the root.
    EXPECT_EQ(keptGameFor(env("", "")), "");
    EXPECT_EQ(keptGameFor(env("/", "")), "");
}
