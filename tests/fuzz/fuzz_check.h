#pragma once
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <string>

// A broken property is a crash to the fuzzer: it keeps the input and stops.
#define FUZZ_CHECK(cond, ...)                                                                  \
    do {                                                                                       \
        if (!(cond)) {                                                                         \
            std::fprintf(stderr, "property failed at %s:%d: %s\n", __FILE__, __LINE__, #cond); \
            std::fprintf(stderr, __VA_ARGS__);                                                 \
            std::fprintf(stderr, "\n");                                                        \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

// A file of this process in tmpfs where there is one, so that the disk sees no traffic. It
// is removed when the guard goes: libFuzzer ends without running exit handlers.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name) : path_(base() / (prefix() + name)) {}
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    static const std::filesystem::path& base() {
        static const std::filesystem::path dir = [] {
            std::error_code ec;
            const std::filesystem::path shm = "/dev/shm";
            if (std::filesystem::is_directory(shm, ec) && ::access(shm.c_str(), W_OK) == 0)
                return shm;
            return std::filesystem::temp_directory_path();
        }();
        return dir;
    }
    static std::string prefix() { return "torvane-fuzz-" + std::to_string(::getpid()) + "-"; }
    std::filesystem::path path_;
};

inline void writeBytes(const std::filesystem::path& p, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(p.c_str(), "wb");
    FUZZ_CHECK(f != nullptr, "cannot create %s", p.c_str());
    FUZZ_CHECK(size == 0 || std::fwrite(data, 1, size, f) == size, "cannot write %s", p.c_str());
    FUZZ_CHECK(std::fclose(f) == 0, "cannot close %s", p.c_str());
}
