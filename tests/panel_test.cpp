// The record panel, options, levels and the handicap ladder as the menus and the panel's
// controls drive them, through the recording fake.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "play/setup.h"
#include "play/game_flow.h"
#include "play_util.h"
#include "files/text_file.h"
#include "play/handicap.h"
#include "temp_dir.h"
#include "test_util.h"
#include "mode_seam.h"

namespace {

// Runs a test in a directory of its own: the settings file lives in the current directory.
struct WorkIn {
    std::filesystem::path old = std::filesystem::current_path();
    explicit WorkIn(const std::filesystem::path& p) { std::filesystem::current_path(p); }
    ~WorkIn() { std::filesystem::current_path(old); }
};

const Log CLOSED{"lists 0 0 0", "clear inputs", "inputs off"};

Log panelCalls(const FakePort& p) {
    return heard(p, {"lists", "inputs", "clear", "directory", "file directory", "refresh"});
}

// A two-people game of four moves: TESU 4, entries 0..3 stored.
void fourMoves(State& s) {
    START_Click(s);
    move(s, 3, 7, 3, 6);
    move(s, 3, 3, 3, 4);
    move(s, 2, 8, 3, 7);
    move(s, 7, 3, 7, 4);
}

bool sameBoard(const State& s, const Map& ban) { return s.pos.board() == ban; }

// Calls that hold the text anywhere.
std::size_t mentions(const FakePort& p, const std::string& text) {
    std::size_t n = 0;
    for (const std::string& c : p.calls) n += c.find(text) != std::string::npos;
    return n;
}

}  // namespace

TEST(Panel, ShownByTheRecordCommandsAndClosedByEveryOther) {
    TempDir dir;
    WorkIn in(dir.path());
    struct Case {
        const char* control;
        Log calls;  // the panel's calls, in order, before anything else
    };
    const Log read{"lists 1 1 1", "clear inputs", "inputs off"};
    const Log write{"lists 1 1 0", "inputs on"};
    const Case cases[] = {
        {"KIFU_READ", read},
        {"KIFU_WRITE", write},
        {"TAIKYOKU", CLOSED},
        {"STOP", CLOSED},
        {"REPLAY", CLOSED},
        {"AFTER", CLOSED},
        {"OPTION", CLOSED},
        {"LBEL_UP", CLOSED},
        {"LEBEL_DOWN", CLOSED},
        {"VER", CLOSED},
        // Opened or chosen within a menu whose opening has closed it, or no closer at all.
        {"KIFU", {}},
        {"HANDE", {}},
        {"SONOTA", {}},
        {"KAISETU", {}},
        {"START", {}},
        {"SENTE", {}},
        {"CANCEL", {}},
        {"REVERSE", {}},
        {"LEVEL1", {}},
        {"MIDORI", {}},
        {"SIDOU", {}}};
    for (const Case& c : cases) {
        Fixture f;
        初期設定(f.s);
        f.port.clear();
        メニュー選択(f.s, c.control);
        EXPECT_EQ(panelCalls(f.port), c.calls) << c.control;
    }
    Fixture f;
    初期設定(f.s);
    f.port.clear();
    click(f.s, 5, 5);  // any click on the window, here refused for want of a game
    EXPECT_EQ(f.port.calls.size(), 5u);
    EXPECT_EQ(Log(f.port.calls.begin(), f.port.calls.begin() + 3), CLOSED);
}

TEST(Panel, WriteIsRefusedAfterReversalOrHandicapUntilANewStart) {
    Fixture f;
    State& s = f.s;
    初期設定(s);
    メニュー選択(s, "REVERSE");
    f.port.clear();
    for (const char* c : {"KIFU_WRITE", "CANCEL", "LBEL_UP", "KIFU_WRITE", "CANCEL", "KIFU_WRITE"})
        メニュー選択(s, c);
    EXPECT_EQ(heard(f.port, {"message", "lists", "inputs"}),
              (Log{"message 反転後は書き込みできません | 棋譜書込", "lists 0 0 0", "inputs off",
                   "message ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません | 棋譜書込", "lists 1 1 0",
                   "inputs on"}));
}

