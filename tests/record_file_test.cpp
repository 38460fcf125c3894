#include "record/record_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "play/record_panel.h"
#include "play/setup.h"
#include "fake_port.h"
#include "temp_dir.h"
#include "mode_seam.h"

namespace {

const std::filesystem::path RECORD = "対局.棋譜";

// A history of n entries with varied pieces, hands of up to 18 and odd times.
void fillHistory(State& s, int n, unsigned seed) {
    static const int codes[] = {0,   0,   0,   10,  11,  20,  21,  30,  31,  40,  41,
                                50,  60,  61,  70,  71,  80,  -10, -11, -20, -21, -30,
                                -31, -40, -41, -50, -60, -61, -70, -71, -80};
    std::mt19937 rng(seed);
    auto pick = [&](int m) { return static_cast<int>(rng() % static_cast<unsigned>(m)); };
    History& h = s.hist;
    for (int t = 1; t <= n; ++t) {
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) h.BAN_RIREKI[t][x][y] = codes[pick(std::size(codes))];
        for (int k = 1; k <= 7; ++k) {
            h.MOCHI_MAN_RIREKI[t][k] = pick(k == HU ? 19 : 5);
            h.MOCHI_COM_RIREKI[t][k] = pick(k == HU ? 19 : 5);
        }
        h.MAN_JIKAN_MAE[t] = static_cast<float>(pick(100000)) + 0.75f;
        h.MAN_JIKAN_ATO[t] = static_cast<float>(pick(100000));
        h.COM_JIKAN_MAE[t] = static_cast<float>(pick(1000)) / 7.0f;
        h.COM_JIKAN_ATO[t] = static_cast<float>(pick(1000)) + 0.5f;
    }
    h.MOCHI_MAN_RIREKI[1][HU] = 18;
    h.MOCHI_COM_RIREKI[2][HU] = 10;
    h.COM_JIKAN_ATO[3] = 123456.9f;  // a day and more on the clock
    ModeTestSeam::SAISHU_TESU(h) = n;
}

void expectSameEntries(const History& written, const History& read, int n) {
    for (int t = 1; t <= n; ++t) {
        SCOPED_TRACE("entry " + std::to_string(t));
        for (int x = 0; x <= 9; ++x)
            for (int y = 0; y <= 9; ++y)
                ASSERT_EQ(read.BAN_RIREKI[t][x][y], written.BAN_RIREKI[t][x][y]);
        for (int k = 1; k <= 7; ++k) {
            ASSERT_EQ(read.MOCHI_MAN_RIREKI[t][k], written.MOCHI_MAN_RIREKI[t][k]);
            ASSERT_EQ(read.MOCHI_COM_RIREKI[t][k], written.MOCHI_COM_RIREKI[t][k]);
        }
        ASSERT_EQ(read.MAN_JIKAN_MAE[t], std::floor(written.MAN_JIKAN_MAE[t]));
        ASSERT_EQ(read.MAN_JIKAN_ATO[t], std::floor(written.MAN_JIKAN_ATO[t]));
        ASSERT_EQ(read.COM_JIKAN_MAE[t], std::floor(written.COM_JIKAN_MAE[t]));
        ASSERT_EQ(read.COM_JIKAN_ATO[t], std::floor(written.COM_JIKAN_ATO[t]));
    }
}

std::string positionLines(int n, const std::string& line) {
    std::string text = "game\r\ncom\r\nman\r\n";
    for (int i = 0; i < n; ++i) text += line + "\r\n";
    return text;
}

}  // namespace

TEST(RecordFile, LineColumnsOfTheStartingPosition) {
    Fixture f;
    State& s = f.s;
    初期設定(s);
    History& h = s.hist;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) h.BAN_RIREKI[1][x][y] = s.pos.board()[x][y];
    h.MAN_JIKAN_MAE[1] = 754.9f;
    h.MAN_JIKAN_ATO[1] = 59.5f;
    h.COM_JIKAN_MAE[1] = -9999;  // the lowest time five characters hold
    h.COM_JIKAN_ATO[1] = 99999.9f;
    h.MOCHI_MAN_RIREKI[1][KAKU] = 1;
    h.MOCHI_COM_RIREKI[1][HU] = 9;

    std::string line = formatRecordLine(h, 1);
    ASSERT_EQ(line.size(), 277u);
    EXPECT_EQ(line.substr(0, 27), " 20  0 10  0  0  0-10  0-20");
    EXPECT_EQ(line.substr(27, 27), " 30 70 10  0  0  0-10-60-30");
    EXPECT_EQ(line.substr(243, 14), "09000000001000");
    EXPECT_EQ(line.substr(257), "  754   59-999999999");
}

