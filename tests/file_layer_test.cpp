// The player's files under crashes, limits, races and odd attributes: a killed or limited
// write leaves the old file and nothing else, a swapped-in pipe cannot stall a read, the
// replaced file keeps its bits and its link, and a wave header cannot ask for a huge buffer.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

#include "play/record_panel.h"
#include "play/settings.h"
#include "fake_port.h"
#include "mode_seam.h"
#include "files/text_file.h"
#include "files/wave_header.h"
#include "play/setup.h"
#include "play/window_events.h"
#include "record/record_file.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> names(const fs::path& dir) {
    std::set<std::string> out;
    for (const auto& e : fs::directory_iterator(dir)) out.insert(e.path().filename().native());
    return out;
}

int modeOf(const fs::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 0777) : -1;
}

// Runs body in a child; its exit status, or 100 + the signal that ended it.
int inChild(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

// A process id that is surely not running: a child that has ended and been reaped.
pid_t deadPid() {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
}

}  // namespace

TEST(FileLayer, AKilledWriteLeavesTheOldFileAndNothingThatLasts) {
    TempDir dir;
    const fs::path file = dir / "対局.棋譜";
    const std::string a(4 << 20, 'a'), b(4 << 20, 'b');
    ASSERT_TRUE(replaceFile(file, a));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(ready[0]);
        for (int i = 0;; ++i) {
            if (!replaceFile(file, i % 2 ? a : b)) ::_exit(1);
            if (i == 0) (void)!::write(ready[1], "x", 1);
        }
    }
    ::close(ready[1]);
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);  // one write done, the next under way
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ::close(ready[0]);
    const std::string left = TempDir::read(file);
    EXPECT_TRUE(left == a || left == b);
    // A temporary file of a writer that has gone (a crash between naming and renaming) is
    // removed by the next write; one of a running process stays.
    // Only the exact form of the name is ours; any other stays, whoever it names.
    const std::string dead = std::to_string(deadPid());
    const std::set<std::string> stale = {".torvane-" + dead + "-0.tmp",
                                         ".torvane-0" + dead + "-9.tmp"};
    std::set<std::string> kept = {
        "対局.棋譜",
        ".torvane-1-0.tmp",
        ".torvane-" + dead + "-.tmp",
        ".torvane-" + dead + ".tmp",
        ".torvane--0.tmp",
        ".torvane-" + dead + "-0x.tmp",
        ".torvane-" + dead + "x-0.tmp",
        ".torvane-" + dead + "-0.tm",
        "x.torvane-" + dead + "-0.tmp",
        "_torvane-" + dead + "-0.tmp",
        ".torvane-" + std::to_string((1LL << 31) + std::stoll(dead)) + "-0.tmp",
        ".torvane-.tmp"};
    for (const auto& set : {stale, kept})
        for (const std::string& name : set)
            if (name != "対局.棋譜") TempDir::write(dir / name, "x");
    ASSERT_TRUE(replaceFile(file, "done"));
    EXPECT_EQ(names(dir.path()), kept);
}

TEST(FileLayer, AFileSizeLimitFailsTheWriteInsteadOfEndingTheGame) {
    TempDir dir;
    TempDir::write(dir / "big.棋譜", "old");
    const int status = inChild([&] {
        ignoreFileSizeSignal();
        const rlimit small{16, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &small);
        return replaceFile(dir / "big.棋譜", std::string(140000, 'x')) ? 1 : 0;
    });
    EXPECT_EQ(status, 0);  // not 100 + SIGXFSZ
    EXPECT_EQ(TempDir::read(dir / "big.棋譜"), "old");
    EXPECT_EQ(dir.fileCount(), 1u);
}