TEST(Panel, ReturnWritesTheRecordClosesThePanelAndListsTheFile) {
    TempDir dir;
    Fixture f;
    State& s = f.s;
    FakePort& p = f.port;
    p.fileDirectory = dir.path().string();
    初期設定(s);

    // Nothing stored yet, then no name: refused in this order, nothing written.
    メニュー選択(s, "KIFU_WRITE");
    p.inputs = {"", "名", "", "", ""};
    Command1_Click(s);
    fourMoves(s);
    p.inputs = {"", "", "対局", "", ""};
    Command1_Click(s);
    // A name that is no single file of the directory, and a directory that has gone.
    p.inputs = {"", "sub/x", "", "", ""};
    std::filesystem::create_directory(dir / "sub");
    Command1_Click(s);
    p.fileDirectory = (dir / "gone").string();
    p.inputs = {"", "x", "", "", ""};
    Command1_Click(s);
    EXPECT_EQ(heard(p, {"message"}),
              (Log{"message 保存するデータがありません | 棋譜保存", "message 先手の番です |  ",
                   "message ﾌｧｲﾙ名が入力されていません |   ",
                   "message 棋譜ﾌｧｲﾙを作成できません\n\nsub/x.棋譜 | 棋譜保存",
                   "message 棋譜ﾌｧｲﾙを作成できません\n\nx.棋譜 | 棋譜保存"}));
    EXPECT_EQ(dir.fileCount(), 1u);  // only "sub", still empty
    EXPECT_TRUE(std::filesystem::is_empty(dir / "sub"));
    EXPECT_EQ(p.count("refresh"), 0u);

    // Stepped back twice: the whole game is written all the same.
    メニュー選択(s, "REPLAY");
    メニュー選択(s, "REPLAY");
    p.fileDirectory = dir.path().string();
    p.inputs = {"", "第一局", "名人戦", "先手氏", "後手氏"};
    p.clear();
    Command1_Click(s);
    EXPECT_EQ(p.calls, (Log{"lists 0 0 0", "clear inputs", "inputs off", "refresh files",
                            "message 棋譜を書き込みました |   "}));
    const std::string bytes = TempDir::read(dir / "第一局.棋譜");  // a UTF-8 name on disk
    // Shift-JIS lines; MAN moved first, so the second player sits at the top.
    const std::string header = toCp932("名人戦\r\n後手氏\r\n先手氏\r\n");
    EXPECT_EQ(bytes.substr(0, header.size()), header);
    EXPECT_EQ(bytes.size(), header.size() + 3 * 279u);
    EXPECT_EQ(p.inputs, (std::array<std::string, 5>{}));  // names are typed again next time
    EXPECT_EQ(s.game.TESU(), 2);                          // writing changes no game state

    // COM moved first: the first player's name is the top one.
    Fixture g;
    初期設定(g.s);
    ModeTestSeam::of(g.s.game).TEBAN_MAN = GOTE_BAN;
    ModeTestSeam::SAISHU_TESU(g.s.hist) = 1;
    g.port.fileDirectory = dir.path().string();
    g.port.inputs = {"", "gote", "g", "sente", "gote"};
    Command1_Click(g.s);
    EXPECT_EQ(TempDir::read(dir / "gote.棋譜").substr(0, 16), "g\r\nsente\r\ngote\r\n");
}

TEST(Panel, AFileClickReadsTheRecordForBrowsing) {
    TempDir dir;
    Fixture w;
    初期設定(w.s);
    fourMoves(w.s);
    w.port.fileDirectory = dir.path().string();
    w.port.inputs = {"", "kifu", "十段戦決勝", "上手", "下手"};
    Command1_Click(w.s);

    Fixture f;
    State& s = f.s;
    初期設定(s);
    f.port.fileDirectory = dir.path().string();
    f.port.clear();
    メニュー選択(s, "KIFU_READ");
    File1_Click(s, "kifu.棋譜");
    EXPECT_EQ(heard(f.port, {"lists", "inputs", "message"}),
              (Log{"lists 1 1 1", "inputs off", "lists 0 0 0", "message  読み込みました | 棋譜",
                   "message 棋譜を '進 'で進めて下さい | 棋譜"}));
    // Drawn over the fresh screen: a game name of five characters lands at 327 twips; the
    // second player's name is at the top, as MAN moved first.
    const std::string x = FakePort::num(1050 + 495 * 5.2);
    const Log headers{"text 327 6350 十段戦決勝 colour 12 size 12",
                      "text " + x + " 100 下手 colour 15 size 12",
                      "text " + x + " 6350 上手 colour 15 size 12"};
    const Log texts = f.port.only("text");
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(Log(texts.end() - 3, texts.end()), headers);
    EXPECT_TRUE(s.game.KIFU_MODE());
    EXPECT_EQ(s.game.TEBAN(), SENTE_BAN);
    EXPECT_EQ(s.hist.SAISHU_TESU(), 3);
    EXPECT_TRUE(sameBoard(s, w.s.hist.BAN_RIREKI[0]));  // the start until 進
    for (int t = 1; t <= 3; ++t) {
        メニュー選択(s, "AFTER");
        EXPECT_TRUE(sameBoard(s, w.s.hist.BAN_RIREKI[t])) << t;
    }
    f.port.clear();
    メニュー選択(s, "AFTER");
    EXPECT_EQ(heard(f.port), Log{"message 終わり | 進む"});
}

