#include "record/record_codec.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/pieces.h"

namespace {

constexpr int BOARD_CHARS = 243;  // 81 fields of 3, then 14 hand counts: 7 kinds, MAN then COM
constexpr int TIME_START = BOARD_AND_HANDS_LENGTH;
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

// The start of the field of square (x, y) and of MAN's count of kind k in a position line.
constexpr std::size_t boardField(int x, int y) { return ((x - 1) * 9 + (y - 1)) * 3; }
constexpr std::size_t handField(int k) { return BOARD_CHARS + (k - 1) * 2; }

bool knownCode(long long code) {
    return std::in_range<int>(code) && isPieceCode(static_cast<int>(code));
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
    const char* p = field.data();
    const char* const end = p + field.size();
    while (p != end && (*p == ' ' || *p == '\t')) ++p;
    bool negative = false;
    if (p != end && (*p == '-' || *p == '+')) negative = *p++ == '-';
    long long v = 0;
    for (int digits = 0; p != end && static_cast<unsigned>(*p - '0') <= 9; ++p)
        if (++digits <= 15) v = v * 10 + (*p - '0');
    return negative ? -v : v;
}

// Columns count characters, not bytes: a damaged line may hold any character. The usual line
// is ASCII, where they are the same.
class Columns {
public:
    explicit Columns(std::string_view line) : line_(line) {
        if (isAscii(line)) return;
        for (std::size_t i = 0; i < line.size(); ++i)
            if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) starts_.push_back(i);
        starts_.push_back(line.size());  // where a character after the last would start
    }
    std::size_t size() const { return starts_.empty() ? line_.size() : starts_.size() - 1; }
    // Characters [first, first + count), cut off at the end of the line.
    std::string_view field(std::size_t first, std::size_t count) const {
        if (starts_.empty()) return line_.substr(std::min(first, line_.size()), count);
        const std::size_t from = starts_[std::min(first, size())];
        return line_.substr(from, starts_[std::min(first + count, size())] - from);
    }

private:
    std::string_view line_;
    std::vector<std::size_t> starts_;
};

// The decimal text of v right-aligned in width characters (wider when it needs more).
void appendNumber(std::string& out, long long v, int width) {
    const std::string digits = std::to_string(v);
    if (std::cmp_less(digits.size(), width)) out.append(std::size_t(width) - digits.size(), ' ');
    out += digits;
}

// Header lines are single lines; a line break typed into a name would end them early.
void appendLine(std::string& text, std::string_view line) {
    const std::size_t start = text.size();
    text += line;
    for (char* p = text.data() + start; p != text.data() + text.size(); ++p)
        if (*p == '\r' || *p == '\n') *p = ' ';
    text += "\r\n";
}

// The position line without its line break, appended to out.
void appendPositionLine(std::string& out, const Map& ban, const Hand& man, const Hand& com,
                        const std::array<float, 4>& times) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            // A code that does not fit its field is no piece.
            const int code = ban[x][y];
            appendNumber(out, code >= -99 && code <= 999 ? code : 0, 3);
        }
    for (int k = 1; k <= 7; ++k) {
        out += handChar(man[k]);
        out += handChar(com[k]);
    }
    const long long seconds[] = {wholeSeconds(times[0]), wholeSeconds(times[1]),
                                 wholeSeconds(times[2]), wholeSeconds(times[3])};
    int width = 5;
    for (long long v : seconds)
        if (v > 99999 || v < -9999) width = WIDE_TIME_WIDTH;
    for (long long v : seconds) appendNumber(out, v, width);
}

std::array<float, 4> entryTimes(const History& h, int t) {
    return {h.MAN_JIKAN_MAE[t], h.MAN_JIKAN_ATO[t], h.COM_JIKAN_MAE[t], h.COM_JIKAN_ATO[t]};
}

}  // namespace

std::string formatPositionLine(const Map& ban, const Hand& man, const Hand& com,
                               const std::array<float, 4>& times) {
    std::string line;
    appendPositionLine(line, ban, man, com, times);
    return line;
}

std::string formatRecordLine(const History& h, int t) {
    if (t < 0 || t > TESU_MAX) return {};
    return formatPositionLine(h.BAN_RIREKI[t], h.MOCHI_MAN_RIREKI[t], h.MOCHI_COM_RIREKI[t],
                              entryTimes(h, t));
}

