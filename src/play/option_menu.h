#pragma once
#include <filesystem>

#include "files/text_file.h"
#include "play/settings.h"

struct State;

// The option menu commands. Each ends by rewriting the settings file; the result is that
// of the write (a failure has already been shown).
FileResult MIDORI_Click(State& s, const std::filesystem::path& path = SETTINGS_FILE);
FileResult TATAMI_Click(State& s, const std::filesystem::path& path = SETTINGS_FILE);
FileResult TAKE_Click(State& s, const std::filesystem::path& path = SETTINGS_FILE);
FileResult UCHU_Click(State& s, const std::filesystem::path& path = SETTINGS_FILE);
FileResult RENGA_Click(State& s, const std::filesystem::path& path = SETTINGS_FILE);
FileResult SIDOU_Click(State& s, const std::filesystem::path& path = SETTINGS_FILE);
FileResult KEIKA_Click(State& s, const std::filesystem::path& path = SETTINGS_FILE);
FileResult BGM_Click(State& s, const std::filesystem::path& path = SETTINGS_FILE);
