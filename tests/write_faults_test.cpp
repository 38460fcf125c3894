// Writes that fail: a read-only directory, a full disk, a directory where the file should be
// and a name too long for the file system. Each time the player is told, the old file and the
// rest of the directory stay byte for byte as they were, no temporary file is left, and the
// game goes on: nothing of it has changed and the next write to a good place works.
#include <limits.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>

#include "play/record_panel.h"
#include "play/settings.h"
#include "fake_port.h"
#include "play/setup.h"
#include "record/record_file.h"
#include "temp_dir.h"
#include "mode_seam.h"

namespace fs = std::filesystem;

namespace {

// Every entry below a directory: file bytes, or "<dir>" for a directory.
std::map<std::string, std::string> listing(const fs::path& dir) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        const std::string name = fs::relative(e.path(), dir).string();
        out[name] = e.is_directory() ? "<dir>" : TempDir::read(e.path());
    }
    return out;
}

// A game of a few moves with both hands and clocks in use.
void playSomeMoves(State& s) {
    初期設定(s);
    ModeTestSeam::of(s.game).COM_TAISEN = 1;
    ModeTestSeam::of(s.game).TEBAN_MAN = SENTE_BAN;
    ModeTestSeam::of(s.game).TEBAN_COM = GOTE_BAN;
    ModeTestSeam::of(s.game).TEBAN = SENTE_BAN;
    for (int t = 0; t < 4; ++t) {
        ModeTestSeam::of(s.game).TESU = t;
        s.pos.setHand(Side::MAN, HU, t);
        s.pos.put(t + 1, 7, EMPTY);
        手順保存(s.hist, s.game, s.pos, 10.0f * t, 10.0f * t + 3, 7.0f * t, 7.0f * t);
    }
    ModeTestSeam::of(s.game).TESU = 4;
}

// What of the game a failed write must leave alone.
struct GameCopy {
    std::unique_ptr<History> hist;
    Position pos;
    GameState game;
    explicit GameCopy(const State& s)
        : hist(std::make_unique<History>(s.hist)), pos(s.pos), game(s.game) {}
    bool same(const State& s) const {
        return std::memcmp(hist.get(), &s.hist, sizeof s.hist) == 0 &&
               std::memcmp(&pos, &s.pos, sizeof pos) == 0 &&
               std::memcmp(&game, &s.game, sizeof game) == 0;
    }
};

// What the player saw and what became of the game, gathered where the write ran.
struct Outcome {
    std::string skipped;  // why the case could not be made here, if it could not
    bool ok = true;
    std::string messages;  // every message box, one per line
    bool panelClosed = false;
    bool gameKept = false;
    std::string optionsAfter;  // the settings as the menu shows them after the failure
    bool nextWriteOk = false;
};

Outcome skipped(std::string why) {
    Outcome o;
    o.skipped = std::move(why);
    return o;
}

std::string encode(const Outcome& o) {
    auto esc = [](std::string v) {
        for (char& c : v)
            if (c == '\n') c = '\x01';
        return v;
    };
    return esc(o.skipped) + "\n" + (o.ok ? "1" : "0") + "\n" + esc(o.messages) + "\n" +
           (o.panelClosed ? "1" : "0") + "\n" + (o.gameKept ? "1" : "0") + "\n" +
           esc(o.optionsAfter) + "\n" + (o.nextWriteOk ? "1" : "0") + "\n";
}

Outcome decode(const std::string& text) {
    std::vector<std::string> f;
    std::size_t p = 0;
    for (std::size_t e; (e = text.find('\n', p)) != std::string::npos; p = e + 1) {
        std::string v = text.substr(p, e - p);
        for (char& c : v)
            if (c == '\x01') c = '\n';
        f.push_back(v);
    }
    Outcome o;
    if (f.size() != 7) {
        o.skipped = "the child reported nothing";
        o.gameKept = false;
        return o;
    }
    o.skipped = f[0];
    o.ok = f[1] == "1";
    o.messages = f[2];
    o.panelClosed = f[3] == "1";
    o.gameKept = f[4] == "1";
    o.optionsAfter = f[5];
    o.nextWriteOk = f[6] == "1";
    return o;
}

