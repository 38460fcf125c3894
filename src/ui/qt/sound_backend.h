#pragma once
#include <string>
#include <string_view>

// The sound library as the window uses it; the program plugs in the real one. Handles are
// plain numbers, 0 meaning none.
class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    virtual int initialize(long window) = 0;                                     // dsInitialize
    virtual int createBuffer(int device, std::string_view bytes, int flag) = 0;  // dsCreateDSB
    virtual void play(int buffer) = 0;                                           // dsPlay
    virtual void loop(int buffer) = 0;                                           // dsPlayLooping
    virtual void stop(int buffer) = 0;                                           // dsStop
    virtual void free(int buffer) = 0;                                           // dsFree
    virtual void terminate(int device) = 0;                                      // dsTerminate
    // Why the library gave no buffer for a wave file's bytes; empty when it does not say.
    virtual std::string refusal(std::string_view bytes) { return {}; }
};
