#include "files/wave_header.h"

#include <algorithm>
#include <cstdint>

namespace {

// The unsigned little-endian number of N bytes at `at`.
template <int N>
std::uint32_t le(std::string_view b, std::size_t at) {
    static_assert(N >= 1 && N <= 4, "held in 32 bits");
    std::uint32_t v = 0;
    for (int i = N - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

}  // namespace

bool waveFits(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return true;
    std::uint32_t rate{}, channels{}, bits{};  // read with the format
    bool format = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string_view id = bytes.substr(at, 4);
        const std::size_t size = le<4>(bytes, at + 4);
        const std::size_t body = at + 8;
        const std::size_t left = bytes.size() - body;
        if (id == "fmt " && size >= 16 && left >= 16) {
            channels = le<2>(bytes, body + 2);
            rate = le<4>(bytes, body + 4);
            bits = le<2>(bytes, body + 14);
            format = true;
        } else if (id == "data") {
            if (!format || rate < 8000 || rate > 192000 || channels < 1 || channels > 2 ||
                (bits != 8 && bits != 16 && bits != 24 && bits != 32))
                return false;
            // A size past the end of the file counts only what is there.
            const std::size_t frames = std::min(size, left) / (channels * bits / 8);
            return frames / rate * WAVE_CONVERTED_BYTES_PER_SECOND +
                       frames % rate * WAVE_CONVERTED_BYTES_PER_SECOND / rate <=
                   WAVE_CONVERTED_MAX_BYTES;
        }
        if (size > left) break;
        at = body + size + (size & 1);  // chunks are padded to an even length
    }
    // No sound in it: the sound library refuses it with the same message.
    return true;
}
