#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/text_file.h"

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

// The lines of a settings file's bytes that set something, in the file's order. The file is
// CP932 as the game writes it, or UTF-8 (with or without a byte order mark) as an editor may
// have saved it.
std::vector<SettingsLine> decodeSettings(std::string_view bytes);
// The options those lines leave over `start`: later lines win, an unknown background is skipped.
SettingsValues settingsFrom(const std::vector<SettingsLine>& lines, SettingsValues start = {});
// The file's bytes (CP932).
std::string encodeSettings(const SettingsValues& v);
