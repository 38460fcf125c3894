#include "play/settings.h"

#include <gtest/gtest.h>

#include "fake_port.h"
#include "play/option_menu.h"
#include "temp_dir.h"

namespace {

// Shift-JIS bytes of the two sets of defaults.
const std::string TATAMI_FILE =
    "\x94\x77\x8C\x69\x89\xE6=\x8F\xF4\r\n\x88\xDA\x93\xAE\x8E\x77\x93\xB1=OFF\r\n"
    "\x8C\x6F\x89\xDF\x8E\x9E\x8A\xD4=ON\r\nBGM=ON\r\n";
const std::string MIDORI_FILE =
    "\x94\x77\x8C\x69\x89\xE6=\x97\xCE\r\n\x88\xDA\x93\xAE\x8E\x77\x93\xB1=OFF\r\n"
    "\x8C\x6F\x89\xDF\x8E\x9E\x8A\xD4=ON\r\nBGM=ON\r\n";

std::size_t backgroundTiles(const FakePort& p, int id) {
    return p.count("picture " + std::to_string(id) + " ");
}

}  // namespace

TEST(SettingsFile, MissingFileIsCreatedWithTatamiDefaults) {
    TempDir dir;
    Fixture f;
    State& s = f.s;
    FileResult r =
        読込_環境設定ファイル(s.canvas, s.window, s.sound, s.dialog, dir / "Torvane.ini");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(TempDir::read(dir / "Torvane.ini"), TATAMI_FILE);
    EXPECT_EQ(s.canvas.opt.HAIKEI_NO, 6);
    EXPECT_TRUE(s.canvas.opt.TATAMI);
    EXPECT_FALSE(s.canvas.opt.MIDORI);
    EXPECT_FALSE(s.canvas.opt.SIDOU_FLAG);
    EXPECT_EQ(s.canvas.opt.SIDOU_COLOR, 2);
    EXPECT_TRUE(s.canvas.opt.KEIKA);
    EXPECT_TRUE(s.canvas.opt.BGM);
    EXPECT_EQ(f.port.count("check TATAMI on"), 1u);
    EXPECT_EQ(f.port.count("check SIDOU off"), 1u);
    EXPECT_EQ(f.port.count("check KEIKA on"), 1u);
    EXPECT_EQ(f.port.count("check BGM on"), 1u);
    EXPECT_EQ(f.port.only("loop"), std::vector<std::string>{"loop 3"});
    EXPECT_EQ(backgroundTiles(f.port, 6), 32u * 20u - 81u);
    EXPECT_EQ(f.port.count("message"), 0u);

    // Read again: the file now exists and gives the same state.
    Fixture g;
    読込_環境設定ファイル(g.s.canvas, g.s.window, g.s.sound, g.s.dialog, dir / "Torvane.ini");
    EXPECT_EQ(g.s.canvas.opt.HAIKEI_NO, 6);
    EXPECT_TRUE(g.s.canvas.opt.TATAMI && g.s.canvas.opt.KEIKA && g.s.canvas.opt.BGM);
}

TEST(SettingsFile, LinesAreParsedByKeyAndLaterLinesWin) {
    TempDir dir;
    Fixture f;
    State& s = f.s;
    TempDir::write(dir / "Torvane.ini",
                   toCp932("背景画=宇宙\r\n移動指導=ON\r\nfoo=bar\r\nno equals sign\r\n\r\n"
                           "経過時間=ON\r\nBGM=ON=1\r\n背景画=竹\n移動指導=on\r\n経過時間=ON "));
    読込_環境設定ファイル(s.canvas, s.window, s.sound, s.dialog, dir / "Torvane.ini");
    EXPECT_EQ(s.canvas.opt.HAIKEI_NO, 7);
    EXPECT_TRUE(s.canvas.opt.TAKE);
    EXPECT_FALSE(s.canvas.opt.UCHU);
    EXPECT_FALSE(s.canvas.opt.SIDOU_FLAG);  // "on" is not "ON"
    EXPECT_EQ(s.canvas.opt.SIDOU_COLOR, 2);
    EXPECT_FALSE(s.canvas.opt.KEIKA);  // the trailing blank counts
    EXPECT_FALSE(s.canvas.opt.BGM);    // the value is everything after the first "="
    EXPECT_EQ(f.port.count("loop"), 0u);
    EXPECT_EQ(backgroundTiles(f.port, 8), 32u * 20u - 81u);
    EXPECT_EQ(backgroundTiles(f.port, 7), 32u * 20u - 81u);
    EXPECT_EQ(f.port.count("check SIDOU on"), 1u);
    EXPECT_EQ(f.port.count("check SIDOU off"), 1u);
}

