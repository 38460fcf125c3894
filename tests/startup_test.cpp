// Form_Load, the ways out of the program, help, the version box and the menu dispatcher.
#include <gtest/gtest.h>

#include <filesystem>

#include "play/places.h"
#include "play/setup.h"
#include "play_util.h"
#include "temp_dir.h"

namespace {

// The program runs in its play directory.
struct InDir {
    std::filesystem::path old = std::filesystem::current_path();
    explicit InDir(const std::filesystem::path& p) { std::filesystem::current_path(p); }
    ~InDir() { std::filesystem::current_path(old); }
};

}  // namespace

TEST(StartUp, SoundsThenSettingsThenTheBoardThenTheWindowAndEscEndsIt) {
    TempDir dir;
    InDir in(dir.path());
    TempDir::write(dir / "その他.wav", "RIFFwave");
    TempDir::write(dir / "駒打音.wav", std::string(100, 'x'));
    std::filesystem::create_directory(dir / "BGM.wav");  // there, but no file to read
    TempDir::write(dir / "消滅.wav", "");
    std::filesystem::resize_file(dir / "消滅.wav", std::uintmax_t{17} << 20);
    Fixture f;
    Form_Load(f.s);
    const std::initializer_list<const char*> order = {
        "openSound", "loadSound",   "message",   "check LEVEL3", "check TATAMI on",
        "loop",      "placeWindow", "freeSound", "closeSound",   "quit"};
    EXPECT_EQ(heard(f.port, order),
              (Log{"openSound", "loadSound 0 8 3", "loadSound 2 100 3",
                   "message BGM.wav を読み込めません | Torvane.dll",
                   "message 消滅.wav は大きすぎるため読み込めません（16MBまで） | Torvane.dll",
                   "check LEVEL3 on", "check TATAMI on", "loop 3", "placeWindow 9700 8000"}));
    // The full redraw of the starting position ends with the title, just before placement.
    EXPECT_EQ(f.port.calls[f.port.calls.size() - 2], "picture -3 6396 100");
    EXPECT_TRUE(std::filesystem::exists(dir / "Torvane.ini"));
    EXPECT_EQ(f.s.places.dataDir, std::filesystem::current_path());
    EXPECT_EQ(f.s.game.TEBAN() * 10 + f.s.analysis.LEVEL_NO, 3);

    f.port.clear();
    Form_KeyPress(f.s, 'q');  // other keys do nothing
    Form_KeyPress(f.s, 27);
    Form_Unload(f.s);  // the window closes afterwards: nothing is freed twice
    EXPECT_EQ(f.port.calls, (Log{"freeSound 0", "freeSound 1", "freeSound 2", "freeSound 3",
                                 "freeSound 4", "closeSound", "quit"}));
}

TEST(StartUp, WithoutASoundDeviceOneWarningAndASilentGame) {
    TempDir dir;
    InDir in(dir.path());
    TempDir::write(dir / "駒打音.wav", "RIFFwave");
    Fixture f;
    f.port.hasSound = false;
    Form_Load(f.s);
    EXPECT_EQ(
        heard(f.port, {"openSound", "loadSound", "message", "placeWindow"}),
        (Log{"openSound", "message Direct Soundインターフェースが作成できません。 | Torvane.dll",
             "placeWindow 9700 8000"}));
    f.port.clear();
    Form_Unload(f.s);  // no device to close, and the window quits by itself
    EXPECT_EQ(f.port.calls,
              (Log{"freeSound 0", "freeSound 1", "freeSound 2", "freeSound 3", "freeSound 4"}));
}

// An installed game: the data from its data directory, the settings file in a configuration
// directory made for it, the record panel in the documents, and nothing in the directory it
// was started in.
TEST(StartUp, AnInstalledGameKeepsItsFilesInItsPlaces) {
    TempDir dir;
    const auto start = dir / "start", data = dir / "share", docs = dir / "docs";
    for (const auto& d : {start, data, docs}) std::filesystem::create_directory(d);
    for (std::string_view wave : WAVE_FILES) TempDir::write(data / std::string(wave), "RIFFwave");
    TempDir::write(data / "Torvane.htm", "<html/>");
    TempDir::write(start / "Torvane.ini", "BGM=OFF\r\n");  // someone else's: not read
    InDir in(start);
    Fixture f;
    f.s.places = {data, dir / "config" / "torvane" / "Torvane.ini", docs};
    Form_Load(f.s);
    EXPECT_EQ(f.port.count("loadSound"), 5u);
    EXPECT_EQ(heard(f.port, {"directory", "file directory", "loop"}),
              (Log{"directory " + docs.string(), "file directory " + docs.string(), "loop 3"}));
    EXPECT_EQ(TempDir::read(dir / "config" / "torvane" / "Torvane.ini").substr(0, 6),
              "\x94\x77\x8C\x69\x89\xE6");  // 背景画 in Shift-JIS: the defaults
    EXPECT_EQ(std::filesystem::status(dir / "config" / "torvane").permissions(),
              std::filesystem::perms::owner_all);
    f.port.clear();
    メニュー選択(f.s, "TAKE");  // an option is written to the same file
    メニュー選択(f.s, "KAISETU");
    EXPECT_EQ(TempDir::read(dir / "config" / "torvane" / "Torvane.ini").substr(0, 11),
              "\x94\x77\x8C\x69\x89\xE6=\x92\x7C\r\n");  // 背景画=竹
    EXPECT_EQ(f.port.only("browse"), Log{"browse " + (data / "Torvane.htm").string()});
    std::filesystem::remove(start / "Torvane.ini");
    EXPECT_TRUE(std::filesystem::is_empty(start));
}

