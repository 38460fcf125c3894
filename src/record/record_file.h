#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "record/record_codec.h"

// No real record comes near this; anything larger is refused unread.
inline constexpr std::size_t RECORD_FILE_MAX_BYTES = 1 << 20;

// Reads a record file whole into bytes; on failure the message names the file.
FileResult readRecordFile(const std::filesystem::path& path, std::string& bytes);

// Writes the header lines and entries 1..SAISHU_TESU of the history to path.
FileResult writeRecordFile(const History& h, const std::filesystem::path& path,
                           std::string_view gameName, std::string_view comName,
                           std::string_view manName);
