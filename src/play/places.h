#pragma once
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// The five wave files, in the order start-up loads them.
inline constexpr std::array<std::string_view, 5> WAVE_FILES = {"その他.wav", "禁止.wav",
                                                               "駒打音.wav", "BGM.wav", "消滅.wav"};
// The help page, in the data directory beside them.
inline constexpr std::string_view HELP_PAGE = "Torvane.htm";
// The game in progress, in the state directory.
inline constexpr std::string_view KEPT_GAME = "前回.棋譜";

// Where the game reads its data and keeps the player's files. The defaults are those of a game
// run from its build tree: everything in the directory it was started in.
struct Places {
    // The wave files and the help page; empty: the current directory at start-up.
    std::filesystem::path dataDir;
    // The settings file; its directory is made at start-up when missing.
    std::filesystem::path settingsFile = "Torvane.ini";
    // Where the record panel opens; empty: the current directory.
    std::filesystem::path recordDir;
    // The game in progress, rewritten after every move so that quitting loses nothing; empty:
    // no game is kept (the headless tool, the tests).
    std::filesystem::path keptGame = {};
};

// An environment variable's value; empty when it is unset.
using Environment = std::function<std::string(std::string_view)>;

// The installed game's data directory relative to the directory of its program.
std::string_view dataDirFromBinDir();

// The places of a game whose program is `executable` (an absolute path). It counts as installed
// when `dataFromBin` beside the program's directory holds the five wave files; then the data is
// read there, the settings file is $XDG_CONFIG_HOME/torvane/Torvane.ini (~/.config/...) and the
// record panel opens in the user's documents directory (user-dirs.dirs, else ~/Documents, else
// home). Otherwise everything stays in the current directory. Reads the file system, writes
// nothing.
Places placesFor(const std::filesystem::path& executable, const Environment& env,
                 std::string_view dataFromBin = dataDirFromBinDir());

// The user's cache directory: XDG_CACHE_HOME, else .cache in the home; empty without either.
std::filesystem::path cacheDirFor(const Environment& env);

// The kept game of the desktop program: $XDG_STATE_HOME/torvane/前回.棋譜, else under
// ~/.local/state. Empty when there is no home to put it in.
std::filesystem::path keptGameFor(const Environment& env);

// The process environment; HOME falls back to the password database when it is unset.
std::string processEnvironment(std::string_view name);

// One line per place and whether its file is there, for TORVANE_REPORT_FILES.
std::string describePlaces(const Places& places);