TEST(RecordFile, WideFieldsForLargeHandsAndTimes) {
    Fixture f;
    History& h = f.s.hist;
    h.MOCHI_MAN_RIREKI[1][HU] = 18;
    h.MOCHI_COM_RIREKI[1][HU] = 10;
    h.MAN_JIKAN_ATO[1] = 100000.5f;
    h.COM_JIKAN_ATO[1] = -3;
    std::string line = formatRecordLine(h, 1);
    ASSERT_EQ(line.size(), 305u);  // all four times widened together
    EXPECT_EQ(line.substr(243, 2), "IA");
    EXPECT_EQ(line.substr(257), "           0      100000           0          -3");

    History back{};
    parseRecordLine(back, 1, line);
    EXPECT_EQ(back.MOCHI_MAN_RIREKI[1][HU], 18);
    EXPECT_EQ(back.MOCHI_COM_RIREKI[1][HU], 10);
    EXPECT_EQ(back.MAN_JIKAN_ATO[1], 100000.0f);
    EXPECT_EQ(back.COM_JIKAN_ATO[1], -3.0f);

    History low{};
    low.COM_JIKAN_MAE[1] = -10000;  // one below the lowest that five characters hold
    EXPECT_EQ(formatRecordLine(low, 1).size(), 305u);
}

TEST(RecordFile, WriteThenReadRestoresEveryEntry) {
    TempDir dir;
    Fixture w;
    fillHistory(w.s, 120, 7);
    ModeTestSeam::of(w.s.game).TEBAN_MAN =
        SENTE_BAN;  // MAN moved first: the second player sat at the top
    ModeTestSeam::of(w.s.game).TEBAN_COM = GOTE_BAN;
    bool closed = false;
    FileResult r = 書込_棋譜(w.s.hist, w.s.game, w.s.dialog, dir.path(), "対局", "名人戦", "先手氏",
                             "後手氏", [&] { closed = true; });
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(closed);
    EXPECT_EQ(w.port.only("message"),
              std::vector<std::string>{"message 棋譜を書き込みました |   "});
    EXPECT_EQ(dir.fileCount(), 1u);

    std::string bytes = TempDir::read(dir / RECORD.string());
    const std::string header = toCp932("名人戦\r\n後手氏\r\n先手氏\r\n");
    ASSERT_EQ(bytes.substr(0, header.size()), header);
    EXPECT_EQ(bytes.substr(0, 2), "\x96\xBC");  // 名 in Shift-JIS
    std::size_t lines = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
        if (bytes[i] == '\r') {
            ASSERT_EQ(bytes[i + 1], '\n');
            ++lines;
        }
    EXPECT_EQ(lines, 3u + 120u);

    Fixture r2;
    State& s = r2.s;
    ModeTestSeam::of(s.game).COM_TAISEN = 1;
    FileResult rr = 読込_棋譜(s, dir / RECORD.string());
    EXPECT_TRUE(rr.ok);
    expectSameEntries(w.s.hist, s.hist, 120);
    EXPECT_EQ(s.hist.SAISHU_TESU(), 120);
    EXPECT_EQ(s.game.TESU(), 0);
    EXPECT_EQ(s.game.HYOUJI_TESU(), 0);
    EXPECT_TRUE(s.game.KIFU_MODE());
    EXPECT_EQ(s.game.TEBAN(), SENTE_BAN);
    EXPECT_EQ(s.game.COM_TAISEN(), 0);  // the reading set the game up afresh
    EXPECT_EQ(s.pos.board()[5][1], COM_OU);
    EXPECT_EQ((r2.port.only("message")),
              (std::vector<std::string>{"message  読み込みました | 棋譜",
                                        "message 棋譜を '進 'で進めて下さい | 棋譜"}));
    // Headers: a 3-character game name and the two names, centred by their length.
    const double x3 = 1050 + 495 * (3 + 10.0 / 5);
    EXPECT_EQ(r2.port.count("text " + FakePort::num(x3 - 3000) + " 6350 名人戦 colour 12 size 12"),
              1u);
    EXPECT_EQ(r2.port.count("text " + FakePort::num(x3) + " 100 後手氏 colour 15 size 12"), 1u);
    EXPECT_EQ(r2.port.count("text " + FakePort::num(x3) + " 6350 先手氏 colour 15 size 12"), 1u);
}

