#include "wave.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sound_library {
namespace {

constexpr std::uint64_t kMaxFrames = std::uint64_t{kRate} * 60 * 15;
constexpr unsigned kPcm = 1, kFloat = 3, kExtensible = 0xFFFE;

// The unsigned little-endian number of N bytes at `at`.
template <int N>
std::uint32_t le(std::string_view b, std::size_t at) {
    static_assert(N >= 1 && N <= 4, "held in 32 bits");
    std::uint32_t v = 0;
    for (int i = N - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

struct Format {
    unsigned tag = 0, channels = 0, rate = 0, stride = 0, bits = 0;
};

// One sample as a value from -1 to 1.
double sampleAt(std::string_view b, std::size_t at, const Format& f) {
    switch (f.bits) {
        case 8: return (static_cast<int>(static_cast<unsigned char>(b[at])) - 128) / 128.0;
        case 16: return static_cast<std::int16_t>(le<2>(b, at)) / 32768.0;
        case 24: return static_cast<std::int32_t>(le<3>(b, at) << 8) / 2147483648.0;
        case 32:
            if (f.tag == kPcm) return static_cast<std::int32_t>(le<4>(b, at)) / 2147483648.0;
            {
                const std::uint32_t raw = le<4>(b, at);
                float v;
                std::memcpy(&v, &raw, sizeof v);
                return std::isfinite(v) ? v : 0.0;
            }
        default: {  // 64-bit float
            const std::uint64_t raw = std::uint64_t{le<4>(b, at + 4)} << 32 | le<4>(b, at);
            double v;
            std::memcpy(&v, &raw, sizeof v);
            return std::isfinite(v) ? v : 0.0;
        }
    }
}

std::int16_t toSample(double v) {
    return static_cast<std::int16_t>(std::clamp(std::lround(v * 32768.0), -32768L, 32767L));
}

bool takes(const Format& f) {
    const bool pcm = f.tag == kPcm && (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32);
    const bool real = f.tag == kFloat && (f.bits == 32 || f.bits == 64);
    return (pcm || real) && f.channels >= 1 && f.channels <= 32 && f.rate >= 1 &&
           f.rate <= 768000 && f.stride >= f.channels * (f.bits / 8);
}

// Why the sound of `data` in format `f` is not taken; null when it is.
const char* refusalOf(std::string_view data, const Format& f) {
    if (!takes(f)) return "対応していない形式です";
    const std::uint64_t out = data.size() / f.stride * kRate / f.rate;
    if (out == 0) return "音が入っていません";
    if (out > kMaxFrames) return "長すぎます";
    return nullptr;
}

std::vector<std::int16_t> convert(std::string_view data, const Format& f) {
    const std::uint64_t frames = data.size() / f.stride;
    const std::uint64_t out = frames * kRate / f.rate;
    std::vector<std::int16_t> samples(out);
    if (f.tag == kPcm && f.bits == 16 && f.channels == 1 && f.rate == kRate) {
        for (std::uint64_t i = 0; i < out; ++i)
            samples[i] = static_cast<std::int16_t>(le<2>(data, i * f.stride));
        return samples;
    }
    const unsigned width = f.bits / 8;
    auto mono = [&](std::uint64_t frame) {
        double sum = 0;
        for (unsigned c = 0; c < f.channels; ++c)
            sum += sampleAt(data, frame * f.stride + c * width, f);
        return sum / f.channels;
    };
    // Straight lines between the file's frames: plenty for short effects and for the music.
    const double step = static_cast<double>(f.rate) / kRate;
    for (std::uint64_t i = 0; i < out; ++i) {
        const double at = i * step;
        const auto j = static_cast<std::uint64_t>(at);
        const double here = mono(j), next = j + 1 < frames ? mono(j + 1) : here;
        samples[i] = toSample(here + (next - here) * (at - j));
    }
    return samples;
}

// The format and the sound of a wave file, or why there are none.
const char* parse(std::string_view bytes, Format& format, std::string_view& data) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return "WAVEファイルではありません";
    bool formatSeen = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string_view id = bytes.substr(at, 4);
        const std::size_t size = le<4>(bytes, at + 4);
        const std::size_t body = at + 8;
        // A chunk cut off is a file cut off: refused rather than played in part.
        if (size > bytes.size() - body) return "ファイルが途中で切れています";
        if (id == "fmt ") {
            if (size < 16) return "形式の情報が短すぎます";
            Format f{le<2>(bytes, body), le<2>(bytes, body + 2), le<4>(bytes, body + 4),
                     le<2>(bytes, body + 12), le<2>(bytes, body + 14)};
            if (f.tag == kExtensible && size >= 40) f.tag = le<2>(bytes, body + 24);
            format = f;
            formatSeen = true;
        } else if (id == "data") {
            if (!formatSeen) return "形式の情報がありません";
            data = bytes.substr(body, size);
            return refusalOf(data, format);
        }
        at = body + size + (size & 1);  // chunks are padded to an even length
    }
    return "音が入っていません";
}

}  // namespace

std::optional<std::vector<std::int16_t>> decodeWave(std::string_view bytes) {
    Format format;
    std::string_view data;
    if (parse(bytes, format, data) != nullptr) return std::nullopt;
    return convert(data, format);
}

std::string_view waveRefusal(std::string_view bytes) {
    Format format;
    std::string_view data;
    const char* why = parse(bytes, format, data);
    return why ? why : "";
}

}  // namespace sound_library
