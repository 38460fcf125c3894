#include "record/text_file.h"

#include <fcntl.h>
#include <iconv.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <system_error>

namespace {

// Length of the UTF-8 sequence that starts with this byte; 1 for a stray byte.
std::size_t utf8Length(unsigned char c) {
    if (c >= 0xF0 && c <= 0xF4) return 4;
    if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
    if (c >= 0xC2) return 2;
    return 1;
}

// Converts with iconv; a sequence it cannot take is replaced and skipped, so every input
// gives some output and the conversion always ends.
std::string convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement, bool utf8Input) {
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // Without the converter only ASCII can be trusted.
        for (unsigned char c : in) {
            if (c < 0x80)
                out += char(c);
            else
                out += replacement;
        }
        return out;
    }
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buf[1024];
    while (srcLeft > 0) {
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, dst - buf);
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: a character that cannot be taken over.
        out += replacement;
        std::size_t skip = utf8Input ? utf8Length(static_cast<unsigned char>(*src)) : 1;
        if (skip > srcLeft) skip = srcLeft;
        src += skip;
        srcLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* dst = buf;
    std::size_t dstLeft = sizeof buf;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buf, dst - buf);
    iconv_close(cd);
    return out;
}

}  // namespace

std::string toCp932(std::string_view utf8) { return convert("CP932", "UTF-8", utf8, "?", true); }

std::string fromCp932(std::string_view cp932) {
    return convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD", false);
}

std::size_t charCount(std::string_view utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

WholeFile readWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
    WholeFile f;
    std::error_code ec;
    // A directory, a pipe or a device could block or never end.
    if (!std::filesystem::is_regular_file(path, ec)) return f;
    std::FILE* fp = std::fopen(path.c_str(), "rb");
    if (!fp) return f;
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, fp)) > 0) {
        if (f.bytes.size() + n > maxBytes) {
            std::fclose(fp);
            f.bytes.clear();
            f.status = ReadStatus::TooLarge;
            return f;
        }
        f.bytes.append(buf, n);
    }
    bool failed = std::ferror(fp) != 0;
    std::fclose(fp);
    if (failed) {
        f.bytes.clear();
        return f;
    }
    f.status = ReadStatus::Ok;
    return f;
}

bool replaceFile(const std::filesystem::path& path, std::string_view bytes) {
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        // A short hidden name of its own, so that a name near the file system's limit still
        // has room beside it and the record list never shows it.
        const std::filesystem::path tmp =
            path.parent_path() /
            (".torvane-" + std::to_string(::getpid()) + "-" + std::to_string(serial++) + ".tmp");
        int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        bool good = true;
        const char* p = bytes.data();
        std::size_t left = bytes.size();
        while (left > 0) {
            ssize_t w = ::write(fd, p, left);
            if (w < 0) {
                if (errno == EINTR) continue;
                good = false;
                break;
            }
            p += w;
            left -= static_cast<std::size_t>(w);
        }
        if (good && ::fsync(fd) != 0) good = false;
        if (::close(fd) != 0) good = false;
        if (good && std::rename(tmp.c_str(), path.c_str()) == 0) return true;
        ::unlink(tmp.c_str());
        return false;
    }
    return false;
}

bool LineReader::next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    std::size_t end = pos_;
    while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') ++end;
    line = text_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size()) {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
    }
    return true;
}