TEST(RecordFile, HeaderPositionAndNameOrder) {
    EXPECT_DOUBLE_EQ(取得_棋譜のX座標("12345") - 3000, 327);
    EXPECT_DOUBLE_EQ(取得_棋譜のX座標("ﾊﾝﾃﾞｨ"),
                     取得_棋譜のX座標("12345"));  // characters, not bytes
    EXPECT_DOUBLE_EQ(取得_棋譜のX座標(""), 1050 + 495 * (3 + 13.0 / 5));

    // COM moved first: the first player's name is the top line.
    TempDir dir;
    Fixture f;
    ModeTestSeam::SAISHU_TESU(f.s.hist) = 1;
    書込_棋譜(f.s.hist, f.s.game, f.s.dialog, dir.path(), "a", "g", "sente", "gote");
    std::string bytes = TempDir::read(dir / "a.棋譜");
    EXPECT_EQ(bytes.substr(0, 16), "g\r\nsente\r\ngote\r\n");
    EXPECT_EQ(bytes.size(), 16u + 277u + 2u);  // one stored move: four lines
    // A line break typed into a name ends no header line early.
    EXPECT_EQ(encodeRecord(f.s.hist, 0, "a\r\nb", "c\rd", "e\nf"), "a  b\r\nc d\r\ne f\r\n");
}

TEST(RecordFile, WriteRefusals) {
    TempDir dir;
    Fixture f;
    State& s = f.s;
    初期設定(s);
    f.port.clear();

    EXPECT_FALSE(書込_棋譜(s.hist, s.game, s.dialog, dir.path(), "", "g", "a", "b").ok);
    EXPECT_FALSE(書込_棋譜(s.hist, s.game, s.dialog, dir.path(), "x", "g", "a", "b")
                     .ok);  // nothing stored yet
    EXPECT_EQ((f.port.only("message")),
              (std::vector<std::string>{"message ﾌｧｲﾙ名が入力されていません |   ",
                                        "message 保存するデータがありません | 棋譜保存"}));
    EXPECT_EQ(dir.fileCount(), 0u);

    EXPECT_TRUE(KIFU_WRITE_Click(s.game, s.dialog));
    ModeTestSeam::of(s.game).HANDE_SETTEI = true;
    EXPECT_FALSE(KIFU_WRITE_Click(s.game, s.dialog));
    ModeTestSeam::of(s.game).HANTEN = true;
    EXPECT_FALSE(KIFU_WRITE_Click(s.game, s.dialog));
    auto m = f.port.only("message");
    EXPECT_EQ(m[2], "message ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません | 棋譜書込");
    EXPECT_EQ(m[3], "message 反転後は書き込みできません | 棋譜書込");

    // After stepping back the whole game is still written.
    fillHistory(s, 5, 1);
    ModeTestSeam::of(s.game).TESU = 2;
    ModeTestSeam::of(s.game).HANTEN = false;
    ModeTestSeam::of(s.game).HANDE_SETTEI = false;
    ASSERT_TRUE(書込_棋譜(s.hist, s.game, s.dialog, dir.path(), "back", "", "", "").ok);
    Fixture r;
    読込_棋譜(r.s, dir / "back.棋譜");
    EXPECT_EQ(r.s.hist.SAISHU_TESU(), 5);
}

