#pragma once
#include <filesystem>
#include <string_view>

#include "files/text_file.h"
#include "settings/settings_file.h"

class DialogPort;
class SoundPort;
class WindowPort;
struct Canvas;
struct Options;

// Told once when a settings file that cannot be read gives way to the defaults.
inline constexpr std::string_view SETTINGS_UNREADABLE =
    "環境設定ﾌｧｲﾙを読み込めないため、標準の設定にしました";

// Unchecks the five background items and checks the one of id (5..9).
void チェック設定(Options& o, WindowPort& menu, int id);

// Start-up: applies every line of the settings file to the options, the menu's marks, the
// background and the music. A file that cannot be read is recreated with the tatami defaults;
// the result only fails when that rewrite fails, which has then been shown to the user.
FileResult 読込_環境設定ファイル(Canvas& cv, WindowPort& menu, SoundPort& sound, DialogPort& dialog,
                                 const std::filesystem::path& path = SETTINGS_FILE);

// Writes the four lines from the current check marks. A failed write falls back to the green
// defaults and writes those; the result only fails when that rewrite fails too (shown).
FileResult 書込_環境設定ファイル(Options& o, WindowPort& menu, DialogPort& dialog,
                                 const std::filesystem::path& path = SETTINGS_FILE);