TEST(FileLayer, APipeSwappedInForTheFileNeverBlocksTheRead) {
    TempDir dir;
    const fs::path file = dir / "r.棋譜";
    ::mkfifo((dir / "fifo").c_str(), 0600);
    TempDir::write(file, "text");
    // Another process swaps the name between a file and a pipe as fast as it can; every read
    // answers at once. The alarm turns a blocked open into a failure instead of a hang.
    const int status = inChild([&] {
        ::alarm(60);
        std::atomic<bool> done{false};
        std::thread swapper([&] {
            while (!done) {
                ::mkfifo((dir / "p").c_str(), 0600);
                ::rename((dir / "p").c_str(), file.c_str());
                TempDir::write(dir / "t", "text");
                ::rename((dir / "t").c_str(), file.c_str());
            }
        });
        int plain = 0, refused = 0;
        for (int i = 0; i < 3000; ++i) {
            const WholeFile f = readWholeFile(file, 100);
            if (f.status == ReadStatus::Ok && f.bytes == "text") ++plain;
            if (f.status == ReadStatus::CannotOpen) ++refused;
        }
        done = true;
        swapper.join();
        return plain + refused == 3000 ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readWholeFile(dir / "fifo", 100).status, ReadStatus::CannotOpen);
}

// The tool may be started with its input closed: a file may then get descriptor 0.
TEST(FileLayer, FilesAreReadAndWrittenWithStandardInputClosed) {
    TempDir dir;
    TempDir::write(dir / "f", "x");
    EXPECT_EQ(inChild([&] {
                  ::close(0);
                  const bool read = readWholeFile(dir / "f", 9).bytes == "x";
                  return read && replaceFile(dir / "f", "y") ? 0 : 1;
              }),
              0);
    EXPECT_EQ(TempDir::read(dir / "f"), "y");
}

TEST(FileLayer, AFileReadAheadAnswersItsFirstReadWithTheBytesReadThen) {
    TempDir dir;
    TempDir::write(dir / "a.wav", "one");
    TempDir::write(dir / "b.wav", "two");
    readAhead({dir / "a.wav", dir / "b.wav", dir / "none.wav"}, 100);
    readAhead({dir / "b.wav"}, 1);                              // once a run: ignored
    EXPECT_EQ(readWholeFile(dir / "b.wav", 100).bytes, "two");  // a was read before it
    TempDir::write(dir / "a.wav", "uno");
    TempDir::write(dir / "b.wav", "dos");
    EXPECT_EQ(readWholeFile(dir / "a.wav", 100).bytes, "one");
    EXPECT_EQ(readWholeFile(dir / "a.wav", 100).bytes, "uno");
    EXPECT_EQ(readWholeFile(dir / "none.wav", 100).status, ReadStatus::Missing);
    EXPECT_EQ(readWholeFile(dir / "b.wav", 1).status, ReadStatus::TooLarge);
}

TEST(FileLayer, PermissionBitsReadOnlyFilesAndLinks) {
    TempDir dir;
    Fixture f;
    ModeTestSeam::SAISHU_TESU(f.s.hist) = 1;
    const fs::path own = dir / "own.棋譜";
    TempDir::write(own, "old");
    ::chmod(own.c_str(), 0600);
    ASSERT_TRUE(書込_棋譜(f.s.hist, f.s.game, f.s.dialog, dir.path(), "own", "g", "s", "g").ok);
    EXPECT_EQ(modeOf(own), 0600);

    const fs::path kept = dir / "kept.棋譜";
    TempDir::write(kept, "old");
    ::chmod(kept.c_str(), 0444);
    f.port.clear();
    EXPECT_FALSE(書込_棋譜(f.s.hist, f.s.game, f.s.dialog, dir.path(), "kept", "g", "s", "g").ok);
    EXPECT_EQ(f.port.only("message"),
              std::vector<std::string>{"message 棋譜ﾌｧｲﾙを作成できません\n\nkept.棋譜 | 棋譜保存"});
    EXPECT_EQ(TempDir::read(kept), "old");

    // The settings file kept with the player's other configuration through a link.
    fs::create_directories(dir / "dotfiles");
    TempDir::write(dir / "dotfiles" / "torvane.ini", "BGM=OFF\r\n");
    fs::create_directories(dir / "config");
    fs::create_symlink("../dotfiles/torvane.ini", dir / "config" / "Torvane.ini");
    f.s.canvas.opt.BGM = true;
    ASSERT_TRUE(書込_環境設定ファイル(f.s.canvas.opt, f.s.window, f.s.dialog,
                                      dir / "config" / "Torvane.ini")
                    .ok);
    EXPECT_TRUE(fs::is_symlink(dir / "config" / "Torvane.ini"));
    EXPECT_NE(TempDir::read(dir / "dotfiles" / "torvane.ini").find("BGM=ON"), std::string::npos);
    EXPECT_EQ(names(dir / "dotfiles"), std::set<std::string>{"torvane.ini"});
    EXPECT_EQ(names(dir / "config"), std::set<std::string>{"Torvane.ini"});
    // A chain of links is followed as far as the system follows one: l1 is 40 from l41.
    for (int i = 0; i <= 40; ++i)
        fs::create_symlink("l" + std::to_string(i + 1), dir / "config" / ("l" + std::to_string(i)));
    EXPECT_FALSE(replaceFile(dir / "config" / "l0", "end"));
    EXPECT_TRUE(replaceFile(dir / "config" / "l1", "end"));
    EXPECT_EQ(TempDir::read(dir / "config" / "l41"), "end");

    // The record panel lists a link to a folder among the folders, one to nothing among files.
    fs::create_directory_symlink("dotfiles", dir / "folder-link");
    fs::create_symlink("nowhere", dir / "dangling");
    std::set<std::string> folders;
    for (const FolderEntry& e : folderEntries(dir.path()))
        if (e.directory) folders.insert(e.name);
    EXPECT_EQ(folders, (std::set<std::string>{"config", "dotfiles", "folder-link"}));

    // Where the file system has no unnamed files: a hidden file of the bytes and the bits asked.
    for (const int mode : {0640, 0}) {
        const fs::path tmp = writeNamedTemporary(dir / "config", "named", mode);
        ASSERT_EQ(tmp.parent_path(), dir / "config");
        EXPECT_TRUE(tmp.filename().string().starts_with(".torvane-"));
        EXPECT_EQ(fs::file_size(tmp), 5u);
        EXPECT_EQ(modeOf(tmp), mode);
        fs::remove(tmp);
    }
    EXPECT_EQ(writeNamedTemporary(dir / "none", "named", -1), fs::path());

    // A write makes 100 tries at a free temporary name each way: it finds the last name free,
    // and with that one taken too it refuses and keeps the file.
    const auto crowdedWrite = [&](unsigned long names, const std::string& bytes) {
        const std::string used = writeNamedTemporary(dir / "config", "", -1).filename().string();
        const std::size_t dash = used.rfind('-');
        for (unsigned long k = 1; k <= names; ++k)
            TempDir::write(dir / "config" /
                               (used.substr(0, dash + 1) +
                                std::to_string(std::stoul(used.substr(dash + 1)) + k) + ".tmp"),
                           "");
        return replaceFile(dir / "config" / "crowded", bytes);
    };
    const int unnamed = ::open((dir / "config").c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    const unsigned long tries = unnamed >= 0 ? 200 : 100;  // without unnamed files, one way
    if (unnamed >= 0) ::close(unnamed);
    EXPECT_TRUE(crowdedWrite(tries - 1, "kept"));
    EXPECT_FALSE(crowdedWrite(tries, "lost"));
    EXPECT_EQ(TempDir::read(dir / "config" / "crowded"), "kept");
}

// A name of any bytes is held as UTF-8: ASCII as it is, any other byte outside a UTF-8
// sequence as one of U+F780..U+F7FF, and given back byte for byte.
TEST(FileLayer, NamesOfAnyBytesAreHeldAsUtf8) {
    const std::string bytes = "\x7f\x80\xff\xe3\x81\x82\xc3\xa9";
    EXPECT_EQ(nameText(bytes), "\x7f\xEF\x9E\x80\xEF\x9F\xBF\xe3\x81\x82\xc3\xa9");
    EXPECT_EQ(nameBytes(nameText(bytes)), bytes);
}

TEST(FileLayer, WaveHeadersOutsideWhatASoundCardPlaysAreRefused) {
    // A RIFF wave file: format 1, channels, rate, bits, then a data chunk of `data` bytes.
    auto wave = [](unsigned channels, unsigned rate, unsigned bits, std::size_t data) {
        std::string w = "RIFF....WAVEfmt ";
        auto put = [&w](unsigned long v, int n) {
            for (int i = 0; i < n; ++i) w += static_cast<char>((v >> (8 * i)) & 0xFF);
        };
        put(16, 4);
        put(1, 2);
        put(channels, 2);
        put(rate, 4);
        put(rate * channels * bits / 8, 4);
        put(channels * bits / 8, 2);
        put(bits, 2);
        w += "data";
        put(data, 4);
        return w + std::string(data, '\0');
    };
    struct Case {
        unsigned channels, rate, bits;
        std::size_t data;
        bool fits;
    };
    // The sound library's own format converts byte for byte: up to the bound, not past it.
    for (const Case& c : {Case{1, 22050, 16, 44100, true}, Case{2, 192000, 32, 4000, true},
                          Case{1, 22050, 16, WAVE_CONVERTED_MAX_BYTES, true},
                          Case{1, 22050, 16, WAVE_CONVERTED_MAX_BYTES + 2, false},
                          Case{1, 1, 16, 20000, false},  // 1 Hz: a 911 MB conversion
                          Case{1, 7999, 16, 100, false}, Case{1, 192001, 16, 100, false},
                          Case{3, 22050, 16, 100, false}, Case{1, 22050, 12, 100, false},
                          Case{0, 22050, 16, 100, false}, Case{1, 8000, 8, 100, true},
                          Case{2, 192000, 24, 600, true}})
        EXPECT_EQ(waveFits(wave(c.channels, c.rate, c.bits, c.data)), c.fits) << c.rate;
    // A data size past the end counts what is there; a chunk of odd size has a pad byte; a
    // format too short is none. A file that is no wave is left to the library.
    std::string lying = wave(1, 22050, 16, 100);
    lying.replace(40, 4, "\xFF\xFF\xFF\xFF");
    const std::string slow = wave(1, 7999, 16, 100);
    const std::string padded =
        slow.substr(0, 36) + std::string("LIST\x03\0\0\0abc\0", 12) + slow.substr(36);
    const std::string shortFormat = lying.substr(0, 16) + std::string("\x0e\0\0\0", 4) +
                                    lying.substr(20, 14) + lying.substr(36);
    for (const auto& [bytes, fits] :
         {std::pair{lying, true}, std::pair{padded, false}, std::pair{shortFormat, false},
          std::pair{slow.substr(0, 11), true}, std::pair{"RIFF....WAVX" + slow.substr(12), true}})
        EXPECT_EQ(waveFits(bytes), fits) << bytes.size();

    // At start-up such a file is refused with the usual message, and nothing is loaded.
    TempDir dir;
    TempDir::write(dir / "BGM.wav", wave(1, 2, 16, 1 << 20));
    Fixture f;
    f.s.places.dataDir = dir.path();
    f.s.places.settingsFile = dir / "Torvane.ini";
    Form_Load(f.s);
    EXPECT_EQ(f.port.only("message"),
              std::vector<std::string>{"message BGM.wav を読み込めません | Torvane.dll"});
    EXPECT_EQ(f.port.count("loadSound"), 0u);
}
