#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// The record and settings files are Shift-JIS (CP932) text with CR LF line ends; the program
// itself works in UTF-8. These helpers are the only place that knows about the file encoding.

// The outcome of a file operation; message is a ready Japanese text for a message box.
struct FileResult {
    bool ok = true;
    std::string message;
};

// UTF-8 to CP932; a character CP932 lacks (or a broken UTF-8 sequence) becomes "?".
std::string toCp932(std::string_view utf8);
// CP932 to UTF-8; a byte that starts no CP932 character becomes U+FFFD.
std::string fromCp932(std::string_view cp932);
// Number of characters (code points) of a UTF-8 text.
std::size_t charCount(std::string_view utf8);

enum class ReadStatus { Ok, CannotOpen, TooLarge };
struct WholeFile {
    ReadStatus status = ReadStatus::CannotOpen;
    std::string bytes;
};
// Reads a regular file of at most maxBytes bytes whole; anything else is refused.
WholeFile readWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

// Writes the bytes to a new file beside path and renames it over path, so that a failed
// write leaves the old file as it was. Answers false on any failure.
bool replaceFile(const std::filesystem::path& path, std::string_view bytes);

// Takes lines one by one off a text ended by CR LF, LF or CR. A final line end opens no
// further (empty) line.
class LineReader {
public:
    explicit LineReader(std::string_view text = {}) : text_(text) {}
    bool next(std::string_view& line);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};