// When the configuration directory cannot be made, the player is told once and plays on.
TEST(StartUp, ASettingsDirectoryThatCannotBeMadeIsReported) {
    TempDir dir;
    InDir in(dir.path());
    TempDir::write(dir / "config", "a file where the directory should be");
    Fixture f;
    f.s.places.settingsFile = dir / "config" / "torvane" / "Torvane.ini";
    Form_Load(f.s);
    EXPECT_EQ(heard(f.port, {"message"}),
              (Log{"message 環境設定ﾌｧｲﾙを作成できません\n\nTorvane.ini | 環境設定"}));
    EXPECT_EQ(f.s.canvas.opt.HAIKEI_NO, 6);
    EXPECT_EQ(dir.fileCount(), 1u);  // nothing written beside it
}

TEST(Help, HelpPageAndVersionBox) {
    TempDir dir;
    Fixture f;
    f.s.places.dataDir = dir.path();
    f.port.homePageChosen = true;
    メニュー選択(f.s, "KAISETU");  // no help page: nothing at all
    メニュー選択(f.s, "VER");
    TempDir::write(dir / "Torvane.htm", "<html></html>");
    メニュー選択(f.s, "KAISETU");
    メニュー選択(f.s, "VER");
    const std::string page = "browse " + (dir / "Torvane.htm").string();
    // The version box closes the record panel first.
    EXPECT_EQ(f.port.calls,
              (Log{"lists 0 0 0", "clear inputs", "inputs off", "play 0", "versionBox", page,
                   "lists 0 0 0", "clear inputs", "inputs off", "play 0", "versionBox", page}));
}

TEST(Menu, EveryControlReachesItsCommand) {
    TempDir dir;
    InDir in(dir.path());  // the option commands write the settings file here
    const std::pair<const char*, const char*> cases[] = {
        {"START", "message 先手の番です |  "},
        {"SENTE", "message MANの番です |  "},
        {"GOTE", "wait 0.5"},
        {"LEVEL1", "check LEVEL1 on"},
        {"LEVEL2", "check LEVEL2 on"},
        {"LEVEL3", "check LEVEL3 on"},
        {"OWARI", "quit"},
        {"REPLAY", "message できません | 戻る"},
        {"AFTER", "message 「対局」で始めて下さい | 開始"},
        {"CANCEL", "play 2"},
        {"REVERSE", "play 2"},
        {"MIDORI", "check MIDORI on"},
        {"TATAMI", "check TATAMI on"},
        {"TAKE", "check TAKE on"},
        {"UCHU", "check UCHU on"},
        {"RENGA", "check RENGA on"},
        {"SIDOU", "check SIDOU on"},
        {"KEIKA", "check KEIKA on"},
        {"BGM", "loop 3"},
        {"LBEL_UP", "play 2"},
        {"LEBEL_DOWN", "play 2"},
        {"VER", "versionBox"},
        // Menu titles, submenus and the panel commands show and play nothing yet.
        {"TAIKYOKU", nullptr},
        {"MATCH_MAN", nullptr},
        {"START2", nullptr},
        {"LEVEL", nullptr},
        {"STOP", nullptr},
        {"KIFU", nullptr},
        {"KIFU_READ", nullptr},
        {"KIFU_WRITE", nullptr},
        {"OPTION", nullptr},
        {"HAIKEI_GA", nullptr},
        {"HANDE", nullptr},
        {"SONOTA", nullptr},
        {"KAISETU", nullptr},
        {"no such item", nullptr}};
    for (const auto& [control, call] : cases) {
        Fixture f;
        初期設定(f.s);
        f.port.clear();
        メニュー選択(f.s, control);
        const Log seen =
            heard(f.port, {"message", "play", "check", "loop", "wait", "quit", "versionBox"});
        if (call)
            EXPECT_NE(std::find(seen.begin(), seen.end(), call), seen.end()) << control;
        else
            EXPECT_TRUE(seen.empty()) << control << ": " << seen.front();
    }
}
