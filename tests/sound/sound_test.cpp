#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "sound_library.h"
#include "wave.h"

using namespace sound_library;
namespace fs = std::filesystem;

namespace {

const fs::path kPlayDir = TORVANE_PLAY_DIR;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}

std::vector<std::int16_t> samplesOf(const std::string& bytes, std::size_t from) {
    std::vector<std::int16_t> s;
    for (std::size_t i = from; i + 1 < bytes.size(); i += 2)
        s.push_back(static_cast<std::int16_t>(le(bytes, i, 2)));
    return s;
}

// Where sound (any sample not zero) begins and ends in a run of samples, and how loud it is.
struct Heard {
    long first = -1, last = -1;
    int peak = 0;
    long span() const { return first < 0 ? 0 : last - first + 1; }
};

Heard hear(const std::vector<std::int16_t>& s, std::size_t from = 0) {
    Heard h;
    for (std::size_t i = from; i < s.size(); ++i) {
        if (s[i] == 0) continue;
        if (h.first < 0) h.first = static_cast<long>(i);
        h.last = static_cast<long>(i);
        h.peak = std::max(h.peak, std::abs(static_cast<int>(s[i])));
    }
    return h;
}

// The file device writes what it plays, faster than real time; the audio thread is not the
// test's, so the test can only look again until it shows (within 2 s).
template <class Condition>
bool eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

constexpr int kOutputRate = 22050;  // mono 16-bit: one sample a frame

class DiskDevice : public ::testing::Test {
protected:
    void SetUp() override {
        static int serial = 0;
        output_ = fs::temp_directory_path() / ("torvane-sound-" + std::to_string(::getpid()) + "-" +
                                               std::to_string(serial++) + ".raw");
        ::setenv("TORVANE_SOUND", ("file:" + output_.string()).c_str(), 1);
        device_ = dsInitialize();
        ASSERT_NE(device_, 0);
    }
    void TearDown() override {
        dsTerminate(device_);
        std::error_code ec;
        fs::remove(output_, ec);
    }
    std::vector<std::int16_t> output() const { return samplesOf(readAll(output_), 0); }
    int load(const char* name, int flag) {
        return dsCreateDSB(device_, readAll(kPlayDir / name), flag);
    }

    fs::path output_;
    int device_ = 0;
};

// The click lasts 0.14 s: as samples of the device's mono output.
const long kClickSamples = static_cast<long>(0.14 * kOutputRate);

TEST_F(DiskDevice, APiecePutDownIsHeardOnceInFull) {
    const int koma = load("駒打音.wav", 3);
    ASSERT_NE(koma, 0);
    ASSERT_EQ(dsPlay(koma), 1);
    // Wait until well past its end, then it must have sounded loud, once, and no longer.
    ASSERT_TRUE(eventually([&] {
        const auto s = output();
        const Heard h = hear(s);
        return h.first >= 0 && static_cast<long>(s.size()) > h.first + kClickSamples + 16384;
    }));
    const Heard h = hear(output());
    EXPECT_GT(h.peak, 16000);
    EXPECT_GT(h.span(), kClickSamples / 2);
    EXPECT_LE(h.span(), kClickSamples + 256);
}

TEST_F(DiskDevice, ALoopGoesOnUntilStoppedThenSilence) {
    const int koma = load("駒打音.wav", 1);
    ASSERT_NE(koma, 0);
    ASSERT_EQ(dsPlayLooping(koma), 1);
    ASSERT_EQ(dsPlayLooping(koma), 1);  // already looping: carries on
    // Three clicks' worth of sound can only come from a loop.
    ASSERT_TRUE(eventually([&] { return hear(output()).span() > 3 * kClickSamples; }));
    EXPECT_FALSE(closeIdleDevice()) << "a looping sound keeps the device open";
    ASSERT_EQ(dsStop(koma), 1);
    // What the mixer had already handed over may still be written; after that, silence.
    const std::size_t stoppedAt = output().size() + 16384;
    ASSERT_TRUE(eventually([&] { return output().size() > stoppedAt + 32768; }));
    EXPECT_EQ(hear(output(), stoppedAt).first, -1);
    EXPECT_TRUE(closeIdleDevice());
}