TEST(RecordFile, FailedWriteKeepsTheOldFile) {
    TempDir dir;
    Fixture f;
    fillHistory(f.s, 3, 2);

    // A missing directory.
    FileResult r = 書込_棋譜(f.s.hist, f.s.game, f.s.dialog, dir / "missing", "x", "", "", "");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "棋譜ﾌｧｲﾙを作成できません\n\nx.棋譜");
    EXPECT_EQ(f.port.only("message").back(), "message " + r.message + " | 棋譜保存");

    // A name just short of the limit is written: the temporary file has a short name.
    std::string name(240, 'k');
    TempDir::write(dir / (name + ".棋譜"), "old");
    f.port.clear();
    bool closed = false;
    EXPECT_TRUE(書込_棋譜(f.s.hist, f.s.game, f.s.dialog, dir.path(), name, "", "", "", [&] {
                    closed = true;
                }).ok);
    EXPECT_TRUE(closed);
    EXPECT_NE(TempDir::read(dir / (name + ".棋譜")), "old");
    EXPECT_EQ(dir.fileCount(), 1u);  // no temporary file left behind
    std::filesystem::remove(dir / (name + ".棋譜"));

    // Writing over an existing record replaces it whole.
    TempDir::write(dir / "y.棋譜", std::string(5000, 'z'));
    ASSERT_TRUE(書込_棋譜(f.s.hist, f.s.game, f.s.dialog, dir.path(), "y", "", "", "").ok);
    EXPECT_EQ(TempDir::read(dir / "y.棋譜").size(), 6u + 2 * 279u + 307u);  // entry 3 is wide
}

TEST(RecordFile, FilesWithoutPositionLines) {
    TempDir dir;
    for (const std::string& text :
         {std::string("g\r\nc\r\nm\r\n"), std::string("g\r\n"), std::string()}) {
        Fixture f;
        TempDir::write(dir / "h.棋譜", text);
        EXPECT_TRUE(読込_棋譜(f.s, dir / "h.棋譜").ok);
        EXPECT_EQ(f.port.only("message"),
                  std::vector<std::string>{"message 棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません | 棋譜"});
        EXPECT_TRUE(f.s.game.KIFU_MODE());
        EXPECT_EQ(f.s.game.TEBAN(), 0);
        EXPECT_EQ(f.s.hist.SAISHU_TESU(), 0);
    }
}

TEST(RecordFile, DamagedLinesReadAsZero) {
    TempDir dir;
    Fixture f;
    History& h = f.s.hist;
    // Entry 1: only the first field; entry 2: junk, an unknown code and a lone 51;
    // entry 3: an empty line; entry 4: LF-ended with letters in the hand fields; entry 5: a
    // Japanese character that spoils its field's number, then a field that ends the line.
    std::string line4 =
        std::string(240, ' ') + "-80" + "2z#A" + std::string(10, '0') + "   12   -5  abc";
    std::string text = "g\r\nc\r\nm\r\n 20\r\n999 51 x7-70\r\n\r\n" + line4 +
                       "\n\x82\xA0"
                       "10 30\r\n";
    TempDir::write(dir / "d.棋譜", text);
    読込_棋譜(f.s, dir / "d.棋譜");
    ASSERT_EQ(h.SAISHU_TESU(), 5);
    EXPECT_EQ(h.BAN_RIREKI[1][1][1], 20);
    EXPECT_EQ(h.BAN_RIREKI[1][1][2], 0);
    EXPECT_EQ(h.MAN_JIKAN_MAE[1], 0.0f);
    EXPECT_EQ(h.BAN_RIREKI[2][1][1], 0);  // 999 is no piece
    EXPECT_EQ(h.BAN_RIREKI[2][1][2], 0);  // nor is 51
    EXPECT_EQ(h.BAN_RIREKI[2][1][3], 0);  // " x7"
    EXPECT_EQ(h.BAN_RIREKI[2][1][4], -70);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) EXPECT_EQ(h.BAN_RIREKI[3][x][y], 0);
    EXPECT_EQ(h.BAN_RIREKI[4][9][9], -80);
    EXPECT_EQ(h.MOCHI_MAN_RIREKI[4][1], 2);
    EXPECT_EQ(h.MOCHI_COM_RIREKI[4][1], 0);
    EXPECT_EQ(h.MOCHI_MAN_RIREKI[4][2], 0);
    EXPECT_EQ(h.MOCHI_COM_RIREKI[4][2], 10);
    EXPECT_EQ(h.MAN_JIKAN_MAE[4], 12.0f);
    EXPECT_EQ(h.MAN_JIKAN_ATO[4], -5.0f);
    EXPECT_EQ(h.COM_JIKAN_MAE[4], 0.0f);
    EXPECT_EQ(h.COM_JIKAN_ATO[4], 0.0f);
    EXPECT_EQ(h.BAN_RIREKI[5][1][1], 0);
    EXPECT_EQ(h.BAN_RIREKI[5][1][2], 30);
    EXPECT_EQ(f.s.game.TEBAN(), SENTE_BAN);
}

