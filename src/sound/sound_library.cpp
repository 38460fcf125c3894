#include "sound_library.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "output.h"
#include "wave.h"

namespace sound_library {
namespace {

using Clock = std::chrono::steady_clock;

// About 12 ms of sound a mix: a click is heard that soon after its call.
constexpr std::size_t kChunkFrames = 256;
// How many sounds can be heard at once.
constexpr std::size_t kVoices = 16;
// A player's move rarely takes longer than this, so most clicks find the device open.
constexpr auto kIdleClose = std::chrono::seconds(10);

struct Buffer {
    std::vector<std::int16_t> samples;
    bool overlapping = false;  // short effects sound once per call, over each other
};

// One sounding instance of a buffer; buffer 0 is a free voice.
struct Voice {
    int buffer = 0;
    const std::vector<std::int16_t>* samples = nullptr;
    std::size_t at = 0;
    bool looping = false;
};

// The audio thread mixes the voices and hands the result to the device while it is open, and
// it alone closes the device: once nothing has sounded for a while, when asked, when the
// device fails, and at the end. Everything else happens under the mutex on the caller's thread.
struct Library {
    std::mutex mutex;
    std::condition_variable wake;  // to the audio thread: a device opened, a close or stop wanted
    std::condition_variable settled;  // from the audio thread: a close request has been answered
    std::thread mixer;
    std::unique_ptr<Output> output;  // the open device
    bool closeWanted = false;
    bool stopping = false;
    int device = 0;  // the handle given out by dsInitialize, 0 while there is none
    int lastDevice = 0;
    int lastBuffer = 0;
    Clock::time_point lastBusy;
    std::map<int, Buffer> buffers;
    std::array<Voice, kVoices> voices;