TEST_F(DiskDevice, SixteenSoundsAtOnceAndNoMore) {
    std::vector<int> loops;
    for (int i = 0; i < 17; ++i) loops.push_back(load("駒打音.wav", 1));
    for (int i = 0; i < 16; ++i) EXPECT_EQ(dsPlayLooping(loops[i]), 1) << i;
    EXPECT_EQ(dsPlayLooping(loops[16]), 0);
    EXPECT_EQ(dsStop(loops[0]), 1);
    EXPECT_EQ(dsPlayLooping(loops[16]), 1);  // the voice set free
    // The music keeps one instance: played again, it starts over in the one free voice.
    const int bgm = load("BGM.wav", 1);
    EXPECT_EQ(dsStop(loops[1]), 1);
    EXPECT_EQ(dsPlay(bgm), 1);
    EXPECT_EQ(dsPlay(bgm), 1);
}

TEST_F(DiskDevice, AnIdleDeviceClosesAndTheNextSoundOpensIt) {
    const int koma = load("駒打音.wav", 3);
    ASSERT_NE(koma, 0);
    EXPECT_TRUE(deviceIsOpen());
    EXPECT_TRUE(closeIdleDevice());
    EXPECT_FALSE(deviceIsOpen());
    // Buffers outlive the device, and a sound brings it back.
    ASSERT_EQ(dsPlay(koma), 1);
    EXPECT_TRUE(deviceIsOpen());
    EXPECT_TRUE(eventually([&] { return hear(output()).peak > 16000; }));
    // Stopping and freeing with the device closed are fine too.
    ASSERT_TRUE(eventually([] { return closeIdleDevice(); }));
    EXPECT_EQ(dsStop(koma), 1);
    EXPECT_EQ(dsFree(koma), 1);
    EXPECT_FALSE(deviceIsOpen());
}

// Start-up loads the five files in this order and shutdown frees them in the same order.
TEST_F(DiskDevice, TheGamesSoundsLoadPlayAndAreReleased) {
    const struct {
        const char* name;
        int flag;
    } files[] = {
        {"その他.wav", 3}, {"禁止.wav", 3}, {"駒打音.wav", 3}, {"BGM.wav", 1}, {"消滅.wav", 1}};
    std::vector<int> handles;
    for (const auto& f : files) {
        handles.push_back(load(f.name, f.flag));
        EXPECT_NE(handles.back(), 0) << f.name;
    }
    for (std::size_t i = 0; i < handles.size(); ++i)
        for (std::size_t j = i + 1; j < handles.size(); ++j) EXPECT_NE(handles[i], handles[j]);
    const int bgm = handles[3];
    EXPECT_EQ(dsPlayLooping(bgm), 1);
    EXPECT_EQ(dsPlay(handles[2]), 1);
    EXPECT_EQ(dsPlay(handles[2]), 1);  // effects may overlap
    EXPECT_TRUE(eventually([&] { return hear(output()).peak > 8000; }));
    EXPECT_EQ(dsStop(bgm), 1);
    for (int h : handles) EXPECT_EQ(dsFree(h), 1);
    for (int h : handles) {
        EXPECT_EQ(dsPlay(h), 0) << "a freed buffer is unknown";
        EXPECT_EQ(dsFree(h), 0);
    }
    EXPECT_EQ(dsTerminate(device_), 1);
    EXPECT_EQ(dsTerminate(device_), 0);
    // A new device gets a new handle, and nothing of the old one answers.
    const int old = device_;
    device_ = dsInitialize();
    ASSERT_NE(device_, 0);
    EXPECT_NE(device_, old);
    EXPECT_EQ(dsInitialize(), device_);
    EXPECT_EQ(dsCreateDSB(old, readAll(kPlayDir / "駒打音.wav"), 3), 0);
}

TEST_F(DiskDevice, BuffersStillHeldAreReleasedByTerminate) {
    const int koma = load("駒打音.wav", 3);
    ASSERT_NE(koma, 0);
    ASSERT_EQ(dsPlayLooping(koma), 1);
    EXPECT_EQ(dsTerminate(device_), 1);
    EXPECT_FALSE(deviceIsOpen());
    EXPECT_EQ(dsPlay(koma), 0);
    EXPECT_EQ(dsStop(koma), 0);
    EXPECT_EQ(dsFree(koma), 0);
}

