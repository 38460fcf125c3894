// Bounded reads and the atomic replace of the player's files.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <future>
#include <map>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#include "files/text_file.h"

namespace fs = std::filesystem;

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (*this) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }  // 0 too: standard input may be closed
    // Closes now; false when the close reports an error (a delayed write error among them).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        left -= static_cast<std::size_t>(w);
    }
    return true;
}

constexpr std::string_view TEMP_PREFIX = ".torvane-";
constexpr std::string_view TEMP_SUFFIX = ".tmp";

// A short hidden name of its own, so that a name near the file system's limit still has room
// beside it and the record list never shows it.
fs::path tempName(const fs::path& dir) {
    static std::atomic<unsigned> serial;
    return dir / (std::string(TEMP_PREFIX) + std::to_string(::getpid()) + "-" +
                  std::to_string(serial++) + std::string(TEMP_SUFFIX));
}

// The process that made a temporary file of ours, from its name; none for any other name.
std::optional<pid_t> tempOwner(std::string_view name) {
    if (name.size() <= TEMP_PREFIX.size() + TEMP_SUFFIX.size() || !name.starts_with(TEMP_PREFIX) ||
        !name.ends_with(TEMP_SUFFIX))
        return std::nullopt;
    name = name.substr(TEMP_PREFIX.size(), name.size() - TEMP_PREFIX.size() - TEMP_SUFFIX.size());
    long long pid = 0;
    std::size_t i = 0;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9' && pid < (1LL << 31); ++i)
        pid = pid * 10 + (name[i] - '0');
    if (i >= name.size() || name[i] != '-' || i + 1 == name.size()) return std::nullopt;
    for (std::size_t k = i + 1; k < name.size(); ++k)
        if (name[k] < '0' || name[k] > '9') return std::nullopt;
    if (pid >= (1LL << 31)) return std::nullopt;
    // No digits at all leave pid 0, which asks after our own process group below: alive.
    return static_cast<pid_t>(pid);
}

// A write killed between naming its file and the rename leaves the file behind; those of
// processes that have ended are removed before the next write into the folder.
void removeStaleTemporaries(const fs::path& dir) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return;
    while (const dirent* e = ::readdir(d)) {
        const std::optional<pid_t> owner = tempOwner(e->d_name);
        if (owner && *owner != ::getpid() && ::kill(*owner, 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(d), e->d_name, 0);
    }
    ::closedir(d);
}

// The file a write to path replaces: path itself, or where its symbolic links lead, through
// as many links as the system itself follows (40).
fs::path finalTarget(const fs::path& path) {
    fs::path p = path;
    for (int links = 0; links <= 40; ++links) {
        std::error_code ec;
        if (!fs::is_symlink(p, ec)) return p;
        const fs::path to = fs::read_symlink(p, ec);
        if (ec) return {};
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return {};  // a loop
}

void syncDirectory(const fs::path& dir) {
    Descriptor d(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Some file systems cannot sync a directory; the rename is then as durable as they allow.
    if (d) ::fsync(d.get());
}

// The contents, synced, under a fresh hidden name in dir; that name, or empty on failure.
// An unnamed file is named only once it is complete, so a killed write leaves nothing.
fs::path writeTemporary(const fs::path& dir, std::string_view bytes, int mode) {
    const char* dirName = dir.empty() ? "." : dir.c_str();
    Descriptor fd(::open(dirName, O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (fd) {
        if (!writeAll(fd.get(), bytes) || (mode >= 0 && ::fchmod(fd.get(), mode) != 0) ||
            ::fsync(fd.get()) != 0)
            return {};
        const std::string self = "/proc/self/fd/" + std::to_string(fd.get());
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path tmp = tempName(dir);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, tmp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                if (fd.close()) return tmp;
                ::unlink(tmp.c_str());
                return {};
            }
            if (errno != EEXIST) break;  // no /proc: the named way below
        }
    }
    // No unnamed file here (the file system has none, or the open failed): the named way, which
    // fails in its turn where no file can be made at all.
    return writeNamedTemporary(dir, bytes, mode);
}

}  // namespace

fs::path writeNamedTemporary(const fs::path& dir, std::string_view bytes, int mode) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path tmp = tempName(dir);
        Descriptor named(::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!named) {
            if (errno == EEXIST) continue;
            return {};
        }
        if (writeAll(named.get(), bytes) && (mode < 0 || ::fchmod(named.get(), mode) == 0) &&
            ::fsync(named.get()) == 0 && named.close())
            return tmp;
        ::unlink(tmp.c_str());
        return {};
    }
    return {};
}

