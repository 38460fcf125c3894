// Where the game reads its data and keeps the player's files: installed or in the build tree.
#include "play/places.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <string>

#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

// A machine in a temporary directory: an installed prefix, a half-installed one, a build tree,
// homes with and without a documents directory, a configuration directory with user-dirs.dirs.
struct Machine {
    TempDir root;
    Machine() {
        for (const char* prefix : {"usr", "broken"}) {
            fs::create_directories(root / prefix / "bin");
            fs::create_directories(root / prefix / "share" / "torvane");
            for (std::string_view wave : WAVE_FILES)
                if (std::string(prefix) == "usr" || wave != "BGM.wav")
                    TempDir::write(root / prefix / "share" / "torvane" / std::string(wave), "RIFF");
        }
        fs::create_directories(root / "build" / "play");
        for (std::string_view wave : WAVE_FILES)
            TempDir::write(root / "build" / "play" / std::string(wave), "RIFF");
        fs::create_directories(root / "bare");  // a home with nothing in it
        fs::create_directories(root / "home" / "Documents");
        fs::create_directories(root / "home" / "文書");
        fs::create_directories(root / "cfg");
        fs::create_directories(root / "elsewhere" / "records");
    }
    fs::path operator/(const std::string& p) const { return root / p; }
    // user-dirs.dirs in cfg/ with the given text.
    void userDirs(const std::string& text) const {
        TempDir::write(root / "cfg" / "user-dirs.dirs", text);
    }
};

Environment envOf(std::map<std::string, std::string> vars) {
    return [vars](std::string_view name) {
        auto it = vars.find(std::string(name));
        return it == vars.end() ? std::string() : it->second;
    };
}

// A user-dirs.dirs of `bytes` bytes that names 文書 as the documents, after a long comment.
std::string padded(std::size_t bytes) {
    const std::string line = "XDG_DOCUMENTS_DIR=\"$HOME/文書\"\n";
    return "#" + std::string(bytes - line.size() - 2, 'x') + "\n" + line;
}

}  // namespace

TEST(Places, InstalledOrBuildTreeAndThePerUserDirectories) {
    Machine m;
    const std::string r = m.root.path().string();
    const fs::path installed = m / "usr/bin/torvane";
    const Places build;  // everything in the current directory
    struct Case {
        const char* what;
        fs::path exe;
        std::map<std::string, std::string> env;
        std::string userDirs;  // "" leaves the file out
        Places want;
    };
    const fs::path data = m / "usr/share/torvane";
    const Case cases[] = {
        {"build tree", m / "build/torvane", {{"HOME", r + "/home"}}, "", build},
        {"a wave file missing", m / "broken/bin/torvane", {{"HOME", r + "/home"}}, "", build},
        {"relative program path", "usr/bin/torvane", {{"HOME", r + "/home"}}, "", build},
        {"home with Documents",
         installed,
         {{"HOME", r + "/home"}},
         "",
         {data, m / "home/.config/torvane/Torvane.ini", m / "home/Documents"}},
        {"bare home",
         installed,
         {{"HOME", r + "/bare"}},
         "",
         {data, m / "bare/.config/torvane/Torvane.ini", m / "bare"}},
        {"XDG_CONFIG_HOME and its documents",
         installed,
         {{"HOME", r + "/home"}, {"XDG_CONFIG_HOME", r + "/cfg"}},
         "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
         "XDG_DOCUMENTS_DIR=\"$HOME/文書\" \t\n",
         {data, m / "cfg/torvane/Torvane.ini", m / "home/文書"}},
        {"an absolute documents path, the last line winning",
         installed,
         {{"HOME", r + "/bare"}, {"XDG_CONFIG_HOME", r + "/cfg"}},
         "XDG_DOCUMENTS_DIR=\"$HOME/nowhere\"\r\n XDG_DOCUMENTS_DIR=\"" + r +
             "/elsewhere/records\"\r\n",
         {data, m / "cfg/torvane/Torvane.ini", m / "elsewhere/records"}},
        {"documents that do not exist",
         installed,
         {{"HOME", r + "/home"}, {"XDG_CONFIG_HOME", r + "/cfg"}},
         "XDG_DOCUMENTS_DIR=\"$HOME/gone\"\n",
         {data, m / "cfg/torvane/Torvane.ini", m / "home/Documents"}},
        {"a relative, unquoted or empty documents path is ignored",
         installed,
         {{"HOME", r + "/bare"}, {"XDG_CONFIG_HOME", r + "/cfg"}},
         "XDG_DOCUMENTS_DIR=\"elsewhere\"\nXDG_DOCUMENTS_DIR=$HOME/elsewhere\n"
         "XDG_DOCUMENTS_DIR=\"$HOMEelsewhere\"\nXDG_DOCUMENTS_DIR=\"\"\n",
         {data, m / "cfg/torvane/Torvane.ini", m / "bare"}},
        {"documents = $HOME",
         installed,
         {{"HOME", r + "/home"}, {"XDG_CONFIG_HOME", r + "/cfg"}},
         "XDG_DOCUMENTS_DIR=\"$HOME/\"\n",
         {data, m / "cfg/torvane/Torvane.ini", m / "home"}},
        {"relative XDG_CONFIG_HOME is ignored",
         installed,
         {{"HOME", r + "/home"}, {"XDG_CONFIG_HOME", "cfg"}},
         "",
         {data, m / "home/.config/torvane/Torvane.ini", m / "home/Documents"}},
        {"no home at all", installed, {}, "", {data, "/.config/torvane/Torvane.ini", "/"}},
        {"a user-dirs.dirs of 64 KiB is read",
         installed,
         {{"HOME", r + "/home"}, {"XDG_CONFIG_HOME", r + "/cfg"}},
         padded(65536),
         {data, m / "cfg/torvane/Torvane.ini", m / "home/文書"}},
        {"one of a byte more is not",
         installed,
         {{"HOME", r + "/home"}, {"XDG_CONFIG_HOME", r + "/cfg"}},
         padded(65537),
         {data, m / "cfg/torvane/Torvane.ini", m / "home/Documents"}},
    };
    for (const Case& c : cases) {
        fs::remove(m / "cfg/user-dirs.dirs");
        if (!c.userDirs.empty()) m.userDirs(c.userDirs);
        const Places p = placesFor(c.exe, envOf(c.env), "../share/torvane");
        EXPECT_EQ(p.dataDir, c.want.dataDir) << c.what;
        EXPECT_EQ(p.settingsFile, c.want.settingsFile) << c.what;
        EXPECT_EQ(p.recordDir, c.want.recordDir) << c.what;
    }
    // Deciding writes nothing: no configuration directory appears.
    EXPECT_FALSE(fs::exists(m / "home/.config"));
    EXPECT_FALSE(fs::exists(m / "cfg/torvane"));
    // The installed layout the build describes is the one of the install rules.
    EXPECT_EQ(dataDirFromBinDir(), "../share/torvane");
}