TEST(SettingsFile, UnknownBackgroundLeavesNoBackgroundLine) {
    TempDir dir;
    Fixture f;
    State& s = f.s;
    TempDir::write(dir / "Torvane.ini",
                   toCp932("背景画=海\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=ON\r\n"));
    読込_環境設定ファイル(s.canvas, s.window, s.sound, s.dialog, dir / "Torvane.ini");
    EXPECT_FALSE(s.canvas.opt.MIDORI || s.canvas.opt.TATAMI || s.canvas.opt.TAKE ||
                 s.canvas.opt.UCHU || s.canvas.opt.RENGA);
    EXPECT_TRUE(s.canvas.opt.SIDOU_FLAG);
    EXPECT_EQ(s.canvas.opt.SIDOU_COLOR, 15);
    EXPECT_EQ(f.port.only("loop"), std::vector<std::string>{"loop 3"});

    ASSERT_TRUE(書込_環境設定ファイル(s.canvas.opt, s.window, s.dialog, dir / "Torvane.ini").ok);
    EXPECT_EQ(TempDir::read(dir / "Torvane.ini"),
              toCp932("移動指導=ON\r\n経過時間=OFF\r\nBGM=ON\r\n"));
    EXPECT_EQ(dir.fileCount(), 1u);

    // Several checked items: the first in the order 緑, 竹, 畳, 宇宙, 煉瓦 is written.
    s.canvas.opt.RENGA = s.canvas.opt.TATAMI = s.canvas.opt.TAKE = true;
    書込_環境設定ファイル(s.canvas.opt, s.window, s.dialog, dir / "Torvane.ini");
    EXPECT_EQ(TempDir::read(dir / "Torvane.ini").substr(0, 11), toCp932("背景画=竹\r\n"));
}

// The largest file the reader allows is read as any other; one byte more is refused.
TEST(SettingsFile, AFileOfExactlyTheBoundIsReadAndOneByteMoreIsNot) {
    TempDir dir;
    // 緑 then blank lines up to the bound.
    std::string atBound = MIDORI_FILE;
    atBound.resize(SETTINGS_FILE_MAX_BYTES, '\n');
    for (const std::size_t extra : {0, 1}) {
        SCOPED_TRACE(extra);
        Fixture f;
        TempDir::write(dir / "Torvane.ini", atBound + std::string(extra, '\n'));
        EXPECT_TRUE(読込_環境設定ファイル(f.s.canvas, f.s.window, f.s.sound, f.s.dialog,
                                          dir / "Torvane.ini")
                        .ok);
        EXPECT_EQ(f.s.canvas.opt.HAIKEI_NO, extra == 0 ? 5 : 6);
        EXPECT_EQ(f.port.count("message"), extra);
    }
}

