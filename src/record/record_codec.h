#pragma once
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/history.h"
#include "files/text_file.h"

// A position line: 81 board fields of 3 characters, 14 hand counts of 1, four times of 5.
inline constexpr int RECORD_LINE_LENGTH = 277;
inline constexpr int BOARD_AND_HANDS_LENGTH = 257;  // the part before the times
// A line whose times need more than five digits carries all four in fields of this width.
inline constexpr int WIDE_TIME_WIDTH = 12;

// A position line (UTF-8, no line end) from a board, two hands and the four clock values:
// MAN before, MAN after, COM before, COM after.
std::string formatPositionLine(const Map& ban, const Hand& man, const Hand& com,
                               const std::array<float, 4>& times);
// History entry t as a position line.
std::string formatRecordLine(const History& h, int t);
// Parses a position line into history entry t (1..500). Missing or unreadable fields are 0.
void parseRecordLine(History& h, int t, std::string_view line);
// The board and hands of a position line, taken only when they are spelt exactly as the
// writer spells them and every board field is a piece code; otherwise false, and nothing
// is changed.
bool parseBoardAndHands(std::string_view line, Map& ban, Hand& man, Hand& com);

// A record file's contents: its lines, handed out one by one.
class RecordFile {
public:
    explicit RecordFile(std::string_view bytes) : lines_(bytes) {}
    LineReader& lines() { return lines_; }

private:
    LineReader lines_;
};

// Reads the next line of the open record file into line (UTF-8); OFF at the end of the file.
int 読込_棋譜ファイル(RecordFile& file, std::string& line);

// What a record file holds besides the positions: up to three header lines (UTF-8), and
// whether there were more position lines than the history holds.
struct RecordContents {
    std::vector<std::string> header;
    int entries = 0;
    bool cut = false;
};
// A record file's bytes: the header lines, then each position line into the next history
// entry from 1 on (entries past TESU_MAX are cut). Nothing else of h changes: the game's mode
// takes the number of entries as its last move.
RecordContents decodeRecord(std::string_view bytes, History& h);
// The bytes of a record file: the three header lines and entries 1..entries (at most TESU_MAX).
std::string encodeRecord(const History& h, int entries, std::string_view gameName,
                         std::string_view comName, std::string_view manName);
