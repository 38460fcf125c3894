#include "session.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string_view>

#include "cli/random_play.h"
#include "core/legal_moves.h"
#include "fake_port.h"
#include "play/window_events.h"
#include "signature.h"
#include "ui/commands.h"
#include "ui/geometry.h"

namespace session {
namespace {

namespace fs = std::filesystem;

// Every menu item and title in the bar's order, but 終わり, which ends a session when it comes,
// and 前回, which reads the game an earlier run kept (kept_game_test plays it).
constexpr auto CONTROLS = [] {
    std::array<std::string_view, std::size(COMMANDS) - 2> out{};
    std::size_t n = 0;
    for (const MenuCommand& c : COMMANDS)
        if (c.control != QUIT_COMMAND && c.control != "KIFU_ZENKAI") out[n++] = c.control;
    return out;
}();
constexpr std::string_view GAMES[] = {"START", "SENTE", "GOTE"};

// Names typed into the record panel: ordinary ones, and ones the game must refuse.
constexpr std::string_view NAMES[] = {"a", "b", "棋譜", "x y", "", "a/b", "..", "sub"};
constexpr std::string_view PLAYERS[] = {"", "名人", "COM", "a,b", "ｱﾏﾁｭｱ"};

// Files a session may find where it starts: records good and damaged, settings of every kind.
constexpr std::string_view DAMAGED_RECORD = "\x8a\xfc\x95\x88\r\nnot a record\r\n1,2,3\r\n";
constexpr std::string_view SETTINGS[] = {
    "",
    "[Torvane]\r\nHAIKEI_NO=7\r\nSIDOU_FLAG=1\r\nKEIKA=1\r\nBGM=0\r\n",
    "\x94\x77\x8c\x69=9\r\n\x88\xda\x93\xae\x8e\x77\x93\xb1=1\r\n",
    "garbage\x01\x02\xff\r\n=\r\n==\r\n",
};

// The calls of the fake port, collected into the session's log with the session's directory
// written as "<dir>" so that the hash does not depend on where it ran.
class Recorder {
public:
    Recorder(FakePort& port, const fs::path& dir) : port_(port), dir_(dir.string()) {}

    void event(std::string text) {
        take();
        log.eventStarts.push_back(log.lines.size());
        log.lines.push_back("event " + std::move(text));
    }
    void take() {
        for (std::string& c : port_.calls) {
            for (std::size_t at; (at = c.find(dir_)) != std::string::npos;)
                c.replace(at, dir_.size(), "<dir>");
            log.lines.push_back(std::move(c));
        }
        port_.calls.clear();
    }
    bool quit() const {
        return std::any_of(port_.calls.begin(), port_.calls.end(),
                           [](const std::string& c) { return c == "quit"; });
    }

