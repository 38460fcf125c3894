#include "output.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string_view>
#include <thread>

#include "wave.h"

namespace sound_library {
namespace {

using Clock = std::chrono::steady_clock;

// What the sound server holds ahead of the mixer: short enough that a click is heard at once
// and a stopped sound ends at once, long enough for a busy desktop.
constexpr unsigned kLatencyMicroseconds = 60000;
// A device that takes nothing for this long has failed.
constexpr auto kStalled = std::chrono::seconds(1);

// Keeps a device from taking sound faster than it can be heard: some ALSA devices (the null
// device, a broken configuration) take every frame at once, and the mixer would spin.
class Pace {
public:
    explicit Pace(int speed) : speed_(speed), next_(Clock::now()) {}
    // Waits until `count` more frames, at `speed` times real time, are due; lets the device
    // run `ahead` before.
    void frames(std::size_t count, std::chrono::microseconds ahead = {}) {
        const auto now = Clock::now();
        next_ = std::max(next_, now - std::chrono::milliseconds(100)) +
                std::chrono::microseconds(count * 1000000 / (std::size_t(kRate) * speed_));
        if (next_ - ahead > now) std::this_thread::sleep_until(next_ - ahead);
    }

private:
    int speed_;
    Clock::time_point next_;
};

// ALSA prints its complaints on standard error (no sound card, no server); the game answers a
// device that cannot open with its own warning.
void quiet(const char*, int, const char*, int, const char*, ...) {}

class AlsaOutput final : public Output {
public:
    explicit AlsaOutput(snd_pcm_t* pcm) : pcm_(pcm) {}
    ~AlsaOutput() override {
        snd_pcm_drop(pcm_);  // what is queued stops now: ending or closing must not wait for it
        snd_pcm_close(pcm_);
    }
    AlsaOutput(const AlsaOutput&) = delete;
    AlsaOutput& operator=(const AlsaOutput&) = delete;

    bool write(const std::int16_t* frames, std::size_t count) override {
        const auto deadline = Clock::now() + kStalled;
        while (count > 0) {
            if (Clock::now() > deadline) return false;
            const snd_pcm_sframes_t n = snd_pcm_writei(pcm_, frames, count);
            if (n == -EAGAIN) {
                snd_pcm_wait(pcm_, 100);
            } else if (n < 0) {
                // An underrun (the machine was busy) or a suspend: start again where we are.
                if (snd_pcm_recover(pcm_, static_cast<int>(n), 1) < 0) return false;
            } else {
                frames += n;
                count -= static_cast<std::size_t>(n);
                pace_.frames(static_cast<std::size_t>(n), kAhead);
            }
        }
        return true;
    }

private:
    // Well beyond what a real device holds ahead of what it plays.
    static constexpr std::chrono::microseconds kAhead{250000};
    snd_pcm_t* pcm_;
    Pace pace_{1};
};

std::unique_ptr<Output> openAlsa(const char* name) {
    static std::once_flag quietened;
    std::call_once(quietened, [] { snd_lib_error_set_handler(quiet); });
    snd_pcm_t* pcm = nullptr;
    // Non-blocking, so a stalled server cannot hold the game at its end.
    if (snd_pcm_open(&pcm, name, SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) return nullptr;
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1, kRate, 1,
                           kLatencyMicroseconds) < 0) {
        snd_pcm_close(pcm);
        return nullptr;
    }
    return std::make_unique<AlsaOutput>(pcm);
}

// A device without sound hardware: takes the frames at a steady pace, and writes them to a
// file when it has one.
class PacedOutput final : public Output {
public:
    PacedOutput(std::FILE* file, int speed) : file_(file), pace_(speed) {}
    ~PacedOutput() override {
        if (file_ != nullptr) std::fclose(file_);
    }
    PacedOutput(const PacedOutput&) = delete;
    PacedOutput& operator=(const PacedOutput&) = delete;

    bool write(const std::int16_t* frames, std::size_t count) override {
        if (file_ != nullptr &&
            (std::fwrite(frames, sizeof *frames, count, file_) != count || std::fflush(file_) != 0))
            return false;
        pace_.frames(count);
        return true;
    }

private:
    std::FILE* file_;
    Pace pace_;
};

}  // namespace

std::unique_ptr<Output> openOutput() {
    const char* variable = std::getenv("TORVANE_SOUND");
    const std::string_view choice = variable == nullptr ? "" : variable;
    if (choice.empty()) return openAlsa("default");
    if (choice.substr(0, 5) == "alsa:") return openAlsa(variable + 5);
    if (choice == "null") return std::make_unique<PacedOutput>(nullptr, 1);
    if (choice.substr(0, 5) == "file:") {
        std::FILE* file = std::fopen(variable + 5, "wb");
        if (file == nullptr) return nullptr;
        return std::make_unique<PacedOutput>(file, 11);
    }
    return nullptr;  // "none", or a name this library does not know
}

}  // namespace sound_library