TEST(SettingsFile, FailuresFallBackToDefaults) {
    TempDir dir;
    {
        // Oversized files count as unreadable: kept aside (over an older one), replaced, and
        // the player is told once.
        Fixture f;
        const std::string big(SETTINGS_FILE_MAX_BYTES + 1, '=');
        TempDir::write(dir / "big.ini", big);
        TempDir::write(dir / "big.ini.bad", "older");
        EXPECT_TRUE(
            読込_環境設定ファイル(f.s.canvas, f.s.window, f.s.sound, f.s.dialog, dir / "big.ini")
                .ok);
        EXPECT_EQ(TempDir::read(dir / "big.ini"), TATAMI_FILE);
        EXPECT_EQ(TempDir::read(dir / "big.ini.bad"), big);
        EXPECT_EQ(f.s.canvas.opt.HAIKEI_NO, 6);
        EXPECT_EQ(f.port.only("message"),
                  std::vector<std::string>{"message " + std::string(SETTINGS_UNREADABLE) +
                                           "\n\n元のﾌｧｲﾙは big.ini.bad に残しました | 環境設定"});
        Fixture again;
        読込_環境設定ファイル(again.s.canvas, again.s.window, again.s.sound, again.s.dialog,
                              dir / "big.ini");
        EXPECT_EQ(again.port.count("message"), 0u);
    }
    {
        // Unreadable and not creatable: tatami all the same, and the user is told.
        Fixture f;
        FileResult r = 読込_環境設定ファイル(f.s.canvas, f.s.window, f.s.sound, f.s.dialog,
                                             dir / "no" / "Torvane.ini");
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(f.port.only("message"),
                  std::vector<std::string>{
                      "message 環境設定ﾌｧｲﾙを作成できません\n\nTorvane.ini | 環境設定"});
        EXPECT_EQ(f.s.canvas.opt.HAIKEI_NO, 6);
        EXPECT_TRUE(f.s.canvas.opt.TATAMI && f.s.canvas.opt.KEIKA && f.s.canvas.opt.BGM);
        EXPECT_EQ(f.port.count("loop 3"), 1u);
    }
    {
        // A failed write: green marks, the background shown and the music as they were.
        Fixture f;
        State& s = f.s;
        s.canvas.opt.HAIKEI_NO = 8;
        s.canvas.opt.UCHU = true;
        s.canvas.opt.SIDOU_FLAG = true;
        s.canvas.opt.SIDOU_COLOR = 15;
        s.canvas.opt.BGM = false;
        FileResult r =
            書込_環境設定ファイル(s.canvas.opt, s.window, s.dialog, dir / "no" / "Torvane.ini");
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(s.canvas.opt.HAIKEI_NO, 8);
        EXPECT_TRUE(s.canvas.opt.MIDORI);
        EXPECT_FALSE(s.canvas.opt.UCHU);
        EXPECT_FALSE(s.canvas.opt.SIDOU_FLAG);
        EXPECT_TRUE(s.canvas.opt.KEIKA);
        EXPECT_TRUE(s.canvas.opt.BGM);
        EXPECT_EQ(f.port.count("loop"), 0u);
        EXPECT_EQ(f.port.count("message"), 1u);
    }
    {
        // When the fallback write fails too, the command says so and the target is untouched.
        Fixture f;
        std::filesystem::create_directory(dir / "taken");
        EXPECT_FALSE(
            書込_環境設定ファイル(f.s.canvas.opt, f.s.window, f.s.dialog, dir / "taken").ok);
        EXPECT_TRUE(std::filesystem::is_directory(dir / "taken"));
    }
}

TEST(SettingsFile, Utf8FilesAreReadAndWrittenBackInCp932) {
    TempDir dir;
    for (const std::string bom : {"", "\xEF\xBB\xBF"}) {
        Fixture f;
        TempDir::write(dir / "Torvane.ini", bom + "背景画=宇宙\r\n移動指導=ON\nBGM=OFF\r\n");
        EXPECT_TRUE(読込_環境設定ファイル(f.s.canvas, f.s.window, f.s.sound, f.s.dialog,
                                          dir / "Torvane.ini")
                        .ok);
        EXPECT_EQ(f.s.canvas.opt.HAIKEI_NO, 8);
        EXPECT_TRUE(f.s.canvas.opt.SIDOU_FLAG);
        EXPECT_FALSE(f.s.canvas.opt.BGM);
        書込_環境設定ファイル(f.s.canvas.opt, f.s.window, f.s.dialog, dir / "Torvane.ini");
        EXPECT_EQ(fromCp932(TempDir::read(dir / "Torvane.ini")),
                  "背景画=宇宙\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=OFF\r\n");
    }
}