// The largest record the reader allows is read whole; one byte more is refused unread.
TEST(RecordFile, ARecordOfExactlyTheBoundIsReadAndOneByteMoreIsNot) {
    TempDir dir;
    std::string atBound = positionLines(TESU_MAX, std::string(277, '7'));
    atBound.resize(RECORD_FILE_MAX_BYTES, '\n');
    {
        Fixture f;
        TempDir::write(dir / "bound.棋譜", atBound);
        EXPECT_TRUE(読込_棋譜(f.s, dir / "bound.棋譜").ok);
        EXPECT_EQ(f.s.hist.SAISHU_TESU(), TESU_MAX);
        EXPECT_EQ(f.s.hist.MOCHI_MAN_RIREKI[TESU_MAX][3], 7);
    }
    {
        Fixture f;
        TempDir::write(dir / "bound.棋譜", atBound + "\n");
        const FileResult r = 読込_棋譜(f.s, dir / "bound.棋譜");
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, "棋譜ﾌｧｲﾙが大きすぎます\n\nbound.棋譜");
        EXPECT_EQ(f.s.hist.SAISHU_TESU(), 0);
    }
}

TEST(RecordFile, LongHugeBinaryAndMissingFiles) {
    TempDir dir;
    const std::string line(277, '7');  // " 77" fields are no pieces; hands 7; times 77777
    {
        Fixture f;
        TempDir::write(dir / "long.棋譜", positionLines(600, line));
        EXPECT_TRUE(読込_棋譜(f.s, dir / "long.棋譜").ok);
        EXPECT_EQ(f.s.hist.SAISHU_TESU(), TESU_MAX);
        EXPECT_EQ(f.s.hist.MOCHI_MAN_RIREKI[TESU_MAX][3], 7);
        EXPECT_EQ(f.port.only("message").front(),
                  "message 棋譜が長すぎるため 500手目までを読み込みました | 棋譜");
        EXPECT_EQ(f.port.count("message"), 3u);
    }
    {
        Fixture f;
        TempDir::write(dir / "exact.棋譜", positionLines(TESU_MAX, line));
        読込_棋譜(f.s, dir / "exact.棋譜");
        EXPECT_EQ(f.s.hist.SAISHU_TESU(), TESU_MAX);
        EXPECT_EQ(f.port.count("message"), 2u);
    }
    {
        // Refused unread: the game in progress is left as it was.
        Fixture f;
        ModeTestSeam::of(f.s.game).TESU = 7;
        TempDir::write(dir / "huge.棋譜", std::string(RECORD_FILE_MAX_BYTES + 1, '\n'));
        FileResult r = 読込_棋譜(f.s, dir / "huge.棋譜");
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, "棋譜ﾌｧｲﾙが大きすぎます\n\nhuge.棋譜");
        EXPECT_EQ(f.s.game.TESU(), 7);
        EXPECT_FALSE(f.s.game.KIFU_MODE());
    }
    for (const char* name : {"none.棋譜", ""}) {
        Fixture f;
        FileResult r = 読込_棋譜(f.s, dir / name);  // a missing file, then the directory itself
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message.substr(0, r.message.find('\n')), "棋譜ﾌｧｲﾙを開けません");
        EXPECT_EQ(f.port.only("message"),
                  std::vector<std::string>{"message " + r.message + " | 棋譜"});
        EXPECT_EQ(f.port.count("picture"), 0u);
    }
    {
        std::mt19937 rng(3);
        std::string junk(200000, '\0');
        for (char& c : junk) c = static_cast<char>(rng());
        Fixture f;
        TempDir::write(dir / "bin.棋譜", junk);
        EXPECT_TRUE(読込_棋譜(f.s, dir / "bin.棋譜").ok);
        EXPECT_LE(f.s.hist.SAISHU_TESU(), TESU_MAX);
        for (int t = 1; t <= f.s.hist.SAISHU_TESU(); ++t)
            for (int k = 1; k <= 7; ++k) EXPECT_LE(f.s.hist.MOCHI_MAN_RIREKI[t][k], 35);
    }
}