TEST(Panel, HeaderOnlyDamagedAndUnreadableFiles) {
    TempDir dir;
    TempDir::write(dir / "head.棋譜", toCp932("対局\r\n甲\r\n乙\r\n"));
    TempDir::write(dir / "bad.棋譜", "g\r\nc\r\nm\r\n 20-10\r\n\r\n");
    std::filesystem::create_directory(dir / "dir.棋譜");
    {
        Fixture f;
        初期設定(f.s);
        f.port.fileDirectory = dir.path().string();
        File1_Click(f.s, "head.棋譜");
        EXPECT_EQ(mentions(f.port, " 対局 colour 12") + mentions(f.port, " 甲 colour 15") +
                      mentions(f.port, " 乙 colour 15"),
                  3u);
        メニュー選択(f.s, "AFTER");  // no entries and no side to move
        EXPECT_EQ(heard(f.port, {"message"}), (Log{"message 棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません | 棋譜",
                                                   "message 「対局」で始めて下さい | 開始"}));
        EXPECT_TRUE(f.s.game.KIFU_MODE());
    }
    {
        Fixture f;
        初期設定(f.s);
        f.port.fileDirectory = dir.path().string();
        File1_Click(f.s, "bad.棋譜");
        EXPECT_EQ(f.s.hist.SAISHU_TESU(), 2);
        メニュー選択(f.s, "AFTER");
        EXPECT_EQ(f.s.pos.board()[1][1], COM_KYOU);
        EXPECT_EQ(f.s.pos.board()[1][2], MAN_HU);
        EXPECT_EQ(f.s.pos.board()[5][9], EMPTY);  // missing fields are empty squares
        メニュー選択(f.s, "AFTER");
        EXPECT_EQ(pieceCount(f.s.pos), 0);  // the empty last line is an empty board
    }
    for (const char* name : {"dir.棋譜", "gone.棋譜"}) {
        // The game in progress goes on as it was.
        Fixture f;
        初期設定(f.s);
        fourMoves(f.s);
        f.port.fileDirectory = dir.path().string();
        f.port.clear();
        File1_Click(f.s, name);
        EXPECT_EQ(heard(f.port, {"message", "text", "picture"}),
                  Log{std::string("message 棋譜ﾌｧｲﾙを開けません\n\n") + name + " | 棋譜"});
        EXPECT_EQ(f.s.game.TESU(), 4);
        EXPECT_FALSE(f.s.game.KIFU_MODE());
        move(f.s, 8, 7, 8, 6);
        EXPECT_EQ(f.s.game.TESU(), 5);
    }
}

TEST(Panel, DriveAndDirectoryListsKeepInStep) {
    Fixture f;
    State& s = f.s;
    f.port.drive = "/media/usb";
    Drive1_Change(s);
    f.port.directory = "/home/u/棋譜";
    Dir1_Change(s);
    f.port.drive = "/media/cd";
    f.port.directoryOpens = false;
    Drive1_Change(s);
    EXPECT_EQ(
        heard(f.port, {"directory", "file directory", "message"}),
        (Log{"directory /media/usb", "file directory /media/usb", "file directory /home/u/棋譜",
             "directory /media/cd failed", "message ﾃﾞﾊﾞｲｽが準備できていません | ｴﾗｰ"}));
    EXPECT_EQ(f.port.fileDirectory, "/home/u/棋譜");  // the lists stay as they were
}

TEST(Options, EveryChangeIsWrittenAndANewStartRestoresIt) {
    TempDir dir;
    WorkIn in(dir.path());
    Fixture f;
    Form_Load(f.s);  // no file: the tatami defaults are written
    EXPECT_EQ(TempDir::read(dir / "Torvane.ini"),
              toCp932("背景画=畳\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n"));
    const std::pair<const char*, const char*> steps[] = {
        {"UCHU", "背景画=宇宙\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n"},
        {"SIDOU", "背景画=宇宙\r\n移動指導=ON\r\n経過時間=ON\r\nBGM=ON\r\n"},
        {"KEIKA", "背景画=宇宙\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=ON\r\n"},
        {"BGM", "背景画=宇宙\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=OFF\r\n"},
        {"RENGA", "背景画=煉瓦\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=OFF\r\n"}};
    for (const auto& [control, text] : steps) {
        f.port.clear();
        メニュー選択(f.s, control);
        EXPECT_EQ(TempDir::read(dir / "Torvane.ini"), toCp932(text)) << control;
        EXPECT_NE(f.port.count("check " + std::string(control)), 0u) << control;
    }

    Fixture g;
    Form_Load(g.s);
    EXPECT_EQ(g.s.canvas.opt.HAIKEI_NO, 9);
    EXPECT_TRUE(g.s.canvas.opt.RENGA);
    EXPECT_EQ(g.s.canvas.opt.SIDOU_FLAG * 100 + g.s.canvas.opt.SIDOU_COLOR, 115);
    EXPECT_FALSE(g.s.canvas.opt.KEIKA);
    EXPECT_FALSE(g.s.canvas.opt.BGM);
    EXPECT_EQ(g.port.count("loop"), 0u);
    EXPECT_EQ(heard(g.port, {"check"}),
              (Log{"check LEVEL3 on", "check MIDORI off", "check TATAMI off", "check TAKE off",
                   "check UCHU off", "check RENGA off", "check RENGA on", "check SIDOU on",
                   "check KEIKA off", "check BGM off"}));
}

