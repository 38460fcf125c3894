#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "record/text_file.h"

struct State;
struct History;

// A position line: 81 board fields of 3 characters, 14 hand counts of 1, four times of 5.
inline constexpr int RECORD_LINE_LENGTH = 277;
// A line whose times need more than five digits carries all four in fields of this width.
inline constexpr int WIDE_TIME_WIDTH = 12;
// No real record comes near this; anything larger is refused unread.
inline constexpr std::size_t RECORD_FILE_MAX_BYTES = 1 << 20;

// History entry t as a position line (UTF-8, no line end).
std::string formatRecordLine(const History& h, int t);
// Parses a position line into history entry t (1..500). Missing or unreadable fields are 0.
void parseRecordLine(History& h, int t, std::string_view line);

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

// Left edge in twips at which a header line is drawn, centred by its length.
double 取得_棋譜のX座標(std::string_view text);

// The checks of 書込 before the panel opens: ON when writing is allowed.
int KIFU_WRITE_Click(State& s);

// The "RETURN" button: writes the record to directory/fileName.棋譜. closePanel runs once
// the file is written, before the closing message. ok tells whether the file was written.
FileResult 書込_棋譜(State& s, const std::filesystem::path& directory, std::string_view fileName,
                 std::string_view gameName, std::string_view senteName,
                 std::string_view goteName, const std::function<void()>& closePanel = {});

// A click on a record file: reads it into the history for browsing. A file that cannot be
// read is reported and changes nothing.
FileResult 読込_棋譜(State& s, const std::filesystem::path& path);