TEST(SettingsFile, CheckMarksAndMenuCommands) {
    TempDir dir;
    const auto ini = dir / "Torvane.ini";
    Fixture f;
    State& s = f.s;

    チェック設定(s.canvas.opt, s.window, 4);
    EXPECT_FALSE(s.canvas.opt.MIDORI || s.canvas.opt.TATAMI || s.canvas.opt.TAKE ||
                 s.canvas.opt.UCHU || s.canvas.opt.RENGA);
    EXPECT_EQ(f.port.count("check"), 5u);
    EXPECT_EQ(f.port.count("check MIDORI off"), 1u);

    f.port.clear();
    RENGA_Click(s, ini);
    EXPECT_TRUE(s.canvas.opt.RENGA);
    EXPECT_EQ(s.canvas.opt.HAIKEI_NO, 9);
    EXPECT_EQ(TempDir::read(ini).substr(0, 13), toCp932("背景画=煉瓦\r\n"));
    EXPECT_EQ(f.port.count("picture -3"), 1u);  // the full redraw ends with the title

    // Already checked: no new check marks, but the file is written and the screen redrawn.
    std::filesystem::remove(ini);
    f.port.clear();
    RENGA_Click(s, ini);
    EXPECT_EQ(f.port.count("check"), 0u);
    EXPECT_TRUE(std::filesystem::exists(ini));
    EXPECT_EQ(f.port.count("picture -3"), 1u);

    s.canvas.opt.SIDOU_FLAG = false;
    f.port.clear();
    SIDOU_Click(s, ini);
    EXPECT_TRUE(s.canvas.opt.SIDOU_FLAG);
    EXPECT_EQ(s.canvas.opt.SIDOU_COLOR, 15);
    EXPECT_EQ(f.port.count("outline"), 0u);
    SIDOU_Click(s, ini);
    EXPECT_FALSE(s.canvas.opt.SIDOU_FLAG);
    EXPECT_EQ(s.canvas.opt.SIDOU_COLOR, 2);
    EXPECT_EQ(f.port.count("outline 2 "), 81u + 14u);
    EXPECT_EQ(f.port.only("check"),
              (std::vector<std::string>{"check SIDOU on", "check SIDOU off"}));

    f.port.clear();
    KEIKA_Click(s, ini);
    EXPECT_TRUE(s.canvas.opt.KEIKA);
    EXPECT_TRUE(s.clock.Timer1);
    EXPECT_EQ(f.port.count("text"), 4u);  // both clocks with their shadows
    KEIKA_Click(s, ini);
    EXPECT_FALSE(s.canvas.opt.KEIKA);
    EXPECT_FALSE(s.clock.Timer1);
    EXPECT_EQ(f.port.count("text"), 4u);

    f.port.clear();
    BGM_Click(s, ini);
    BGM_Click(s, ini);
    EXPECT_EQ(f.port.only("loop"), std::vector<std::string>{"loop 3"});
    EXPECT_EQ(f.port.only("stop"), std::vector<std::string>{"stop 3"});
    EXPECT_FALSE(s.canvas.opt.BGM);
    EXPECT_EQ(TempDir::read(ini),
              toCp932("背景画=煉瓦\r\n移動指導=OFF\r\n経過時間=OFF\r\nBGM=OFF\r\n"));
}

// The file format alone: what each line sets, and that formatting and parsing agree.
TEST(SettingsFile, EachLineSetsOneValue) {
    using K = SettingsKey;
    const struct {
        const char* line;
        K key;
        int background;
        bool on;
    } rows[] = {{"背景画=宇宙", K::Background, 8, false},
                {"背景画=煉瓦", K::Background, 9, false},
                {"背景画=海", K::Background, 0, false},
                {"背景画=緑 ", K::Background, 0, false},
                {"移動指導=ON", K::Guidance, 0, true},
                {"移動指導=on", K::Guidance, 0, false},
                {"経過時間=ON ", K::Clock, 0, false},
                {"経過時間=OFF", K::Clock, 0, false},
                {"BGM=ON", K::Music, 0, true},
                {"BGM=ON=1", K::Music, 0, false},
                {"foo=ON", K::None, 0, true},
                {"no equals sign", K::None, 0, false},
                {"=ON", K::None, 0, true},
                {" BGM=ON", K::None, 0, true}};
    for (const auto& r : rows) {
        const SettingsLine l = parseSettingsLine(r.line);
        EXPECT_EQ(l.key, r.key) << r.line;
        if (r.key == K::Background) {
            EXPECT_EQ(l.background, r.background) << r.line;
        } else if (r.key != K::None) {
            EXPECT_EQ(l.on, r.on) << r.line;
        }
    }

    for (int id : {0, 5, 6, 7, 8, 9})
        for (int bits = 0; bits < 8; ++bits) {
            const SettingsValues v{id, (bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
            const std::string text = formatSettings(v);
            SettingsValues back;
            LineReader lines(text);
            std::string_view line;
            int count = 0;
            while (lines.next(line)) {
                const SettingsLine l = parseSettingsLine(line);
                if (l.key == SettingsKey::Background) back.background = l.background;
                if (l.key == SettingsKey::Guidance) back.guidance = l.on;
                if (l.key == SettingsKey::Clock) back.clock = l.on;
                if (l.key == SettingsKey::Music) back.music = l.on;
                ++count;
            }
            EXPECT_EQ(count, id == 0 ? 3 : 4) << text;
            EXPECT_EQ(back.background, v.background) << text;
            EXPECT_EQ(back.guidance, v.guidance) << text;
            EXPECT_EQ(back.clock, v.clock) << text;
            EXPECT_EQ(back.music, v.music) << text;
        }
}