TEST(Level, ChosenFromTheMenuDuringAGame) {
    Fixture f;
    State& s = f.s;
    初期設定(s);
    メニュー選択(s, "SENTE");
    for (int n : {1, 2, 3, 1}) {
        f.port.clear();
        メニュー選択(s, ("LEVEL" + std::to_string(n)).c_str());
        EXPECT_EQ(s.analysis.LEVEL_NO, n);
        EXPECT_EQ(f.port.only("check").back(), "check LEVEL" + std::to_string(n) + " on");
        EXPECT_EQ(f.port.only("text").back(), "text " + FakePort::num(セル左(0)) + " " +
                                                  FakePort::num(セル上(0)) + " " +
                                                  std::to_string(n) + " colour 15 size 12");
    }
}

TEST(Handicap, TheLadderThroughEveryStepAndTheGamesItStarts) {
    Fixture f, start;
    State& s = f.s;
    初期設定(s);
    初期設定(start.s);
    auto labelsDrawn = [&] {
        Log out;
        for (const std::string& t : f.port.only("text"))
            if (t.find("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:") != std::string::npos &&
                t.find("colour 15") != std::string::npos)
                out.push_back(
                    t.substr(t.find("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:"), t.find(" colour") - t.find("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:")));
        return out;
    };

    // Up to the top, then all the way down and back: every label once per step.
    Log expected;
    for (int level = 1; level <= 10; ++level) expected.push_back(handicapLabel(level));
    for (int level = 9; level >= -10; --level) expected.push_back(handicapLabel(level));
    for (int level = -9; level <= 0; ++level) expected.push_back(handicapLabel(level));
    for (int i = 0; i < 11; ++i) メニュー選択(s, "LBEL_UP");
    for (int i = 0; i < 21; ++i) メニュー選択(s, "LEBEL_DOWN");
    EXPECT_EQ(s.game.HANDE_LEVEL(), -10);
    for (int i = 0; i < 10; ++i) メニュー選択(s, "LBEL_UP");
    EXPECT_EQ(labelsDrawn(), expected);
    EXPECT_EQ(f.port.count("play 2"), 40u);  // the presses at the ends are silent
    EXPECT_TRUE(sameBoard(s, start.s.pos.board()));

    // Two steps up, then 先手: MAN plays first against COM without its bishop and rook.
    メニュー選択(s, "LBEL_UP");
    メニュー選択(s, "LBEL_UP");
    Map handicapped = s.pos.board();
    EXPECT_EQ(handicapped[8][2] * 100 + handicapped[2][2], 0);
    メニュー選択(s, "SENTE");
    EXPECT_TRUE(sameBoard(s, handicapped));
    move(s, 7, 7, 7, 6);
    EXPECT_EQ(s.hist.BAN_RIREKI[0], handicapped);
    // Once the game has begun the ladder is refused, with the panel closed first.
    f.port.clear();
    メニュー選択(s, "LEBEL_DOWN");
    EXPECT_EQ(heard(f.port, {"lists", "clear", "inputs", "play", "message"}),
              (Log{"lists 0 0 0", "clear inputs", "inputs off", "play 1",
                   "message 対局途中ではできません\n\n局面→最初にして下さい | ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定"}));

    // 最初 restores the full set; three steps down and 後手: COM moves first against a MAN
    // without bishop, rook and a lance.
    メニュー選択(s, "CANCEL");
    EXPECT_TRUE(sameBoard(s, start.s.pos.board()));
    for (int i = 0; i < 3; ++i) メニュー選択(s, "LEBEL_DOWN");
    handicapped = s.pos.board();
    EXPECT_EQ(handicapped[2][8] * 100 + handicapped[8][8] + handicapped[1][9], 0);
    メニュー選択(s, "GOTE");
    EXPECT_EQ(s.game.TESU(), 1);
    EXPECT_EQ(s.hist.BAN_RIREKI[0], handicapped);
}