    Log log;

private:
    FakePort& port_;
    std::string dir_;
};

struct Aim {
    int fx, fy, tx, ty, button;
};

// The legal moves of the side to move, as clicks: a piece on the board or on its stand, then
// its destination, with the right button where it promotes (always where it must).
std::vector<Aim> aims(const State& s, bool kingsSpared) {
    Position p = s.pos;  // the two-pawn flags are worked out on a copy
    調査_2歩フラグ設定(p);
    const bool man = s.game.mover() == Side::MAN;
    std::vector<Aim> out;
    forEachLegalMove(p, man ? Side::MAN : Side::COM, [&](const Move& m) {
        if (m.isDrop())
            out.push_back({m.fx, man ? m.fy : standCell(Side::COM, m.fy).y, m.tx, m.ty, 1});
        else if (!(kingsSpared && kindOf(p.board()[m.tx][m.ty]) == OU))
            out.push_back({m.fx, m.fy, m.tx, m.ty, m.promote ? 2 : 1});
        return false;
    });
    return out;
}

std::string fnvHex(std::string_view bytes) {
    signature::Fnv1a h;
    h.add(bytes);
    return signature::hex(h.value);
}

template <class A>
std::string joined(const A& values) {
    std::string out;
    for (const auto& v : values) out += " " + std::to_string(v);
    return out;
}

// What stays after the session: the game's state and the files left in its directory.
void endState(const State& s, const fs::path& dir, std::vector<std::string>& out) {
    const auto& p = s.pos;
    const auto& g = s.game;
    std::string board = "board";
    for (int x = 1; x <= 9; ++x) board += joined(p.board()[std::size_t(x)]);
    out.push_back(board);
    out.push_back("hands" + joined(p.manHand()) + " |" + joined(p.comHand()) + " | " +
                  std::to_string(p.manHandTotal()) + " " + std::to_string(p.comHandTotal()));
    out.push_back("kings " + std::to_string(s.analysis.kingsSeen.MAN_OU_X) + " " +
                  std::to_string(s.analysis.kingsSeen.MAN_OU_Y) + " " +
                  std::to_string(s.analysis.kingsSeen.COM_OU_X) + " " +
                  std::to_string(s.analysis.kingsSeen.COM_OU_Y));
    const int mode[] = {
        g.TEBAN(),        g.TEBAN_MAN(),        g.TEBAN_COM(),      g.SHOUHAI(),
        g.TESU(),         g.HYOUJI_TESU(),      g.COM_TAISEN(),     g.HANTEN(),
        g.HANDE_SETTEI(), g.HANDE_LEVEL(),      g.KIFU_MODE(),      g.SAIKAI_MACHI(),
        g.CLICK_JOUTAI(), s.hist.SAISHU_TESU(), s.analysis.LEVEL_NO};
    out.push_back("mode" + joined(mode));
    std::string history;
    for (int t = 0; t <= s.hist.SAISHU_TESU() && t <= TESU_MAX; ++t) {
        const auto i = std::size_t(t);
        for (const auto& column : s.hist.BAN_RIREKI[i]) history += joined(column);
        history += joined(s.hist.MOCHI_MAN_RIREKI[i]) + joined(s.hist.MOCHI_COM_RIREKI[i]);
        char clocks[96];
        std::snprintf(clocks, sizeof clocks, " %.3f %.3f %.3f %.3f;", s.hist.MAN_JIKAN_MAE[i],
                      s.hist.MAN_JIKAN_ATO[i], s.hist.COM_JIKAN_MAE[i], s.hist.COM_JIKAN_ATO[i]);
        history += clocks;
    }
    out.push_back("history " + fnvHex(history));
    const auto& c = s.clock;
    char clock[160];
    std::snprintf(clock, sizeof clock, "clock %.3f %.3f %d %.3f %.3f %d", c.KAISHI_JIKAN,
                  c.KEIKA_BYOU, c.BYOU_HYOUJI, c.MAN_JIKAN, c.COM_JIKAN, int(c.Timer1));
    out.push_back(clock);
    const auto& m = s.play;
    const int play[] = {m.MOTO_X,
                        m.MOTO_Y,
                        m.SAKI_X,
                        m.SAKI_Y,
                        m.SENTAKU_KOMA,
                        int(m.SOUND_DEVICE),
                        int(m.soundReleased)};
    out.push_back("play" + joined(play));
    const auto& o = s.canvas.opt;
    const int options[] = {o.HAIKEI_NO, o.SIDOU_FLAG, o.SIDOU_COLOR, o.KEIKA, o.BGM,
                           o.MIDORI,    o.TATAMI,     o.TAKE,        o.UCHU,  o.RENGA};
    out.push_back("options" + joined(options));
    std::vector<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        const std::string name = fs::relative(e.path(), dir).string();
        if (!e.is_regular_file()) {
            files.push_back("file " + name + " (not a file)");
            continue;
        }
        std::ifstream in(e.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        files.push_back("file " + name + " " + std::to_string(bytes.size()) + " " + fnvHex(bytes));
    }
    std::sort(files.begin(), files.end());
    out.insert(out.end(), files.begin(), files.end());
}

void write(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The wave files a session starts with: none, all five, or some with one unreadable.
void placeWaves(Rng& rng, const fs::path& dir) {
    const int choice = int(rng.below(3));
    if (choice == 0) return;
    const char* names[] = {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav", "消滅.wav"};
    for (int i = 0; i < 5; ++i) {
        if (choice == 2 && rng.below(2) == 0) continue;
        write(dir / names[i], "RIFF" + std::string(std::size_t(10 + i), char('a' + i)));
    }
    write(dir / "Torvane.htm", "<html></html>");
    if (choice == 2) fs::create_directory(dir / "BGM.wav.d");
}

class Driver {
public:
    Driver(std::uint64_t seed, const fs::path& dir)
        : rng_(seed), dir_(dir), rec_(port_, dir), long_(seed % 25 == 7) {
        port_.drive = port_.directory = port_.fileDirectory = dir.string();
        port_.hasSound = rng_.below(4) != 0;
        port_.now = float(rng_.below(86400));
        state_ = std::make_unique<State>(port_);
    }

    Log run() {
        State& s = *state_;
        rec_.event("load");
        Form_Load(s);
        if (long_) longGame();
        const int events = long_ ? 40 : 60 + int(rng_.below(200));
        for (int i = 0; i < events && !rec_.quit(); ++i) step();
        if (!rec_.quit() && rng_.below(5) == 0) {
            rec_.event(rng_.below(2) ? "menu OWARI" : "key 27");
            if (rec_.log.lines.back() == "event menu OWARI")
                メニュー選択(s, "OWARI");
            else
                Form_KeyPress(s, 27);
        }
        rec_.event("unload");
        Form_Unload(s);
        rec_.take();
        rec_.log.lines.push_back("end");
        endState(s, dir_, rec_.log.lines);
        return std::move(rec_.log);
    }

private:
    // Two people play on without taking a king, to the end of the history.
    void longGame() {
        State& s = *state_;
        menu("START");
        for (int i = 0; i < 1100 && s.game.SHOUHAI() == 0 && !rec_.quit(); ++i)
            if (!aimedMove(true)) break;
    }

    void step() {
        State& s = *state_;
        // Message boxes are answered from the script, OK or Yes when it runs out.
        if (rng_.below(3) == 0) {
            const Answer a[] = {Answer::Ok, Answer::Yes, Answer::No};
            port_.answers.push_back(a[rng_.below(3)]);
        }
        port_.homePageChosen = rng_.below(2) == 0;
        const std::size_t roll = rng_.below(100);
        if (roll < 35) {
            if (s.game.TEBAN() == 0 || s.game.SHOUHAI() != 0 || !aimedMove(false))
                menu(std::string(GAMES[rng_.below(3)]));
        } else if (roll < 55) {
            const int col = int(rng_.below(15)) - 2, row = int(rng_.below(13)) - 1;
            const int button = 1 + int(rng_.below(2));
            click(col, row, button);
        } else if (roll < 75) {
            menu(std::string(CONTROLS[rng_.below(std::size(CONTROLS))]));
        } else if (roll < 84) {
            panel();
        } else if (roll < 93) {
            port_.now += float(rng_.below(3000)) / 1000.0f;
            if (port_.now >= 86400) port_.now -= 86400;  // past midnight
            rec_.event("tick");
            Timer1_Timer(s);
        } else if (roll < 97) {
            const char* up = rng_.below(2) ? "LBEL_UP" : "LEBEL_DOWN";
            if (rng_.below(2) == 0) menu("CANCEL");  // the ladder moves only between games
            for (std::size_t n = 1 + rng_.below(12); n > 0; --n) menu(up);
        } else {
            const int key = "aq\r \b"[rng_.below(5)];
            rec_.event("key " + std::to_string(key));
            Form_KeyPress(s, key);
        }
    }

    void menu(const std::string& control) {
        rec_.event("menu " + control);
        メニュー選択(*state_, control);
    }

    void click(double col, double row, int button) {
        char text[64];
        std::snprintf(text, sizeof text, "click %d at %g %g", button, col, row);
        rec_.event(text);
        Form_MouseDown(*state_, button, 0, cellMiddleX(col), cellMiddleY(row));
    }

    bool aimedMove(bool kingsSpared) {
        const auto all = aims(*state_, kingsSpared);
        if (all.empty()) return false;
        Aim a = all[rng_.below(all.size())];
        // A king in reach is taken half the time, so that games end both ways.
        for (const Aim& k : all)
            if (kindOf(state_->pos.board()[k.tx][k.ty]) == OU && rng_.below(2) == 0) {
                a = k;
                break;
            }
        click(a.fx, a.fy, 1);
        click(a.tx, a.ty, a.button);
        return true;
    }

    // The record panel's controls: names typed and RETURN, a file clicked, another directory.
    void panel() {
        State& s = *state_;
        switch (rng_.below(4)) {
            case 0:
                for (int box = 1; box <= 4; ++box)
                    port_.inputs[std::size_t(box)] = box == 1
                                                         ? NAMES[rng_.below(std::size(NAMES))]
                                                         : PLAYERS[rng_.below(std::size(PLAYERS))];
                rec_.event("return " + port_.inputs[1]);
                Command1_Click(s);
                break;
            case 1: {
                std::vector<std::string> names = {"missing.棋譜"};
                std::error_code gone;  // the file list may show a directory that is no more
                for (const auto& e : fs::directory_iterator(port_.fileDirectory, gone))
                    names.push_back(e.path().filename().string());
                std::sort(names.begin(), names.end());
                const std::string name = names[rng_.below(names.size())];
                rec_.event("file " + name);
                File1_Click(s, name);
                break;
            }
            case 2: {
                const fs::path places[] = {dir_, dir_ / "sub", dir_ / "missing"};
                const fs::path to = places[rng_.below(3)];
                port_.directory = to.string();
                port_.directoryOpens = fs::is_directory(to);
                rec_.event("directory " + to.filename().string());
                Dir1_Change(s);
                break;
            }
            default:
                port_.directoryOpens = true;
                rec_.event("drive");
                Drive1_Change(s);
        }
    }

    Rng rng_;
    fs::path dir_;
    FakePort port_;
    Recorder rec_;
    std::unique_ptr<State> state_;
    bool long_;
};

}  // namespace

Log play(std::uint64_t seed, const fs::path& root) {
    const fs::path dir = root / ("session-" + std::to_string(seed));
    fs::remove_all(dir);
    fs::create_directories(dir / "sub");
    Rng setup(seed * 7919);
    placeWaves(setup, dir);
    write(dir / "Torvane.ini", SETTINGS[setup.below(std::size(SETTINGS))]);
    if (setup.below(2) == 0) fs::remove(dir / "Torvane.ini");
    write(dir / "damaged.棋譜", DAMAGED_RECORD);
    write(dir / "sub" / "empty.棋譜", "");

    // The game keeps its settings file in the directory it was started in.
    struct InDir {
        fs::path old = fs::current_path();
        explicit InDir(const fs::path& p) { fs::current_path(p); }
        ~InDir() { fs::current_path(old); }
    };
    Log log;
    {
        InDir in(dir);
        log = Driver(seed, fs::current_path()).run();
    }
    fs::remove_all(dir);
    return log;
}

std::uint64_t hashLines(const std::vector<std::string>& lines, std::size_t from, std::size_t to) {
    signature::Fnv1a h;
    for (std::size_t i = from; i < to && i < lines.size(); ++i) {
        h.add(lines[i]);
        h.add("\n");
    }
    return h.value;
}

std::string trail(const Log& log) {
    std::string out;
    for (std::size_t e = 0; e < log.eventStarts.size(); ++e) {
        const std::size_t end =
            e + 1 < log.eventStarts.size() ? log.eventStarts[e + 1] : log.lines.size();
        char buf[8];
        std::snprintf(buf, sizeof buf, "%04x",
                      unsigned(hashLines(log.lines, log.eventStarts[e], end) & 0xffff));
        out += buf;
    }
    return out;
}

Signature compute(const fs::path& root, int sessions, const std::function<void(const Log&)>& each) {
    Signature sig;
    signature::Fnv1a total;
    for (int seed = 1; seed <= sessions; ++seed) {
        Log log = play(std::uint64_t(seed), root);
        const std::uint64_t h = hashLines(log.lines, 0, log.lines.size());
        sig.sessions.push_back(h);
        total.add(signature::hex(h));
        sig.trails.push_back(trail(log));
        sig.calls += log.lines.size() - log.eventStarts.size();
        if (each) each(log);
    }
    sig.total = total.value;
    return sig;
}

}  // namespace session
