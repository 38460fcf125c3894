#pragma once
#include <filesystem>
#include <functional>
#include <string_view>

#include "files/text_file.h"

class DialogPort;
class GameState;
struct History;
struct State;

// Left edge in twips at which a header line is drawn, centred by its length.
double 取得_棋譜のX座標(std::string_view text);

// The checks of 書込 before the panel opens: whether writing is allowed.
bool KIFU_WRITE_Click(const GameState& g, DialogPort& dialog);

// The "RETURN" button: writes the record to directory/fileName.棋譜. closePanel runs once
// the file is written, before the closing message. ok tells whether the file was written.
FileResult 書込_棋譜(const History& h, const GameState& g, DialogPort& dialog,
                     const std::filesystem::path& directory, std::string_view fileName,
                     std::string_view gameName, std::string_view senteName,
                     std::string_view goteName, const std::function<void()>& closePanel = {});

// A click on a record file: reads it into the history for browsing. A file that cannot be
// read is reported and changes nothing.
FileResult 読込_棋譜(State& s, const std::filesystem::path& path);
// The same with the file's bytes already read.
void 読込_棋譜内容(State& s, std::string_view bytes);
