#include "record/record_file.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "core/setup.h"
#include "core/state.h"

namespace {

constexpr int BOARD_CHARS = 243;  // 81 fields of 3
constexpr int HAND_CHARS = 14;    // 7 kinds, MAN then COM
constexpr int TIME_START = BOARD_CHARS + HAND_CHARS;
constexpr long long WIDE_TIME_MIN = -99999999999LL;
constexpr long long WIDE_TIME_MAX = 999999999999LL;

// A pawn count can reach 18: counts of 10 and more are letters from "A", so that a record
// with counts 0..9 keeps one digit per field.
char handChar(int count) {
    if (count <= 0) return '0';
    if (count <= 9) return static_cast<char>('0' + count);
    if (count <= 35) return static_cast<char>('A' + count - 10);
    return 'Z';
}

int handValue(std::string_view field) {
    if (field.size() != 1) return 0;
    char c = field[0];
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 0;
}

long long wholeSeconds(float seconds) {
    if (!std::isfinite(seconds)) return 0;
    double v = std::floor(static_cast<double>(seconds));
    if (v < WIDE_TIME_MIN) return WIDE_TIME_MIN;
    if (v > WIDE_TIME_MAX) return WIDE_TIME_MAX;
    return static_cast<long long>(v);
}

// The usual decimal reading: leading blanks skipped, an optional sign, then digits up to the
// first other character; no digits read as 0.
long long decimalValue(std::string_view field) {
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
    long long v = 0;
    for (int digits = 0; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
        if (++digits <= 15) v = v * 10 + (field[i] - '0');
    return negative ? -v : v;
}

// Columns count characters, not bytes: a damaged line may hold any character.
class Columns {
public:
    explicit Columns(std::string_view line) : line_(line) {
        for (std::size_t i = 0; i < line.size(); ++i)
            if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) starts_.push_back(i);
    }
    std::size_t size() const { return starts_.size(); }
    // Characters [first, first + count), cut off at the end of the line.
    std::string_view field(std::size_t first, std::size_t count) const {
        if (first >= starts_.size()) return {};
        std::size_t end = first + count < starts_.size() ? starts_[first + count] : line_.size();
        return line_.substr(starts_[first], end - starts_[first]);
    }

private:
    std::string_view line_;
    std::vector<std::size_t> starts_;
};

// Header lines are single lines; a line break typed into a name would end them early.
void appendLine(std::string& text, std::string_view line) {
    for (char c : line) text += (c == '\r' || c == '\n') ? ' ' : c;
    text += "\r\n";
}

std::string fileLabel(const std::filesystem::path& path) { return path.filename().string(); }

}  // namespace

std::string formatRecordLine(const History& h, int t) {
    std::string line;
    if (t < 0 || t > TESU_MAX) return line;
    char buf[32];
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            int n = std::snprintf(buf, sizeof buf, "%3d", h.BAN_RIREKI[t][x][y]);
            line.append(n == 3 ? buf : "  0");
        }
    for (int k = 1; k <= 7; ++k) {
        line += handChar(h.MOCHI_MAN_RIREKI[t][k]);
        line += handChar(h.MOCHI_COM_RIREKI[t][k]);
    }
    const long long times[4] = {wholeSeconds(h.MAN_JIKAN_MAE[t]), wholeSeconds(h.MAN_JIKAN_ATO[t]),
                                wholeSeconds(h.COM_JIKAN_MAE[t]), wholeSeconds(h.COM_JIKAN_ATO[t])};
    int width = 5;
    for (long long v : times)
        if (v > 99999 || v < -9999) width = WIDE_TIME_WIDTH;
    for (long long v : times) {
        std::snprintf(buf, sizeof buf, "%*lld", width, v);
        line += buf;
    }
    return line;
}

void parseRecordLine(History& h, int t, std::string_view line) {
    if (t < 1 || t > TESU_MAX) return;
    Columns c(line);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const long long code = decimalValue(c.field(((x - 1) * 9 + (y - 1)) * 3, 3));
            // An unknown code would reach tables indexed by piece kind.
            const bool known = code >= -99 && code <= 99 && isPieceCode(static_cast<int>(code));
            h.BAN_RIREKI[t][x][y] = known ? static_cast<int>(code) : EMPTY;
        }
    for (int k = 1; k <= 7; ++k) {
        h.MOCHI_MAN_RIREKI[t][k] = handValue(c.field(BOARD_CHARS + (k - 1) * 2, 1));
        h.MOCHI_COM_RIREKI[t][k] = handValue(c.field(BOARD_CHARS + (k - 1) * 2 + 1, 1));
    }
    const std::size_t width =
        c.size() >= TIME_START + 4 * static_cast<std::size_t>(WIDE_TIME_WIDTH) ? WIDE_TIME_WIDTH : 5;
    float* times[4] = {&h.MAN_JIKAN_MAE[t], &h.MAN_JIKAN_ATO[t], &h.COM_JIKAN_MAE[t],
                       &h.COM_JIKAN_ATO[t]};
    for (int i = 0; i < 4; ++i)
        *times[i] = static_cast<float>(decimalValue(c.field(TIME_START + i * width, width)));
}