    ~Library();
};

bool anySounding(const Library& l) {
    for (const Voice& v : l.voices)
        if (v.buffer != 0) return true;
    return false;
}

void closeDevice(Library& l) {
    l.output.reset();
    l.voices.fill(Voice{});
    l.closeWanted = false;
    l.settled.notify_all();
}

bool openDevice(Library& l) {
    if (l.output) return true;
    l.output = openOutput();
    if (!l.output) return false;
    l.lastBusy = Clock::now();
    l.wake.notify_all();
    return true;
}

void mix(Library& l, std::array<std::int16_t, kChunkFrames>& chunk) {
    std::array<std::int32_t, kChunkFrames> sum{};
    for (Voice& v : l.voices) {
        for (std::size_t i = 0; i < kChunkFrames && v.buffer != 0; ++i) {
            sum[i] += (*v.samples)[v.at++];
            if (v.at < v.samples->size()) continue;
            if (v.looping)
                v.at = 0;  // straight on from the start: a loop has no gap
            else
                v = Voice{};
        }
    }
    for (std::size_t i = 0; i < kChunkFrames; ++i)
        chunk[i] = static_cast<std::int16_t>(std::clamp(sum[i], -32768, 32767));
}

void run(Library& l) {
    std::array<std::int16_t, kChunkFrames> chunk;
    std::unique_lock lock(l.mutex);
    while (!l.stopping) {
        if (l.closeWanted) {
            if (anySounding(l)) {
                l.closeWanted = false;
                l.settled.notify_all();
            } else {
                closeDevice(l);
            }
            continue;
        }
        if (!l.output) {
            l.wake.wait(lock);
            continue;
        }
        const auto now = Clock::now();
        if (anySounding(l)) {
            l.lastBusy = now;
        } else if (now - l.lastBusy >= kIdleClose) {
            closeDevice(l);
            continue;
        }
        mix(l, chunk);
        Output& out = *l.output;
        lock.unlock();
        const bool written = out.write(chunk.data(), chunk.size());
        lock.lock();
        if (!written) closeDevice(l);
    }
    closeDevice(l);
}

// Stops the audio thread, every buffer and the device. The caller has already cleared
// l.device, so no other call acts meanwhile.
void shutDown(Library& l, std::unique_lock<std::mutex>& lock) {
    l.stopping = true;
    l.wake.notify_all();
    std::thread mixer = std::move(l.mixer);
    lock.unlock();
    if (mixer.joinable()) mixer.join();
    lock.lock();
    l.stopping = false;
    l.buffers.clear();
}

Library::~Library() {
    // A program that ends without dsTerminate must not leave a joinable thread behind.
    std::unique_lock lock(mutex);
    if (device == 0) return;
    device = 0;
    shutDown(*this, lock);
}

Library& library() {
    static Library l;
    return l;
}

Buffer* find(Library& l, int buffer) {
    if (buffer == 0 || l.device == 0) return nullptr;
    auto it = l.buffers.find(buffer);
    return it == l.buffers.end() ? nullptr : &it->second;
}

void stopInstances(Library& l, int buffer) {
    for (Voice& v : l.voices)
        if (v.buffer == buffer) v = Voice{};
}

bool isLooping(const Library& l, int buffer) {
    for (const Voice& v : l.voices)
        if (v.buffer == buffer && v.looping) return true;
    return false;
}

// Starts an instance of the buffer in a free voice; false when all are sounding.
bool start(Library& l, int buffer, const Buffer& b, bool looping) {
    for (Voice& v : l.voices) {
        if (v.buffer != 0) continue;
        v = Voice{buffer, &b.samples, 0, looping};
        l.lastBusy = Clock::now();
        return true;
    }
    return false;
}

}  // namespace

int dsInitialize(int /*window*/) {
    Library& l = library();
    std::lock_guard lock(l.mutex);
    if (l.device != 0) return l.device;
    if (l.stopping) return 0;  // another thread is in the middle of dsTerminate
    if (!openDevice(l)) return 0;
    l.device = ++l.lastDevice;
    l.mixer = std::thread(run, std::ref(l));
    return l.device;
}

int dsCreateDSB(int device, std::string_view wave, int flag) {
    if (device == 0) return 0;
    auto samples = decodeWave(wave);  // outside the lock: the music takes a while
    Library& l = library();
    std::lock_guard lock(l.mutex);
    if (device != l.device || !samples) return 0;
    const int handle = ++l.lastBuffer;
    l.buffers[handle] = Buffer{std::move(*samples), (flag & 2) != 0};
    return handle;
}

int dsPlay(int buffer) {
    Library& l = library();
    std::lock_guard lock(l.mutex);
    Buffer* b = find(l, buffer);
    if (b == nullptr || !openDevice(l)) return 0;
    if (!b->overlapping) stopInstances(l, buffer);
    return start(l, buffer, *b, false) ? 1 : 0;
}

int dsPlayLooping(int buffer) {
    Library& l = library();
    std::lock_guard lock(l.mutex);
    Buffer* b = find(l, buffer);
    if (b == nullptr || !openDevice(l)) return 0;
    if (isLooping(l, buffer)) return 1;
    if (!b->overlapping) stopInstances(l, buffer);
    return start(l, buffer, *b, true) ? 1 : 0;
}

int dsStop(int buffer) {
    Library& l = library();
    std::lock_guard lock(l.mutex);
    if (find(l, buffer) == nullptr) return 0;
    stopInstances(l, buffer);
    return 1;
}

int dsFree(int buffer) {
    Library& l = library();
    std::lock_guard lock(l.mutex);
    if (find(l, buffer) == nullptr) return 0;
    stopInstances(l, buffer);
    l.buffers.erase(buffer);
    return 1;
}

int dsTerminate(int device) {
    Library& l = library();
    std::unique_lock lock(l.mutex);
    if (device == 0 || device != l.device) return 0;
    l.device = 0;
    shutDown(l, lock);
    return 1;
}

bool closeIdleDevice() {
    Library& l = library();
    std::unique_lock lock(l.mutex);
    if (!l.output) return true;
    if (anySounding(l)) return false;
    l.closeWanted = true;
    l.wake.notify_all();
    l.settled.wait(lock, [&] { return !l.closeWanted; });
    return !l.output;
}

bool deviceIsOpen() {
    Library& l = library();
    std::lock_guard lock(l.mutex);
    return l.output != nullptr;
}

}  // namespace sound_library