TEST(Places, TheCacheIsInTheUsersHomeEvenWithoutHOME) {
    EXPECT_EQ(cacheDirFor(envOf({{"XDG_CACHE_HOME", "/c"}, {"HOME", "/h"}})), "/c");
    EXPECT_EQ(cacheDirFor(envOf({{"XDG_CACHE_HOME", "c"}, {"HOME", "/h"}})), "/h/.cache");
    EXPECT_EQ(cacheDirFor(envOf({})), "");
    // The process's own environment without HOME: the home of the user database.
    const passwd* pw = ::getpwuid(::getuid());
    ASSERT_TRUE(pw && pw->pw_dir && pw->pw_dir[0] == '/');
    const char* home = std::getenv("HOME");
    const std::string kept = home ? home : "";
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const std::string keptCache = cache ? cache : "";
    ::unsetenv("HOME");
    ::unsetenv("XDG_CACHE_HOME");
    const fs::path found = cacheDirFor(processEnvironment);
    if (home) ::setenv("HOME", kept.c_str(), 1);
    if (cache) ::setenv("XDG_CACHE_HOME", keptCache.c_str(), 1);
    EXPECT_EQ(found, fs::path(pw->pw_dir) / ".cache");
}

TEST(Places, TheReportNamesEveryFileAndWhetherItIsThere) {
    Machine m;
    TempDir::write(m / "usr/share/torvane/Torvane.htm", "<html/>");
    const Places p = placesFor(m / "usr/bin/torvane", envOf({{"HOME", (m / "bare").string()}}));
    const std::string d = (m / "usr/share/torvane").string();
    EXPECT_EQ(describePlaces(p),
              "torvane: data directory " + d + "\n" + "torvane: sound " + d +
                  "/その他.wav (found)\n" + "torvane: sound " + d + "/禁止.wav (found)\n" +
                  "torvane: sound " + d + "/駒打音.wav (found)\n" + "torvane: sound " + d +
                  "/BGM.wav (found)\n" + "torvane: sound " + d + "/消滅.wav (found)\n" +
                  "torvane: help page " + d + "/Torvane.htm (found)\n" + "torvane: settings file " +
                  (m / "bare/.config/torvane/Torvane.ini").string() + " (missing)\n" +
                  "torvane: record directory " + (m / "bare").string() + "\n");
}
