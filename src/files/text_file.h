#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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

// Whether a text is ASCII throughout.
bool isAscii(std::string_view text);
// Whether a text is UTF-8 throughout (an empty or ASCII text is).
bool isUtf8(std::string_view text);
// A file name's bytes for the player: as they stand when they are UTF-8, else decoded from
// CP932 when that works, else the UTF-8 parts with U+FFFD for every other byte.
std::string displayName(std::string_view nameBytes);

// A file or folder name (or a path) of any bytes as UTF-8 text and back, without loss: the
// bytes of a sequence that is not UTF-8 (or that is one of those characters itself) are kept
// one by one as private-use characters U+F780..U+F7FF. The window holds and passes names in
// this form.
std::string nameText(std::string_view bytes);
std::string nameBytes(std::string_view text);

// The entries of a folder, by their real bytes; nothing for a folder that cannot be read.
struct FolderEntry {
    std::string name;
    bool directory = false;
};
std::vector<FolderEntry> folderEntries(const std::filesystem::path& dir);

enum class ReadStatus { Ok, Missing, CannotOpen, TooLarge };
struct WholeFile {
    ReadStatus status = ReadStatus::CannotOpen;
    std::string bytes;
};
// Reads a regular file of at most maxBytes bytes whole; anything else is refused. The file is
// opened without blocking and checked on the open descriptor, so a file swapped for a pipe or
// a device between a look and the read cannot stall the game.
WholeFile readWholeFile(const std::filesystem::path& path, std::size_t maxBytes);
// Starts reading these files, one after the other, on a helper thread, while the program does
// other things. The first readWholeFile of one of them with the same limit waits for that read
// and answers it. Once a run: a second call reads nothing ahead.
void readAhead(std::vector<std::filesystem::path> paths, std::size_t maxBytes);

// Writes the bytes to an unnamed file beside path (a hidden named one where the file system
// cannot) and renames it over path, then syncs the directory, so that a failed or killed write
// leaves the old file as it was and a finished one survives a power cut. The old file's
// permission bits stay; a symbolic link stays and the file it points to is replaced. A file
// the player made read-only is refused. Answers false on any failure.
bool replaceFile(const std::filesystem::path& path, std::string_view bytes);

// What replaceFile falls back on where the file system has no unnamed files: the bytes under a
// fresh hidden name in dir, with the permission bits `mode` unless it is negative, synced and
// closed. Answers that name, or an empty path on failure (nothing is then left behind).
std::filesystem::path writeNamedTemporary(const std::filesystem::path& dir, std::string_view bytes,
                                          int mode);

// Renames path to `to`, replacing `to`; false when there was nothing to move or it failed.
bool moveAside(const std::filesystem::path& path, const std::filesystem::path& to);

// Makes a write past the file-size limit fail with EFBIG, as on a full disk, instead of
// ending the program. Called once at the start of each program.
void ignoreFileSizeSignal();

// Takes lines one by one off a text ended by CR LF, LF or CR. A final line end opens no
// further (empty) line.
class LineReader {
public:
    explicit LineReader(std::string_view text = {}) : text_(text) {}
    bool next(std::string_view& line);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    // Where the next CR and LF at or after pos_ are (or the end), found once each.
    std::size_t cr_ = 0, lf_ = 0;
};