TEST_F(DiskDevice, BytesThatAreNoCompleteWaveGiveNoBuffer) {
    const std::string good = readAll(kPlayDir / "駒打音.wav");
    ASSERT_GT(good.size(), 1000u);
    std::string noSamples = good.substr(0, 44);  // header promising data that is not there
    std::string emptyData = noSamples;
    emptyData.replace(40, 4, std::string(4, '\0'));
    emptyData.replace(4, 4, std::string("\x24\0\0\0", 4));
    std::string zeroChannels = good;
    zeroChannels[22] = 0;
    std::string notWave = good;
    notWave.replace(8, 4, "AVI ");
    const std::string bad[] = {"",
                               "garbage",
                               std::string(4096, '\x5a'),
                               std::string("\xff\xfb\x90\x00", 4) + std::string(4096, '\x11'),
                               "RIFF",
                               good.substr(0, 12),
                               good.substr(0, 30),
                               noSamples,
                               emptyData,
                               good.substr(0, good.size() / 2),
                               good.substr(0, good.size() - 1),
                               zeroChannels,
                               notWave};
    for (std::size_t i = 0; i < std::size(bad); ++i)
        EXPECT_EQ(dsCreateDSB(device_, bad[i], 3), 0) << i;
    EXPECT_EQ(dsCreateDSB(0, good, 3), 0);
    EXPECT_EQ(dsCreateDSB(device_ + 1, good, 3), 0);
    EXPECT_NE(dsCreateDSB(device_, good, 3), 0);
}

void expectEveryCallHarmless(int device) {
    for (int h : {0, 7, 12345, -1}) {
        EXPECT_EQ(dsPlay(h), 0);
        EXPECT_EQ(dsPlayLooping(h), 0);
        EXPECT_EQ(dsStop(h), 0);
        EXPECT_EQ(dsFree(h), 0);
        EXPECT_EQ(dsCreateDSB(h == 0 ? device : 0, "", 3), 0);
    }
    EXPECT_EQ(dsTerminate(0), 0);
    EXPECT_EQ(dsTerminate(12345), 0);
}

TEST_F(DiskDevice, UnknownHandlesDoNothing) { expectEveryCallHarmless(device_); }

TEST(NoDevice, InitialiseAnswersZeroAndEverythingElseIsHarmless) {
    ::setenv("TORVANE_SOUND", "none", 1);
    EXPECT_EQ(dsInitialize(), 0);
    EXPECT_EQ(dsCreateDSB(0, readAll(kPlayDir / "駒打音.wav"), 3), 0);
    expectEveryCallHarmless(0);
    EXPECT_FALSE(deviceIsOpen());
    EXPECT_TRUE(closeIdleDevice());
    // A device that cannot open (a file it cannot write, a sound card that is not there) is
    // no device.
    for (const char* device : {"file:/nonexistent-directory/out.raw", "alsa:hw:99", "sdl"}) {
        ::setenv("TORVANE_SOUND", device, 1);
        EXPECT_EQ(dsInitialize(), 0) << device;
        expectEveryCallHarmless(0);
    }
}

std::string bytesOf(std::uint64_t v, unsigned count) {
    std::string b;
    for (unsigned i = 0; i < count; ++i) b += static_cast<char>(v >> (8 * i) & 0xff);
    return b;
}

