// CP932 decoding and encoding: no input crashes either direction, every output is well-formed,
// and what decoding gives survives an encode and a second decode unchanged.
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "files/text_file.h"

namespace {

const std::string_view REPLACEMENT = "\xEF\xBF\xBD";

// Well-formed UTF-8 without overlong forms, surrogates or code points past U+10FFFF.
bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n;
        unsigned cp;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF)
            n = 2, cp = c & 0x1F;
        else if (c >= 0xE0 && c <= 0xEF)
            n = 3, cp = c & 0x0F;
        else if (c >= 0xF0 && c <= 0xF4)
            n = 4, cp = c & 0x07;
        else
            return false;
        if (i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k) {
            const unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view in(reinterpret_cast<const char*>(data), size);

    // The bytes as a file's text.
    const std::string text = fromCp932(in);
    FUZZ_CHECK(validUtf8(text), "decoding gave broken UTF-8");
    FUZZ_CHECK(charCount(text) <= size, "%zu characters from %zu bytes", charCount(text), size);
    const std::string bytes = toCp932(text);
    const std::string back = fromCp932(bytes);
    if (text.find(REPLACEMENT) == std::string::npos) {
        // Every character came from CP932, so CP932 has each of them.
        FUZZ_CHECK(back == text, "decode(encode(decode(x))) differs from decode(x)");
        FUZZ_CHECK(toCp932(back) == bytes, "encoding is not stable");
    } else {
        FUZZ_CHECK(charCount(back) == charCount(text), "a replaced character changed the length");
    }

    // The same judgement of UTF-8 as the settings reader's, and a name always shows as text.
    FUZZ_CHECK(isUtf8(in) == validUtf8(in), "isUtf8 says %d", int(isUtf8(in)));
    FUZZ_CHECK(validUtf8(displayName(in)), "a name shows as broken UTF-8");

    // The bytes as text the program writes: whatever it holds, the file reads back cleanly.
    const std::string encoded = toCp932(in);
    const std::string decoded = fromCp932(encoded);
    FUZZ_CHECK(decoded.find(REPLACEMENT) == std::string::npos,
               "encoding produced bytes that do not decode");
    if (validUtf8(in))
        FUZZ_CHECK(charCount(decoded) == charCount(in), "%zu characters written as %zu",
                   charCount(in), charCount(decoded));
    return 0;
}
