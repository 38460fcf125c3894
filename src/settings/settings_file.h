#pragma once
#include <cstddef>
#include <filesystem>
#include <string>

#include "settings/settings_codec.h"

// Read from and written to the current directory.
inline constexpr const char* SETTINGS_FILE = "Torvane.ini";
// A settings file is four short lines; a larger one is treated as unreadable.
inline constexpr std::size_t SETTINGS_FILE_MAX_BYTES = 1 << 16;
// Where a settings file that cannot be read is kept, beside it.
inline constexpr const char* SETTINGS_KEPT_SUFFIX = ".bad";

struct SettingsRead {
    enum Status { Ok, Missing, Unreadable } status = Missing;
    std::vector<SettingsLine> lines;
    // An unreadable file was moved to this name before the defaults replace it.
    std::filesystem::path keptAs;
};
// Reads the settings file. One that is there but cannot be read (or is over the bound) is
// moved aside to its name with SETTINGS_KEPT_SUFFIX, replacing an older one.
SettingsRead readSettingsFile(const std::filesystem::path& path);
// Replaces the file with the values; on failure the message names the file.
FileResult writeSettingsFile(const std::filesystem::path& path, const SettingsValues& v);
