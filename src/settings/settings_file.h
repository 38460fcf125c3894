#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "record/text_file.h"

// Read from and written to the current directory.
inline constexpr const char* SETTINGS_FILE = "Torvane.ini";
// A settings file is four short lines; a larger one is treated as unreadable.
inline constexpr std::size_t SETTINGS_FILE_MAX_BYTES = 1 << 16;

// The four settings as the file holds them: a background id 5..9 (0 for no background line)
// and the three switches.
struct SettingsValues {
    int background = 0;
    bool guidance = false;  // 移動指導
    bool clock = false;     // 経過時間
    bool music = false;     // BGM
};

// The value that names background id 5..9 in the file ("緑", "畳", ...); empty for any other.
std::string_view backgroundName(int id);

// What one line sets. The key is everything before the first "="; a switch is on only for
// exactly "ON"; a background value that names no background sets nothing (background 0).
enum class SettingsKey { None, Background, Guidance, Clock, Music };
struct SettingsLine {
    SettingsKey key = SettingsKey::None;
    int background = 0;
    bool on = false;
};
SettingsLine parseSettingsLine(std::string_view line);

// The file's text: the background line (none for 0), then the three switches.
std::string formatSettings(const SettingsValues& v);

// The text (UTF-8) of a readable settings file; nothing when it is missing, not a regular
// file, unreadable or too large.
std::optional<std::string> readSettingsFile(const std::filesystem::path& path);
// Replaces the file with the values; on failure the message names the file.
FileResult writeSettingsFile(const std::filesystem::path& path, const SettingsValues& v);
