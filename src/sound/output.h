#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace sound_library {

// Where the mixed sound goes: an open device that plays frames of the library's format.
class Output {
public:
    virtual ~Output() = default;
    // Hands the frames over, waiting about as long as the device needs to make room for them.
    // False when the device has failed; it is then closed and opened again by the next sound.
    virtual bool write(const std::int16_t* frames, std::size_t count) = 0;
};

// Opens the device that TORVANE_SOUND names, or nullptr when it cannot be opened:
//   (unset or empty)  the ALSA device "default", which is the desktop's sound server;
//   alsa:NAME         the ALSA device NAME;
//   null              a device that plays nothing in real time (for machines without sound);
//   file:PATH         a device that writes the raw frames to PATH, about eleven times faster
//                     than real time, so a test can hear what was played;
//   none              no device at all.
std::unique_ptr<Output> openOutput();

}  // namespace sound_library
