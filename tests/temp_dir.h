#pragma once
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh directory for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir() {
        static int serial = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("torvane-test-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    static std::string read(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void write(const std::filesystem::path& p, const std::string& bytes) {
        std::ofstream out(p, std::ios::binary);
        out << bytes;
    }
    // Entries in the directory, to see that no temporary file was left behind.
    std::size_t fileCount() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(path_)) ++n;
        return n;
    }

private:
    std::filesystem::path path_;
};
