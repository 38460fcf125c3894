#pragma once
// The sound library behind the window's sound calls.
#include "sound_library.h"
#include "wave.h"
#include "ui/qt/sound_backend.h"

class LibrarySound final : public SoundBackend {
public:
    int initialize(long window) override {
        return sound_library::dsInitialize(static_cast<int>(window));
    }
    int createBuffer(int device, std::string_view bytes, int flag) override {
        const int buffer = sound_library::dsCreateDSB(device, bytes, flag);
        if (buffer != 0) ++loaded;
        return buffer;
    }
    void play(int buffer) override { sound_library::dsPlay(buffer); }
    void loop(int buffer) override { sound_library::dsPlayLooping(buffer); }
    void stop(int buffer) override { sound_library::dsStop(buffer); }
    void free(int buffer) override { sound_library::dsFree(buffer); }
    void terminate(int device) override { sound_library::dsTerminate(device); }
    std::string refusal(std::string_view bytes) override {
        return std::string(sound_library::waveRefusal(bytes));
    }
    int loaded = 0;  // wave files taken, for reportFiles
};
