#include "play/places.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "files/text_file.h"

#ifndef TORVANE_DATADIR_FROM_BINDIR
#define TORVANE_DATADIR_FROM_BINDIR "../share/torvane"
#endif

namespace fs = std::filesystem;

namespace {

bool isDirectory(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool holdsTheWaves(const fs::path& dir) {
    for (std::string_view name : WAVE_FILES) {
        std::error_code ec;
        if (!fs::is_regular_file(dir / name, ec)) return false;
    }
    return true;
}

// An absolute path from the environment; anything else counts as unset, as the XDG base
// directory rules say.
fs::path absoluteFrom(const Environment& env, std::string_view name) {
    fs::path p = env(name);
    return p.is_absolute() ? p.lexically_normal() : fs::path();
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// XDG_DOCUMENTS_DIR from user-dirs.dirs: "$HOME/..." or an absolute path, in double quotes.
fs::path documentsFromUserDirs(const fs::path& file, const fs::path& home) {
    const WholeFile f = readWholeFile(file, 1 << 16);
    if (f.status != ReadStatus::Ok) return {};
    fs::path found;
    LineReader lines(f.bytes);
    std::string_view line;
    while (lines.next(line)) {
        line = trim(line);
        constexpr std::string_view KEY = "XDG_DOCUMENTS_DIR=";
        if (line.substr(0, KEY.size()) != KEY) continue;
        std::string_view quoted = line.substr(KEY.size());
        if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') continue;
        std::string value;
        for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
            if (quoted[i] == '\\' && i + 2 < quoted.size()) ++i;
            value += quoted[i];
        }
        constexpr std::string_view HOME = "$HOME";
        fs::path p;
        if (std::string_view(value).substr(0, HOME.size()) == HOME &&
            (value.size() == HOME.size() || value[HOME.size()] == '/'))
            p = home / fs::path(value.substr(HOME.size())).relative_path();
        else if (!value.empty() && value.front() == '/')
            p = value;
        if (p.empty()) continue;
        p = p.lexically_normal();
        if (!p.has_filename() && p.has_relative_path()) p = p.parent_path();  // "$HOME/"
        found = p;  // the last line wins, as in the shell
    }
    return found;
}

}  // namespace

std::string_view dataDirFromBinDir() { return TORVANE_DATADIR_FROM_BINDIR; }

Places placesFor(const fs::path& executable, const Environment& env, std::string_view dataFromBin) {
    Places places;
    const fs::path dataDir = (executable.parent_path() / dataFromBin).lexically_normal();
    if (!executable.is_absolute() || !holdsTheWaves(dataDir)) return places;

    places.dataDir = dataDir;
    // Without a home the root stands in, as it does for Qt; the settings file then cannot be
    // made and the player is told so at start-up.
    fs::path home = absoluteFrom(env, "HOME");
    if (home.empty()) home = "/";
    fs::path config = absoluteFrom(env, "XDG_CONFIG_HOME");
    if (config.empty()) config = home / ".config";
    places.settingsFile = config / "torvane" / "Torvane.ini";

    const fs::path documents = documentsFromUserDirs(config / "user-dirs.dirs", home);
    if (!documents.empty() && isDirectory(documents))
        places.recordDir = documents;
    else if (isDirectory(home / "Documents"))
        places.recordDir = home / "Documents";
    else
        places.recordDir = home;
    return places;
}

fs::path cacheDirFor(const Environment& env) {
    if (fs::path cache = absoluteFrom(env, "XDG_CACHE_HOME"); !cache.empty()) return cache;
    // No root stands in here: a cache that cannot be written is only slower.
    if (fs::path home = absoluteFrom(env, "HOME"); !home.empty()) return home / ".cache";
    return {};
}

fs::path keptGameFor(const Environment& env) {
    fs::path state = absoluteFrom(env, "XDG_STATE_HOME");
    if (state.empty()) {
        // A home of "/" is none: the game is not kept at the root of the file system.
        const fs::path home = absoluteFrom(env, "HOME");
        if (home.empty() || home == "/") return {};
        state = home / ".local" / "state";
    }
    return state / "torvane" / KEPT_GAME;
}

std::string processEnvironment(std::string_view name) {
    const std::string key(name);
    if (const char* v = std::getenv(key.c_str()); v && *v) return v;
    if (key == "HOME")
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
}

std::string describePlaces(const Places& places) {
    auto state = [](const fs::path& p) {
        std::error_code ec;
        return fs::is_regular_file(p, ec) ? " (found)\n" : " (missing)\n";
    };
    std::string out;
    const fs::path data = places.dataDir;
    out += "torvane: data directory " + data.string() + "\n";
    for (std::string_view name : WAVE_FILES) {
        const fs::path p = data / name;
        out += "torvane: sound " + p.string() + state(p);
    }
    const fs::path help = data / HELP_PAGE;
    out += "torvane: help page " + help.string() + state(help);
    out += "torvane: settings file " + places.settingsFile.string() + state(places.settingsFile);
    out += "torvane: record directory " +
           (places.recordDir.empty() ? std::string(".") : places.recordDir.string()) + "\n";
    if (!places.keptGame.empty())
        out += "torvane: kept game " + places.keptGame.string() + state(places.keptGame);
    return out;
}
