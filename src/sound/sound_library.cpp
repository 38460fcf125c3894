#include "sound_library.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <climits>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace sound_library {
namespace {

using Clock = std::chrono::steady_clock;

// The mixer format is fixed (SDL converts for the hardware), so buffers converted at load
// time stay right when the device is opened again after an idle close. It is the format of
// the game's own wave files, so loading them converts nothing and keeps them small.
constexpr int kRate = 22050;
constexpr int kOutputChannels = 1;
// About 23 ms from a click to its sound.
constexpr int kChunkFrames = 512;
constexpr int kMixChannels = 16;
// A player's move rarely takes longer than this, so most clicks find the device open.
constexpr auto kIdleClose = std::chrono::seconds(10);
constexpr auto kIdlePoll = std::chrono::milliseconds(500);

struct Buffer {
    Mix_Chunk* chunk = nullptr;
    bool overlapping = false;  // short effects sound once per call, over each other
    int channel = -1;          // the channel of its latest single or looping instance
    bool looping = false;
};

struct Library {
    std::mutex mutex;
    std::condition_variable wake;
    std::thread watcher;
    int device = 0;  // the handle given out by dsInitialize, 0 while there is none
    int lastDevice = 0;
    int lastBuffer = 0;
    bool open = false;  // the SDL device itself
    bool stopping = false;
    Clock::time_point lastBusy;
    std::map<int, Buffer> buffers;

    ~Library();
};

void closeDevice(Library& l) {
    if (!l.open) return;
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    l.open = false;
    for (auto& entry : l.buffers) {
        entry.second.channel = -1;
        entry.second.looping = false;
    }
}

bool openDevice(Library& l) {
    if (l.open) return true;
    if (Mix_OpenAudioDevice(kRate, AUDIO_S16SYS, kOutputChannels, kChunkFrames, nullptr, 0) != 0)
        return false;
    Mix_AllocateChannels(kMixChannels);
    l.open = true;
    l.lastBusy = Clock::now();
    l.wake.notify_all();
    return true;
}

// Closes the device once it has been silent for a while; sleeps for good while it is closed.
void watch(Library& l) {
    std::unique_lock lock(l.mutex);
    while (!l.stopping) {
        if (!l.open) {
            l.wake.wait(lock);
            continue;
        }
        l.wake.wait_for(lock, kIdlePoll);
        if (l.stopping || !l.open) continue;
        const auto now = Clock::now();
        if (Mix_Playing(-1) > 0)
            l.lastBusy = now;
        else if (now - l.lastBusy >= kIdleClose)
            closeDevice(l);
    }
}

// Stops the watcher, every buffer and the device. The caller has already cleared l.device,
// so no other call acts meanwhile.
void shutDown(Library& l, std::unique_lock<std::mutex>& lock) {
    l.stopping = true;
    l.wake.notify_all();
    std::thread watcher = std::move(l.watcher);
    lock.unlock();
    if (watcher.joinable()) watcher.join();
    lock.lock();
    l.stopping = false;
    for (auto& entry : l.buffers) Mix_FreeChunk(entry.second.chunk);
    l.buffers.clear();
    closeDevice(l);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
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

bool sounds(int channel, const Buffer& b) {
    return channel >= 0 && Mix_Playing(channel) > 0 && Mix_GetChunk(channel) == b.chunk;
}

void stopInstances(Library& l, Buffer& b) {
    if (l.open) {
        for (int channel = 0; channel < kMixChannels; ++channel)
            if (sounds(channel, b)) Mix_HaltChannel(channel);
    }
    b.channel = -1;
    b.looping = false;
}

bool isRiffWave(std::string_view bytes) {
    return bytes.size() >= 12 && bytes.substr(0, 4) == "RIFF" && bytes.substr(8, 4) == "WAVE";
}

}  // namespace

int dsInitialize(int /*window*/) {
    Library& l = library();
    std::lock_guard lock(l.mutex);
    if (l.device != 0) return l.device;
    if (l.stopping) return 0;  // another thread is in the middle of dsTerminate
    // Qt owns the process: SDL must not turn SIGINT/SIGTERM into quit events nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A cut-off wave file is refused rather than played in part.
    SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
#ifdef SDL_HINT_AUDIO_DEVICE_APP_NAME
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Torvane");
#endif
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    if (!openDevice(l)) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    l.device = ++l.lastDevice;
    l.watcher = std::thread(watch, std::ref(l));
    return l.device;
}

int dsCreateDSB(int device, std::string_view wave, int flag) {
    Library& l = library();
    std::lock_guard lock(l.mutex);
    if (device == 0 || device != l.device) return 0;
    if (!isRiffWave(wave) || wave.size() > static_cast<std::size_t>(INT_MAX)) return 0;
    // The mixer converts to the device format while loading, so it needs the device open.
    if (!openDevice(l)) return 0;
    l.lastBusy = Clock::now();
    SDL_RWops* source = SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size()));
    if (source == nullptr) return 0;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(source, 1);
    if (chunk == nullptr) return 0;
    if (chunk->alen == 0) {  // nothing to hear
        Mix_FreeChunk(chunk);
        return 0;
    }
    const int handle = ++l.lastBuffer;
    l.buffers[handle] = Buffer{chunk, (flag & 2) != 0};
    return handle;
}

int dsPlay(int buffer) {
    Library& l = library();
    std::lock_guard lock(l.mutex);
    Buffer* b = find(l, buffer);
    if (b == nullptr || !openDevice(l)) return 0;
    l.lastBusy = Clock::now();
    if (b->overlapping) return Mix_PlayChannel(-1, b->chunk, 0) >= 0 ? 1 : 0;
    stopInstances(l, *b);
    b->channel = Mix_PlayChannel(-1, b->chunk, 0);
    return b->channel >= 0 ? 1 : 0;
}

int dsPlayLooping(int buffer) {
    Library& l = library();
    std::lock_guard lock(l.mutex);
    Buffer* b = find(l, buffer);
    if (b == nullptr || !openDevice(l)) return 0;
    l.lastBusy = Clock::now();
    if (b->looping && sounds(b->channel, *b)) return 1;
    if (!b->overlapping) stopInstances(l, *b);
    b->channel = Mix_PlayChannel(-1, b->chunk, -1);
    b->looping = b->channel >= 0;
    return b->looping ? 1 : 0;
}

int dsStop(int buffer) {
    Library& l = library();
    std::lock_guard lock(l.mutex);
    Buffer* b = find(l, buffer);
    if (b == nullptr) return 0;
    stopInstances(l, *b);
    return 1;
}

int dsFree(int buffer) {
    Library& l = library();
    std::lock_guard lock(l.mutex);
    Buffer* b = find(l, buffer);
    if (b == nullptr) return 0;
    stopInstances(l, *b);
    Mix_FreeChunk(b->chunk);
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
    std::lock_guard lock(l.mutex);
    if (!l.open) return true;
    if (Mix_Playing(-1) > 0) return false;
    closeDevice(l);
    return true;
}

bool deviceIsOpen() {
    Library& l = library();
    std::lock_guard lock(l.mutex);
    return l.open;
}

}  // namespace sound_library