// Runs body in a child process, so that a lowered limit or a dropped privilege ends with it.
Outcome inChild(const std::function<Outcome()>& body) {
    int fds[2];
    if (::pipe(fds) != 0) return skipped("no pipe");
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) return skipped("no fork");
    if (pid == 0) {
        ::close(fds[0]);
        const std::string text = encode(body());
        const char* p = text.data();
        std::size_t left = text.size();
        while (left > 0) {
            const ssize_t w = ::write(fds[1], p, left);
            if (w <= 0) break;
            p += w;
            left -= static_cast<std::size_t>(w);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
        text.append(buf, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    Outcome o = decode(text);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) o.skipped = "the child died";
    return o;
}

std::string optionsText(const Options& o) {
    return std::to_string(o.MIDORI) + std::to_string(o.TATAMI) + std::to_string(o.TAKE) +
           std::to_string(o.UCHU) + std::to_string(o.RENGA) + " guidance " +
           std::to_string(o.SIDOU_FLAG) + " clock " + std::to_string(o.KEIKA) + " music " +
           std::to_string(o.BGM) + " shown " + std::to_string(o.HAIKEI_NO);
}

// The two writes of the game, each with its file name, failure text and good-place check.
struct Writer {
    std::string label;
    std::string fileName;      // the file the write makes in its directory
    std::string failure;       // the message box, text and title, as the fake port logs it
    std::string optionsAfter;  // the menu after a failure
    // Writes into dir; ok tells whether the file was written.
    std::function<bool(State&, const fs::path& dir, bool& closed)> write;
};

const std::string RECORD_NAME = "対局";

Writer recordWriter(const std::string& name = RECORD_NAME) {
    Writer w;
    w.label = "record";
    w.fileName = name + ".棋譜";
    w.failure = "message 棋譜ﾌｧｲﾙを作成できません\n\n" + w.fileName + " | 棋譜保存";
    w.write = [name](State& s, const fs::path& dir, bool& closed) {
        return 書込_棋譜(s.hist, s.game, s.dialog, dir, name, "対局", "先手", "後手",
                         [&] { closed = true; })
            .ok;
    };
    return w;
}

Writer settingsWriter(const std::string& name = SETTINGS_FILE) {
    Writer w;
    w.label = "settings";
    w.fileName = name;
    w.failure = "message 環境設定ﾌｧｲﾙを作成できません\n\n" + name + " | 環境設定";
    // The failed write falls back to the green marks, no guidance, clock and music on; the
    // picture on screen stays.
    w.optionsAfter = "10000 guidance 0 clock 1 music 1 shown 8";
    w.write = [name](State& s, const fs::path& dir, bool&) {
        return 書込_環境設定ファイル(s.canvas.opt, s.window, s.dialog, dir / name).ok;
    };
    return w;
}

// Starts a game with options of its own, fails one write into dir, then makes the next write,
// to the good directory.
Outcome failThenWrite(const Writer& w, const fs::path& dir, const Writer& next,
                      const fs::path& good) {
    Fixture f;
    State& s = f.s;
    playSomeMoves(s);
    s.canvas.opt.UCHU = true;
    s.canvas.opt.HAIKEI_NO = 8;
    s.canvas.opt.SIDOU_FLAG = true;
    s.canvas.opt.SIDOU_COLOR = 15;
    const GameCopy before(s);
    f.port.clear();

    Outcome o;
    o.ok = w.write(s, dir, o.panelClosed);
    for (const std::string& m : f.port.only("message")) o.messages += m + "\n";
    o.gameKept = before.same(s);
    o.optionsAfter = optionsText(s.canvas.opt);

    bool closed = false;
    o.nextWriteOk = next.write(s, good, closed) && fs::is_regular_file(good / next.fileName);
    if (o.nextWriteOk && next.label == "record") {
        // The good copy reads back to the game's history.
        Fixture r;
        読込_棋譜(r.s, good / next.fileName);
        o.nextWriteOk = r.s.hist.SAISHU_TESU() == s.hist.SAISHU_TESU() &&
                        formatRecordLine(r.s.hist, 3) == formatRecordLine(s.hist, 3);
    }
    return o;
}

void expectCleanFailure(const Writer& w, const Outcome& o) {
    SCOPED_TRACE(w.label);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.messages, w.failure + "\n");
    EXPECT_FALSE(o.panelClosed);  // the record panel stays open for another try
    EXPECT_TRUE(o.gameKept);
    if (!w.optionsAfter.empty()) {
        EXPECT_EQ(o.optionsAfter, w.optionsAfter);
    }
    EXPECT_TRUE(o.nextWriteOk);
}