void parseRecordLine(History& h, int t, std::string_view line) {
    if (t < 1 || t > TESU_MAX) return;
    // Fields past the end of a short line are 0 without being looked at; a damaged file is
    // mostly short lines, so only the fields the line reaches are read.
    h.BAN_RIREKI[t] = {};
    h.MOCHI_MAN_RIREKI[t] = {};
    h.MOCHI_COM_RIREKI[t] = {};
    h.MAN_JIKAN_MAE[t] = h.MAN_JIKAN_ATO[t] = h.COM_JIKAN_MAE[t] = h.COM_JIKAN_ATO[t] = 0;
    if (line.empty()) return;
    Columns c(line);
    const std::size_t length = c.size();
    // Through plain pointers: the loops fix the bounds, and a checked index per field costs
    // more than the field on a short line.
    Map& ban = h.BAN_RIREKI[t];
    const std::size_t fields = std::min<std::size_t>(81, (length + 2) / 3);
    for (std::size_t i = 0; i < fields; ++i) {
        const long long code = decimalValue(c.field(i * 3, 3));
        // An unknown code would reach tables indexed by piece kind.
        ban[i / 9 + 1].data()[i % 9 + 1] = knownCode(code) ? static_cast<int>(code) : EMPTY;
    }
    if (length <= BOARD_CHARS) return;
    int* const hands[] = {h.MOCHI_MAN_RIREKI[t].data(), h.MOCHI_COM_RIREKI[t].data()};
    const std::size_t counts = std::min<std::size_t>(length, TIME_START) - BOARD_CHARS;
    for (std::size_t j = 0; j < counts; ++j)
        hands[j % 2][j / 2 + 1] = handValue(c.field(BOARD_CHARS + j, 1));
    if (length <= TIME_START) return;
    const std::size_t width =
        length >= TIME_START + 4 * static_cast<std::size_t>(WIDE_TIME_WIDTH) ? WIDE_TIME_WIDTH : 5;
    float* const times[] = {&h.MAN_JIKAN_MAE[t], &h.MAN_JIKAN_ATO[t], &h.COM_JIKAN_MAE[t],
                            &h.COM_JIKAN_ATO[t]};
    for (int i = 0; i < 4; ++i)
        *times[i] = static_cast<float>(decimalValue(c.field(TIME_START + i * width, width)));
}

bool parseBoardAndHands(std::string_view line, Map& ban, Hand& man, Hand& com) {
    if (line.size() < BOARD_AND_HANDS_LENGTH) return false;
    const std::string_view text = line.substr(0, BOARD_AND_HANDS_LENGTH);
    Map b{};
    Hand m{}, c{};
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const long long code = decimalValue(text.substr(boardField(x, y), 3));
            if (!knownCode(code)) return false;
            b[x][y] = static_cast<int>(code);
        }
    for (int k = 1; k <= 7; ++k) {
        m[k] = handValue(text.substr(handField(k), 1));
        c[k] = handValue(text.substr(handField(k) + 1, 1));
    }
    // Only the writer's own spelling of each field: no stray signs, zeros or blanks.
    if (formatPositionLine(b, m, c, {}).compare(0, BOARD_AND_HANDS_LENGTH, text) != 0) return false;
    ban = b;
    man = m;
    com = c;
    return true;
}

std::string encodeRecord(const History& h, int entries, std::string_view gameName,
                         std::string_view comName, std::string_view manName) {
    std::string text;
    appendLine(text, gameName);
    appendLine(text, comName);
    appendLine(text, manName);
    const int last = entries < TESU_MAX ? entries : TESU_MAX;
    // Position lines hold digits, blanks, signs and letters only: no line break to guard.
    for (int t = 1; t <= last; ++t) {
        appendPositionLine(text, h.BAN_RIREKI[t], h.MOCHI_MAN_RIREKI[t], h.MOCHI_COM_RIREKI[t],
                           entryTimes(h, t));
        text += "\r\n";
    }
    return toCp932(text);
}

int 読込_棋譜ファイル(RecordFile& file, std::string& line) {
    std::string_view raw;
    if (!file.lines().next(raw)) return OFF;
    // Most lines are ASCII, the same in both encodings: the line's buffer is reused.
    if (isAscii(raw))
        line.assign(raw);
    else
        line = fromCp932(raw);
    return ON;
}

RecordContents decodeRecord(std::string_view bytes, History& h) {
    RecordContents c;
    RecordFile file(bytes);
    std::string line;
    while (c.header.size() < 3 && 読込_棋譜ファイル(file, line) == ON) c.header.push_back(line);
    while (読込_棋譜ファイル(file, line) == ON) {
        if (c.entries == TESU_MAX) {
            c.cut = true;
            break;
        }
        parseRecordLine(h, ++c.entries, line);
    }
    return c;
}