namespace {

WholeFile readFile(const fs::path& path, std::size_t maxBytes) {
    WholeFile f;
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd) {
        if (errno == ENOENT || errno == ENOTDIR) f.status = ReadStatus::Missing;
        return f;
    }
    // A directory, a pipe or a device could block or never end.
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return f;
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        f.status = ReadStatus::TooLarge;
        return f;
    }
    f.bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[BUFSIZ];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            f.bytes.clear();
            return f;
        }
        if (n == 0) break;
        // The file may have grown since it was looked at.
        if (f.bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            f.bytes.clear();
            f.status = ReadStatus::TooLarge;
            return f;
        }
        f.bytes.append(buf, static_cast<std::size_t>(n));
    }
    f.status = ReadStatus::Ok;
    return f;
}

// The files being read ahead; each is taken by the first read that asks for it.
struct FilesAhead {
    std::mutex mutex;
    std::map<fs::path, std::future<WholeFile>> files;
    std::size_t maxBytes = 0;
    std::thread reader;
    ~FilesAhead() {
        if (reader.joinable()) reader.join();
    }
};

FilesAhead& filesAhead() {
    static FilesAhead ahead;
    return ahead;
}

}  // namespace

void readAhead(std::vector<fs::path> paths, std::size_t maxBytes) {
    FilesAhead& ahead = filesAhead();
    std::vector<std::promise<WholeFile>> reads(paths.size());
    std::lock_guard lock(ahead.mutex);
    if (ahead.reader.joinable()) return;
    ahead.maxBytes = maxBytes;
    for (std::size_t i = 0; i < paths.size(); ++i)
        ahead.files.emplace(paths[i], reads[i].get_future());
    ahead.reader =
        std::thread([paths = std::move(paths), maxBytes, reads = std::move(reads)]() mutable {
            for (std::size_t i = 0; i < paths.size(); ++i)
                reads[i].set_value(readFile(paths[i], maxBytes));
        });
}

WholeFile readWholeFile(const fs::path& path, std::size_t maxBytes) {
    FilesAhead& ahead = filesAhead();
    std::unique_lock lock(ahead.mutex);
    if (auto it = ahead.files.find(path); it != ahead.files.end() && maxBytes == ahead.maxBytes) {
        std::future<WholeFile> read = std::move(it->second);
        ahead.files.erase(it);
        lock.unlock();
        return read.get();
    }
    lock.unlock();
    return readFile(path, maxBytes);
}

bool replaceFile(const fs::path& path, std::string_view bytes) {
    const fs::path target = finalTarget(path);
    if (target.empty()) return false;
    int mode = -1;  // a new file takes the usual bits under the umask
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) return false;
        // Read-only for everyone: the player keeps this file as it is.
        if ((st.st_mode & 0222) == 0) return false;
        mode = static_cast<int>(st.st_mode & 0777);
    } else if (errno != ENOENT) {
        return false;
    }
    const fs::path dir = target.parent_path();
    removeStaleTemporaries(dir);
    const fs::path tmp = writeTemporary(dir, bytes, mode);
    if (tmp.empty()) return false;
    if (std::rename(tmp.c_str(), target.c_str()) != 0) {
        ::unlink(tmp.c_str());
        return false;
    }
    syncDirectory(dir);
    return true;
}

bool moveAside(const fs::path& path, const fs::path& to) {
    return std::rename(path.c_str(), to.c_str()) == 0;
}

void ignoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

std::vector<FolderEntry> folderEntries(const fs::path& dir) {
    std::vector<FolderEntry> entries;
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return entries;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name = e->d_name;
        if (name == "." || name == "..") continue;
        bool directory = e->d_type == DT_DIR;
        if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            struct stat st {};
            directory = ::fstatat(::dirfd(d), e->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        entries.push_back({std::string(name), directory});
    }
    ::closedir(d);
    return entries;
}