// A directory holding an earlier file of the writer and one unrelated file.
struct Scene {
    TempDir root;
    fs::path dir = root / "target";
    fs::path good = root / "good";
    Scene(const Writer& w) {
        fs::create_directories(dir);
        fs::create_directories(good);
        TempDir::write(dir / "unrelated.txt", "keep me\r\n");
        if (!w.fileName.empty() && w.fileName.size() <= NAME_MAX)
            TempDir::write(dir / w.fileName, "the earlier file\r\n\x82\xa0");
    }
};

std::vector<Writer> bothWriters() { return {recordWriter(), settingsWriter()}; }

}  // namespace

TEST(WriteFaults, ReadOnlyDirectory) {
    for (const Writer& w : bothWriters()) {
        Scene scene(w);
        ::chmod(scene.good.c_str(), 0777);
        const auto was = listing(scene.dir);
        ::chmod(scene.dir.c_str(), 0555);
        const Outcome o = inChild([&] {
            // Root writes through any permission: the write runs as nobody instead.
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                return skipped("cannot drop root privileges here");
            if (::access(scene.dir.c_str(), W_OK) == 0)
                return skipped("permissions do not stop writes here");
            return failThenWrite(w, scene.dir, w, scene.good);
        });
        ::chmod(scene.dir.c_str(), 0755);
        if (!o.skipped.empty()) GTEST_SKIP() << o.skipped;
        expectCleanFailure(w, o);
        EXPECT_EQ(listing(scene.dir), was);
    }
}

TEST(WriteFaults, DiskFullPartWay) {
    for (const Writer& w : bothWriters()) {
        Scene scene(w);
        const auto was = listing(scene.dir);
        const Outcome o = inChild([&] {
            // The file-size limit stops the write after a few bytes, as a full disk would;
            // the signal is ignored so that write() reports the error.
            ::signal(SIGXFSZ, SIG_IGN);
            rlimit lim{};
            ::getrlimit(RLIMIT_FSIZE, &lim);
            const rlimit small{16, lim.rlim_max};
            if (::setrlimit(RLIMIT_FSIZE, &small) != 0) return skipped("cannot limit file sizes");
            Fixture f;
            State& s = f.s;
            playSomeMoves(s);
            const GameCopy before(s);
            Outcome r;
            r.ok = w.write(s, scene.dir, r.panelClosed);
            for (const std::string& m : f.port.only("message")) r.messages += m + "\n";
            r.gameKept = before.same(s);
            ::setrlimit(RLIMIT_FSIZE, &lim);  // the disk has room again
            bool closed = false;
            r.nextWriteOk = w.write(s, scene.good, closed);
            return r;
        });
        ASSERT_TRUE(o.skipped.empty()) << o.skipped;
        SCOPED_TRACE(w.label);
        EXPECT_FALSE(o.ok);
        EXPECT_EQ(o.messages, w.failure + "\n");
        EXPECT_FALSE(o.panelClosed);
        EXPECT_TRUE(o.gameKept);
        EXPECT_TRUE(o.nextWriteOk);
        EXPECT_EQ(listing(scene.dir), was);
    }
}

TEST(WriteFaults, TargetIsADirectory) {
    for (Writer w : bothWriters()) {
        Scene scene(w);
        fs::remove(scene.dir / w.fileName);
        fs::create_directories(scene.dir / w.fileName);
        TempDir::write(scene.dir / w.fileName / "inside.txt", "inside");
        const auto was = listing(scene.dir);
        expectCleanFailure(w, failThenWrite(w, scene.dir, w, scene.good));
        EXPECT_EQ(listing(scene.dir), was);
    }
}

TEST(WriteFaults, NameTooLong) {
    const std::string longName(NAME_MAX + 1, 'n');
    for (const Writer& usual : bothWriters()) {
        const Writer w =
            usual.label == "record" ? recordWriter(longName) : settingsWriter(longName);
        Scene scene(usual);  // the usual file is there already and stays as it was
        const auto was = listing(scene.dir);
        expectCleanFailure(w, failThenWrite(w, scene.dir, usual, scene.good));
        EXPECT_EQ(listing(scene.dir), was);
    }
}