// ALSA's own null device takes sound as fast as it is given: the library plays on it, paced,
// and lets it go.
TEST(AlsaDevice, TheNullDeviceOpensPlaysAndCloses) {
    ::setenv("TORVANE_SOUND", "alsa:null", 1);
    const int device = dsInitialize();
    ASSERT_NE(device, 0);
    const int koma = dsCreateDSB(device, readAll(kPlayDir / "駒打音.wav"), 3);
    EXPECT_EQ(dsPlay(koma), 1);
    EXPECT_EQ(dsPlayLooping(koma), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(deviceIsOpen());
    EXPECT_EQ(dsStop(koma), 1);
    EXPECT_TRUE(closeIdleDevice());
    EXPECT_EQ(dsTerminate(device), 1);
}

// A wave file of a 200 Hz tone at half strength in every channel (0.2 s unless `frames` says),
// in any format; tag 0xFFFE writes the extensible header around the plain format `inner`.
// It starts a radian into its wave, so that its first sample is heard too.
std::string toneWave(unsigned tag, unsigned channels, unsigned rate, unsigned bits,
                     unsigned inner = 0, unsigned frames = 0) {
    if (frames == 0) frames = rate / 5;
    const bool real = (tag == 0xFFFE ? inner : tag) == 3;
    std::string data;
    for (unsigned i = 0; i < frames; ++i) {
        const double x = 0.5 * std::sin(2 * std::acos(-1.0) * 200 * i / rate + 1);
        std::uint64_t v;
        if (real && bits == 32) {
            const float f = static_cast<float>(x);
            std::uint32_t raw;
            std::memcpy(&raw, &f, 4);
            v = raw;
        } else if (real) {
            std::memcpy(&v, &x, 8);
        } else {
            v = static_cast<std::uint64_t>(std::llround(x * ((1LL << (bits - 1)) - 1)) +
                                           (bits == 8 ? 128 : 0));
        }
        for (unsigned c = 0; c < channels; ++c) data += bytesOf(v, bits / 8);
    }
    const unsigned align = channels * bits / 8;
    std::string format = bytesOf(tag, 2) + bytesOf(channels, 2) + bytesOf(rate, 4) +
                         bytesOf(rate * align, 4) + bytesOf(align, 2) + bytesOf(bits, 2);
    if (tag == 0xFFFE)
        format += bytesOf(22, 2) + bytesOf(bits, 2) + bytesOf(0, 4) + bytesOf(inner, 2) +
                  std::string(14, '\0');
    const std::string chunks =
        "WAVEfmt " + bytesOf(format.size(), 4) + format + "data" + bytesOf(data.size(), 4) + data;
    return "RIFF" + bytesOf(chunks.size(), 4) + chunks;
}

// A sound is heard from its first sample, every sample as the file has it.
TEST_F(DiskDevice, ASoundIsHeardFromItsFirstSample) {
    const std::string wave = toneWave(1, 1, kOutputRate, 16, 0, 400);
    const auto samples = decodeWave(wave);
    ASSERT_TRUE(samples.has_value());
    ASSERT_EQ(dsPlay(dsCreateDSB(device_, wave, 0)), 1);
    ASSERT_TRUE(eventually([&] { return output().size() > 4096; }));
    const auto out = output();
    const Heard h = hear(out);
    ASSERT_GE(h.first, 0);
    EXPECT_EQ(std::vector<std::int16_t>(out.begin() + h.first, out.begin() + h.first + 400),
              *samples);
}

// The game shows why a wave file that is there gives no sound: each fault its own reason.
TEST(WaveDecoding, EveryRefusedFileSaysWhy) {
    const std::string good = toneWave(1, 1, 22050, 16);
    auto changed = [&](std::size_t at, std::string bytes) {
        std::string w = good;
        return w.replace(at, bytes.size(), bytes);
    };
    const std::string empty = good.substr(0, 40) + bytesOf(0, 4);
    const struct {
        std::string bytes;
        std::string_view why;
    } cases[] = {
        {"", "WAVEファイルではありません"},
        {std::string(4096, 'x'), "WAVEファイルではありません"},
        {changed(40, bytesOf(1 << 30, 4)), "ファイルが途中で切れています"},  // data size lies
        {changed(16, bytesOf(1 << 30, 4)), "ファイルが途中で切れています"},  // fmt size lies
        {changed(16, bytesOf(8, 4)), "形式の情報が短すぎます"},
        {"RIFF" + bytesOf(12, 4) + "WAVEdata" + bytesOf(0, 4), "形式の情報がありません"},
        {changed(32, bytesOf(0, 2)), "対応していない形式です"},  // block align 0
        {changed(20, bytesOf(7, 2)), "対応していない形式です"},  // μ-law
        {changed(32, bytesOf(65535, 2)), "音が入っていません"},  // no whole frame
        {empty, "音が入っていません"},
        {good.substr(0, 36), "音が入っていません"},  // no data chunk
    };
    for (const auto& c : cases) {
        EXPECT_EQ(waveRefusal(c.bytes), c.why) << c.bytes.size();
        EXPECT_FALSE(decodeWave(c.bytes)) << c.why;
    }
    EXPECT_EQ(waveRefusal(good), "");
    EXPECT_TRUE(decodeWave(good));
}

// Every format a wave file may come in is heard as the same tone, at the library's rate.
TEST(WaveDecoding, EveryFormatBecomesTheSameToneAtTheLibrarysRate) {
    const struct {
        unsigned tag, channels, rate, bits, inner;
    } formats[] = {{1, 1, 22050, 16, 0}, {1, 1, 22050, 8, 0},       {1, 2, 44100, 16, 0},
                   {1, 1, 11025, 24, 0}, {1, 2, 22050, 32, 0},      {3, 2, 48000, 32, 0},
                   {3, 1, 8000, 64, 0},  {0xFFFE, 6, 96000, 16, 1}, {0xFFFE, 1, 22050, 32, 3}};
    for (const auto& f : formats) {
        SCOPED_TRACE(testing::Message()
                     << f.tag << " " << f.channels << "ch " << f.rate << "Hz " << f.bits << "bit");
        const auto s = decodeWave(toneWave(f.tag, f.channels, f.rate, f.bits, f.inner));
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(s->size(), std::size_t{f.rate / 5} * 22050 / f.rate);
        // Within the steps of 8 bits; the last few samples hold the file's last frame.
        long worst = 0;
        for (std::size_t i = 0; i + 8 < s->size(); ++i) {
            const double x = 0.5 * std::sin(2 * std::acos(-1.0) * 200 * i / 22050 + 1);
            worst = std::max(worst, std::abs(std::lround(x * 32767) - (*s)[i]));
        }
        EXPECT_LE(worst, 300);
    }
    // What the library cannot play, and sound longer than a quarter of an hour.
    const std::string refused[] = {
        toneWave(2, 1, 22050, 16),         toneWave(3, 1, 22050, 16),
        toneWave(1, 1, 22050, 12),         toneWave(1, 1, 0, 16),
        toneWave(1, 40, 22050, 16),        toneWave(1, 1, 1, 8, 0, 901),
        toneWave(0xFFFE, 1, 22050, 16, 2), toneWave(1, 33, 8000, 8, 0, 10),
        toneWave(1, 1, 768001, 16, 0, 100)};
    for (std::size_t i = 0; i < std::size(refused); ++i)
        EXPECT_FALSE(decodeWave(refused[i]).has_value()) << i;
    EXPECT_TRUE(decodeWave(toneWave(1, 1, 1, 8, 0, 900)).has_value());
    // A plain PCM format written at the length of the extensible one is still plain PCM.
    const std::string tone = toneWave(1, 1, 22050, 16);
    EXPECT_TRUE(decodeWave(tone.substr(0, 16) + bytesOf(40, 4) + tone.substr(20, 16) +
                           bytesOf(22, 2) + std::string(22, '\0') + tone.substr(36))
                    .has_value());
    // The widest the library takes: 32 channels, 768 kHz.
    EXPECT_TRUE(decodeWave(toneWave(1, 32, 8000, 8, 0, 10)).has_value());
    EXPECT_TRUE(decodeWave(toneWave(1, 1, 768000, 16, 0, 100)).has_value());
}

// The generated waves: 16-bit mono PCM at 22050 Hz, lengths as the game wants them,
// sensibly loud, starting and ending at zero (the music joins its own start without a click).
TEST(GeneratedWaves, AreValidRiffFilesOfTheExpectedLengths) {
    const struct {
        const char* name;
        double shortest, longest;
        double minPeak, maxPeak;
    } waves[] = {
        {"駒打音.wav", 0.08, 0.25, 0.7, 0.85}, {"禁止.wav", 0.15, 0.6, 0.45, 0.6},
        {"その他.wav", 0.5, 2.0, 0.5, 0.65},   {"消滅.wav", 0.3, 1.5, 0.4, 0.55},
        {"BGM.wav", 8.0, 20.0, 0.35, 0.5},
    };
    for (const auto& w : waves) {
        SCOPED_TRACE(w.name);
        const std::string b = readAll(kPlayDir / w.name);
        ASSERT_GE(b.size(), 46u);
        EXPECT_EQ(b.substr(0, 4), "RIFF");
        EXPECT_EQ(le(b, 4, 4), b.size() - 8);
        EXPECT_EQ(b.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(le(b, 16, 4), 16u);
        EXPECT_EQ(le(b, 20, 2), 1u);  // PCM
        EXPECT_EQ(le(b, 22, 2), 1u);  // mono
        EXPECT_EQ(le(b, 24, 4), 22050u);
        EXPECT_EQ(le(b, 28, 4), 44100u);
        EXPECT_EQ(le(b, 32, 2), 2u);
        EXPECT_EQ(le(b, 34, 2), 16u);
        EXPECT_EQ(b.substr(36, 4), "data");
        EXPECT_EQ(le(b, 40, 4), b.size() - 44);
        const auto s = samplesOf(b, 44);
        const double seconds = static_cast<double>(s.size()) / 22050;
        EXPECT_GE(seconds, w.shortest);
        EXPECT_LE(seconds, w.longest);
        const double peak = hear(s).peak / 32767.0;
        EXPECT_GE(peak, w.minPeak);
        EXPECT_LE(peak, w.maxPeak);
        EXPECT_EQ(s.front(), 0);
        EXPECT_EQ(s.back(), 0);
    }
    EXPECT_LT(fs::file_size(kPlayDir / "BGM.wav"), 1500000u);
}

}  // namespace
