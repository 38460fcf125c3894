#include "files/text_file.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <type_traits>

namespace {

// Length of the UTF-8 sequence that starts with this byte; 1 for a stray byte.
std::size_t utf8Length(unsigned char c) {
    if (c >= 0xF0 && c <= 0xF4) return 4;
    if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
    if (c >= 0xC2) return 2;
    return 1;
}

struct CloseConverter {
    void operator()(iconv_t cd) const { iconv_close(cd); }
};
using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, CloseConverter>;

// A converter, or none where the system lacks one of the encodings.
Converter openConverter(const char* to, const char* from) {
    const iconv_t cd = iconv_open(to, from);
    return Converter(cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd);
}

// Converts with iconv; a sequence it cannot take is replaced and skipped, so every input
// gives some output and the conversion always ends.
std::string convert(std::string_view in, std::string_view replacement, bool utf8Input) {
    // ASCII is the same in both encodings; most lines of the files are nothing else.
    if (isAscii(in)) return std::string(in);
    // Opening a converter costs far more than a line's conversion: one per direction and
    // thread, kept.
    thread_local const Converter toCp932Converter = openConverter("CP932", "UTF-8"),
                                 fromCp932Converter = openConverter("UTF-8", "CP932");
    std::string out;
    iconv_t cd = utf8Input ? toCp932Converter.get() : fromCp932Converter.get();
    if (cd == nullptr) {
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
    char buf[BUFSIZ];
    while (srcLeft > 0) {
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, dst - buf);
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: a character that cannot be taken over.
        out += replacement;
        const std::size_t skip =
            std::min(utf8Input ? utf8Length(static_cast<unsigned char>(*src)) : 1, srcLeft);
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

std::string toCp932(std::string_view utf8) {
    // iconv drops Unicode tag characters (U+E0000..U+E007F, F3 A0 80..81 xx) without a word;
    // CP932 has none, so they become "?" like any other missing character.
    if (utf8.find("\xF3\xA0") == std::string_view::npos) return convert(utf8, "?", true);
    std::string text;
    for (std::size_t i = 0; i < utf8.size();) {
        if (i + 4 <= utf8.size() && utf8[i] == '\xF3' && utf8[i + 1] == '\xA0' &&
            (utf8[i + 2] == '\x80' || utf8[i + 2] == '\x81') &&
            (static_cast<unsigned char>(utf8[i + 3]) & 0xC0) == 0x80) {
            text += '?';
            i += 4;
        } else {
            text += utf8[i++];
        }
    }
    return convert(text, "?", true);
}

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
    if (isUtf8(nameBytes)) return std::string(nameBytes);
    constexpr std::string_view REPLACEMENT = "\xEF\xBF\xBD";
    std::string decoded = fromCp932(nameBytes);
    if (decoded.find(REPLACEMENT) == std::string::npos) return decoded;
    // Neither encoding throughout: what is UTF-8 stays, each other byte is a replacement mark.
    decoded.clear();
    for (std::size_t i = 0; i < nameBytes.size();) {
        const std::size_t len = utf8Length(static_cast<unsigned char>(nameBytes[i]));
        const bool whole = i + len <= nameBytes.size() && isUtf8(nameBytes.substr(i, len));
        decoded += whole ? nameBytes.substr(i, len) : REPLACEMENT;
        i += whole ? len : 1;
    }
    return decoded;
}

namespace {

constexpr unsigned KEPT_BYTE_BASE = 0xF700;  // byte b (0x80..0xFF) as U+F700 + b

void appendCodePoint(std::string& out, unsigned cp) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
}

// Whether a text holds a character of the range that stands for kept bytes: a name that
// really has one keeps its bytes one by one too, or it would come back as other bytes.
bool holdsKeptRange(std::string_view text) {
    return text.find("\xEF\x9E") != std::string_view::npos ||
           text.find("\xEF\x9F") != std::string_view::npos;
}

}  // namespace

std::string nameText(std::string_view bytes) {
    if (isUtf8(bytes) && !holdsKeptRange(bytes)) return std::string(bytes);
    std::string out;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t len = utf8Length(static_cast<unsigned char>(bytes[i]));
        if (len > 1 && i + len <= bytes.size() && isUtf8(bytes.substr(i, len)) &&
            !holdsKeptRange(bytes.substr(i, len))) {
            out += bytes.substr(i, len);
            i += len;
        } else if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            out += bytes[i++];
        } else {
            appendCodePoint(out, KEPT_BYTE_BASE + static_cast<unsigned char>(bytes[i++]));
        }
    }
    return out;
}

std::string nameBytes(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        // U+F780..U+F7FF are EF 9E 80..EF 9F BF.
        if (i + 3 <= text.size() && text[i] == '\xEF' &&
            (text[i + 1] == '\x9E' || text[i + 1] == '\x9F') &&
            (static_cast<unsigned char>(text[i + 2]) & 0xC0) == 0x80) {
            const unsigned cp = ((static_cast<unsigned char>(text[i + 1]) & 0x3F) << 6) |
                                (static_cast<unsigned char>(text[i + 2]) & 0x3F);
            out += static_cast<char>(0xF000 + cp - KEPT_BYTE_BASE);
            i += 3;
        } else {
            out += text[i++];
        }
    }
    return out;
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
