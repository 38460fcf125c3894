#pragma once
#include <string_view>

// The game's sound library: wave buffers played once or looped, mixed on one ALSA device.
// Every call takes and returns plain integers; handle 0 means "none", and any call with 0,
// an unknown or a freed handle does nothing and answers 0. Calls may come from any thread.
namespace sound_library {

// Opens the sound device. The window handle is accepted as the game passes it and not needed.
// Answers the device handle, or 0 when no device can be opened (the game then runs silent).
// A second call while the device is open answers the same handle.
int dsInitialize(int window = 0);

// Makes a buffer from the complete bytes of a wave file. Flag 3 is for short effects, which
// may sound several times at once; any flag without bit 2 (1: music, the vanish sound) keeps
// one instance, so playing it again restarts it. Answers 0 for bytes that are not a complete
// wave file, or for a device handle that is not the open one.
int dsCreateDSB(int device, std::string_view wave, int flag);

// Plays the buffer once from the start; the call returns at once. Answers 1 when it started.
int dsPlay(int buffer);
// Plays the buffer over and over until dsStop; a buffer already looping carries on smoothly.
int dsPlayLooping(int buffer);
// Stops every sounding instance of the buffer. Answers 1 for a known buffer.
int dsStop(int buffer);
// Stops and releases the buffer; its handle is unknown afterwards.
int dsFree(int buffer);
// Releases every buffer still held and the device.
int dsTerminate(int device);

// An open device keeps the audio thread (and the sound server) waking many times a second
// even in silence, so the device is closed once nothing has sounded for a few seconds and
// opened again by the next sound. This closes it at once if nothing sounds; true when the
// device is closed afterwards (also when there is none).
bool closeIdleDevice();
// Whether the device is open right now (not merely initialised).
bool deviceIsOpen();

}  // namespace sound_library