FileResult writeRecordFile(const History& h, const std::filesystem::path& path,
                           std::string_view gameName, std::string_view comName,
                           std::string_view manName) {
    std::string text;
    appendLine(text, gameName);
    appendLine(text, comName);
    appendLine(text, manName);
    const int last = h.SAISHU_TESU < TESU_MAX ? h.SAISHU_TESU : TESU_MAX;
    for (int t = 1; t <= last; ++t) appendLine(text, formatRecordLine(h, t));
    if (!replaceFile(path, toCp932(text)))
        return {false, "棋譜ﾌｧｲﾙを作成できません\n\n" + fileLabel(path)};
    return {};
}

FileResult RecordFile::open(const std::filesystem::path& path) {
    WholeFile f = readWholeFile(path, RECORD_FILE_MAX_BYTES);
    if (f.status == ReadStatus::TooLarge)
        return {false, "棋譜ﾌｧｲﾙが大きすぎます\n\n" + fileLabel(path)};
    if (f.status != ReadStatus::Ok) return {false, "棋譜ﾌｧｲﾙを開けません\n\n" + fileLabel(path)};
    bytes_ = std::move(f.bytes);
    lines_ = LineReader(bytes_);
    return {};
}

int 読込_棋譜ファイル(RecordFile& file, std::string& line) {
    std::string_view raw;
    if (!file.lines().next(raw)) return OFF;
    line = fromCp932(raw);
    return ON;
}

double 取得_棋譜のX座標(std::string_view text) {
    return 1050 + 495 * (3 + (13 - static_cast<double>(charCount(text))) / 5);
}

int KIFU_WRITE_Click(State& s) {
    if (s.game.HANTEN == ON) {
        s.port.message("反転後は書き込みできません", "棋譜書込", Buttons::Ok);
        return OFF;
    }
    if (s.game.HANDE_SETTEI == ON) {
        s.port.message("ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません", "棋譜書込", Buttons::Ok);
        return OFF;
    }
    return ON;
}

FileResult 書込_棋譜(State& s, const std::filesystem::path& directory, std::string_view fileName,
                 std::string_view gameName, std::string_view senteName,
                 std::string_view goteName, const std::function<void()>& closePanel) {
    auto refuse = [&](std::string text, std::string_view title) {
        s.port.message(text, title, Buttons::Ok);
        return FileResult{false, std::move(text)};
    };
    if (fileName.empty()) return refuse("ﾌｧｲﾙ名が入力されていません", "  ");
    if (s.hist.SAISHU_TESU < 1) return refuse("保存するデータがありません", "棋譜保存");

    // Line 2 names the player at the top of the board, who is COM's side.
    const bool manFirst = s.game.TEBAN_MAN == SENTE_BAN;
    std::string_view comName = manFirst ? goteName : senteName;
    std::string_view manName = manFirst ? senteName : goteName;
    FileResult r = writeRecordFile(s.hist, directory / (std::string(fileName) + ".棋譜"), gameName,
                                   comName, manName);
    if (!r.ok) return refuse(r.message, "棋譜保存");
    if (closePanel) closePanel();
    s.port.message("棋譜を書き込みました", "  ", Buttons::Ok);
    return r;
}

FileResult 読込_棋譜(State& s, const std::filesystem::path& path) {
    RecordFile file;
    // Opened before anything is reset, so that an unreadable file leaves the game as it was.
    FileResult r = file.open(path);
    if (!r.ok) {
        s.port.message(r.message, "棋譜", Buttons::Ok);
        return r;
    }
    初期設定(s);
    s.game.KIFU_MODE = ON;
    int count = 0;

    struct Header {
        double shift, top;
        int colour;
    };
    static constexpr Header headers[3] = {{-3000, 6350, 12}, {0, 100, 15}, {0, 6350, 15}};
    std::string line;
    for (const Header& h : headers) {
        if (読込_棋譜ファイル(file, line) == OFF) break;
        s.port.drawText(取得_棋譜のX座標(line) + h.shift, h.top, line, h.colour, 12, false);
    }

    bool cut = false;
    while (読込_棋譜ファイル(file, line) == ON) {
        if (count == TESU_MAX) {
            cut = true;
            break;
        }
        ++count;
        parseRecordLine(s.hist, count, line);
    }
    s.game.TESU = 0;
    s.game.HYOUJI_TESU = 0;
    s.hist.SAISHU_TESU = count;

    if (count == 0) {
        s.port.message("棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません", "棋譜", Buttons::Ok);
        return r;
    }
    if (cut) s.port.message("棋譜が長すぎるため 500手目までを読み込みました", "棋譜", Buttons::Ok);
    s.port.message(" 読み込みました", "棋譜", Buttons::Ok);
    s.port.message("棋譜を '進 'で進めて下さい", "棋譜", Buttons::Ok);
    s.game.TEBAN = SENTE_BAN;
    return r;
}
