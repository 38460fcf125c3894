#pragma once
#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/history.h"
#include "record/text_file.h"

// A position line: 81 board fields of 3 characters, 14 hand counts of 1, four times of 5.
inline constexpr int RECORD_LINE_LENGTH = 277;
inline constexpr int BOARD_AND_HANDS_LENGTH = 257;  // the part before the times
// A line whose times need more than five digits carries all four in fields of this width.
inline constexpr int WIDE_TIME_WIDTH = 12;
// No real record comes near this; anything larger is refused unread.
inline constexpr std::size_t RECORD_FILE_MAX_BYTES = 1 << 20;

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

// Writes the header lines and entries 1..SAISHU_TESU of the history to path.
FileResult writeRecordFile(const History& h, const std::filesystem::path& path,
                           std::string_view gameName, std::string_view comName,
                           std::string_view manName);

// An open record file: its whole text, handed out line by line.
class RecordFile {
public:
    RecordFile() = default;
    RecordFile(const RecordFile&) = delete;  // the lines point into the text
    RecordFile& operator=(const RecordFile&) = delete;

    FileResult open(const std::filesystem::path& path);
    LineReader& lines() { return lines_; }

private:
    std::string bytes_;
    LineReader lines_;
};

// Reads the next line of the open record file into line (UTF-8); OFF at the end of the file.
int 読込_棋譜ファイル(RecordFile& file, std::string& line);
