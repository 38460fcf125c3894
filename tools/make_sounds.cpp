// Writes the game's sounds into the directory given as the only argument: four effects and
// the background music, all synthesised here, as 16-bit mono PCM wave files at 22050 Hz.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

using Samples = std::vector<double>;

int samplesOf(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

// A fixed noise sequence, so every build writes the same files.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 23) - 1.0;
    }

private:
    std::uint32_t state_;
};

// A decaying two-pole resonance: one mode of a struck body. Scaled so that an impulse rings
// with amplitude 1 whatever the frequency.
class Resonator {
public:
    Resonator(double frequency, double decaySeconds)
        : r_(std::exp(-1.0 / (decaySeconds * kRate))),
          c_(2.0 * r_ * std::cos(kTwoPi * frequency / kRate)),
          scale_(std::sin(kTwoPi * frequency / kRate)) {}
    double step(double in) {
        const double out = c_ * y1_ - r_ * r_ * y2_ + in;
        y2_ = y1_;
        y1_ = out;
        return out * scale_;
    }

private:
    double r_, c_, scale_, y1_ = 0.0, y2_ = 0.0;
};

// Raised-cosine ramps at both ends, so every file starts and ends exactly at zero.
void fadeEnds(Samples& x, double inSeconds, double outSeconds) {
    const int n = static_cast<int>(x.size());
    const int in = std::min(n, samplesOf(inSeconds));
    const int out = std::min(n, samplesOf(outSeconds));
    for (int i = 0; i < in; ++i) x[i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * i / in);
    for (int i = 0; i < out; ++i) x[n - 1 - i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * i / out);
}

void putLE(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

// Scales the samples to the given peak (fraction of full scale) and writes a RIFF WAVE file.
bool writeWave(const std::filesystem::path& path, const Samples& x, double peak) {
    double largest = 0.0;
    for (double v : x) largest = std::max(largest, std::fabs(v));
    const double scale = largest > 0.0 ? peak * 32767.0 / largest : 0.0;
    const auto dataBytes = static_cast<std::uint32_t>(x.size() * 2);
    std::string out;
    out.reserve(44 + dataBytes);
    out += "RIFF";
    putLE(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLE(out, 16, 4);
    putLE(out, 1, 2);  // PCM
    putLE(out, 1, 2);  // mono
    putLE(out, kRate, 4);
    putLE(out, kRate * 2, 4);
    putLE(out, 2, 2);
    putLE(out, 16, 2);
    out += "data";
    putLE(out, dataBytes, 4);
    for (double v : x) {
        const long s = std::clamp(std::lround(v * scale), -32768L, 32767L);
        putLE(out, static_cast<std::uint32_t>(static_cast<std::int16_t>(s)) & 0xffffu, 2);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    file.close();
    return static_cast<bool>(file);
}

// A piece put down on a wooden board: a very short noise strike ringing a few body modes.
Samples pieceClick() {
    Samples x(samplesOf(0.14));
    Noise noise(0x5eed0001u);
    struct Mode {
        double frequency, decay, gain;
    };
    const Mode modes[] = {{180.0, 0.020, 0.35},
                          {640.0, 0.016, 0.8},
                          {1510.0, 0.014, 1.0},
                          {2680.0, 0.009, 0.8},
                          {4150.0, 0.005, 0.45}};
    std::vector<Resonator> body;
    for (const Mode& m : modes) body.emplace_back(m.frequency, m.decay);
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double strike = noise.next() * std::exp(-t / 0.0007);
        double v = 0.08 * strike;
        for (std::size_t k = 0; k < body.size(); ++k) v += modes[k].gain * body[k].step(strike);
        x[i] = v;
    }
    fadeEnds(x, 0.0004, 0.02);
    return x;
}

// A refusal: a short, low, slightly rough buzz of two detuned saw tones.
Samples forbiddenBuzz() {
    Samples x(samplesOf(0.32));
    const double tones[] = {110.0, 116.5};
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double v = 0.0;
        for (double f : tones)
            for (int k = 1; k * f < 4000.0; ++k)
                v += std::sin(kTwoPi * k * f * t) / std::pow(k, 1.3);
        x[i] = v;
    }
    fadeEnds(x, 0.008, 0.06);
    return x;
}

// A bar-like bell partial set: the inharmonic ratios of a free bar, upper ones dying faster.
void addBell(Samples& x, double start, double frequency, double gain) {
    struct Partial {
        double ratio, amplitude, decay;
    };
    const Partial partials[] = {
        {1.0, 1.0, 0.9}, {2.756, 0.45, 0.35}, {5.404, 0.22, 0.15}, {8.933, 0.1, 0.08}};
    const int first = samplesOf(start);
    for (int i = first; i < static_cast<int>(x.size()); ++i) {
        const double t = static_cast<double>(i - first) / kRate;
        const double attack = std::min(1.0, t / 0.002);
        double v = 0.0;
        for (const Partial& p : partials)
            if (p.ratio * frequency < kRate / 2.0)
                v += p.amplitude * std::exp(-t / p.decay) *
                     std::sin(kTwoPi * p.ratio * frequency * t);
        x[i] += gain * attack * v;
    }
}

// The version box: a two-note rising chime.
Samples chime() {
    Samples x(samplesOf(1.3));
    addBell(x, 0.0, 783.99, 0.8);   // G5
    addBell(x, 0.14, 1046.5, 1.0);  // C6
    fadeEnds(x, 0.001, 0.08);
    return x;
}

// The vanish sound: a soft falling sweep with an octave above and a breath of noise.
Samples vanishSweep() {
    const double length = 0.7;
    Samples x(samplesOf(length));
    Noise noise(0x5eed0004u);
    double phase = 0.0;
    double haze = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double f = 1600.0 * std::pow(250.0 / 1600.0, t / length);
        phase += kTwoPi * f / kRate;
        haze = 0.92 * haze + 0.08 * noise.next();  // a gentle low-pass
        const double hump = std::pow(std::sin(std::numbers::pi * t / length), 2.0);
        x[i] = hump * (std::sin(phase) + 0.3 * std::sin(2.0 * phase) + 0.6 * haze);
    }
    fadeEnds(x, 0.002, 0.01);
    return x;
}

