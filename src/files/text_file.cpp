#include "files/text_file.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

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
std::string convert(std::string_view in, std::string_view replacement, bool utf8Input) {
    // ASCII is the same in both encodings; most lines of the files are nothing else.
    if (isAscii(in)) return std::string(in);
    // Opening a converter costs far more than a line's conversion: one per direction and
    // thread, kept.
    struct Converter {
        iconv_t cd;
        Converter(const char* t, const char* f) : cd(iconv_open(t, f)) {}
        ~Converter() {
            if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
        }
    };
    thread_local Converter toCp932Converter("CP932", "UTF-8"), fromCp932Converter("UTF-8", "CP932");
    std::string out;
    iconv_t cd = utf8Input ? toCp932Converter.cd : fromCp932Converter.cd;
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
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // the initial state for the next text
    return out;
}

}  // namespace

std::string toCp932(std::string_view utf8) { return convert(utf8, "?", true); }

std::string fromCp932(std::string_view cp932) { return convert(cp932, "\xEF\xBF\xBD", false); }

std::size_t charCount(std::string_view utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

bool isAscii(std::string_view text) {
    // Eight bytes at a time: the files are mostly ASCII, and long.
    const char* p = text.data();
    const char* const end = p + text.size();
    std::uint64_t high = 0;
    for (; end - p >= 8; p += 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        high |= w;
    }
    for (; p != end; ++p) high |= static_cast<unsigned char>(*p);
    return (high & 0x8080808080808080ULL) == 0;
}

bool isUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = p[i];
        const std::size_t len = utf8Length(c);
        if (len == 1) {
            if (c >= 0x80) return false;
            ++i;
            continue;
        }
        if (i + len > n) return false;
        for (std::size_t k = 1; k < len; ++k)
            if ((p[i + k] & 0xC0) != 0x80) return false;
        // Overlong forms, surrogates and code points past U+10FFFF.
        const unsigned char d = p[i + 1];
        if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0) || (c == 0xF0 && d < 0x90) ||
            (c == 0xF4 && d >= 0x90))
            return false;
        i += len;
    }
    return true;
}

std::string displayName(std::string_view nameBytes) {
    return isUtf8(nameBytes) ? std::string(nameBytes) : fromCp932(nameBytes);
}

bool LineReader::next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    // memchr rather than a loop of its own: the file layer reads whole files line by line.
    auto next = [this](std::size_t& at, char c) {
        if (at > pos_ || (at == pos_ && at < text_.size() && text_[at] == c)) return;
        const void* hit = std::memchr(text_.data() + pos_, c, text_.size() - pos_);
        at = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data())
                 : text_.size();
    };
    next(cr_, '\r');
    next(lf_, '\n');
    const std::size_t end = cr_ < lf_ ? cr_ : lf_;
    line = text_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size()) {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
    }
    return true;
}