double pitch(int midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0); }

// A plucked string in the manner of a koto: harmonics plucked near one end, the upper ones
// fading first. It rings past its written length, then fades to zero by `end`.
void addPluck(Samples& x, int start, int end, double frequency, double gain) {
    end = std::min(end, static_cast<int>(x.size()));
    if (end <= start) return;
    const double stretch = std::pow(440.0 / frequency, 0.3);
    const int fade = std::min(samplesOf(0.3), (end - start) / 2);
    for (int k = 1; k <= 10; ++k) {
        const double fk = k * frequency * std::sqrt(1.0 + 0.0002 * k * k);
        if (fk > 9000.0) break;
        const double amplitude =
            std::fabs(std::sin(k * std::numbers::pi * 0.23)) / std::pow(k, 1.1);
        const double decay = 1.6 * stretch / (1.0 + 0.6 * (k - 1));
        for (int i = start; i < end; ++i) {
            const double t = static_cast<double>(i - start) / kRate;
            double envelope = amplitude * std::exp(-t / decay) * std::min(1.0, t / 0.003);
            if (i >= end - fade)
                envelope *= 0.5 - 0.5 * std::cos(std::numbers::pi * (end - 1 - i) / fade);
            x[i] += gain * envelope * std::sin(kTwoPi * fk * t);
        }
    }
}

// A soft sustained open fifth under a bar, swelling in and out.
void addPad(Samples& x, int start, int end, double root, double gain) {
    end = std::min(end, static_cast<int>(x.size()));
    const int swell = samplesOf(0.5);
    for (int i = start; i < end; ++i) {
        const double t = static_cast<double>(i - start) / kRate;
        const double in = std::min(1.0, static_cast<double>(i - start) / swell);
        const double out = std::min(1.0, static_cast<double>(end - 1 - i) / swell);
        const double envelope =
            std::sin(0.5 * std::numbers::pi * in) * std::sin(0.5 * std::numbers::pi * out);
        x[i] += gain * envelope *
                (std::sin(kTwoPi * root * t) + 0.7 * std::sin(kTwoPi * 1.5 * root * t));
    }
}

// The background music: an eight-bar tune in the yo scale (D E G A B) at 100 beats a minute,
// 19.2 seconds. Every note has died away before the end, so the loop joins without a click.
Samples music() {
    constexpr int kBeat = kRate * 6 / 10;  // 0.6 s
    constexpr int kBars = 8;
    Samples x(static_cast<std::size_t>(kBars) * 4 * kBeat);
    const int loopEnd = static_cast<int>(x.size());
    struct Note {
        int midi;  // 0 = rest
        double beats;
    };
    const std::vector<std::vector<Note>> melody = {
        {{69, 1}, {71, 1}, {74, 2}},          {{76, 1.5}, {74, 0.5}, {71, 1}, {69, 1}},
        {{71, 1}, {69, 1}, {67, 1}, {64, 1}}, {{69, 3}, {0, 1}},
        {{74, 1}, {76, 1}, {79, 2}},          {{76, 1}, {74, 0.5}, {76, 0.5}, {74, 1}, {71, 1}},
        {{69, 1}, {71, 1}, {67, 1}, {64, 1}}, {{62, 3}, {0, 1}},
    };
    // The root of each bar; its fifth is plucked on the third beat.
    const int bass[kBars] = {50, 43, 52, 45, 50, 43, 45, 50};
    const int ring = samplesOf(1.2);
    for (int bar = 0; bar < kBars; ++bar) {
        const int barStart = bar * 4 * kBeat;
        double beat = 0.0;
        for (const Note& note : melody[bar]) {
            const int start = barStart + static_cast<int>(std::lround(beat * kBeat));
            const int length = static_cast<int>(std::lround(note.beats * kBeat));
            if (note.midi != 0)
                addPluck(x, start, std::min(start + length + ring, loopEnd), pitch(note.midi), 1.0);
            beat += note.beats;
        }
        const bool last = bar == kBars - 1;
        addPluck(x, barStart, std::min(barStart + 4 * kBeat + ring, loopEnd), pitch(bass[bar]),
                 0.55);
        if (!last)
            addPluck(x, barStart + 2 * kBeat, barStart + 4 * kBeat + ring, pitch(bass[bar] + 7),
                     0.3);
        addPad(x, barStart, std::min(barStart + 4 * kBeat + samplesOf(0.4), loopEnd),
               pitch(bass[bar] + 12), 0.06);
    }
    fadeEnds(x, 0.002, 0.02);
    return x;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::filesystem::path directory = argv[1];
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    struct Wave {
        const char* name;
        Samples samples;
        double peak;
    };
    const Wave waves[] = {
        {"駒打音.wav", pieceClick(), 0.8}, {"禁止.wav", forbiddenBuzz(), 0.5},
        {"その他.wav", chime(), 0.6},      {"消滅.wav", vanishSweep(), 0.5},
        {"BGM.wav", music(), 0.45},
    };
    for (const Wave& wave : waves) {
        if (!writeWave(directory / wave.name, wave.samples, wave.peak)) {
            std::fprintf(stderr, "cannot write %s\n", (directory / wave.name).string().c_str());
            return 1;
        }
    }
    return 0;
}
