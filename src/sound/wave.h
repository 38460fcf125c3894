#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace sound_library {

// The one format the library mixes and plays: 22,050 frames a second, one channel of 16 bits.
// It is the format of the game's own wave files, so loading them converts nothing.
inline constexpr int kRate = 22050;

// A wave file's sound in the library's format. PCM of 8, 16, 24 or 32 bits and IEEE floats of 32
// or 64 bits are taken, with any number of channels (mixed down) at any rate from 1 Hz to
// 768 kHz (resampled). Anything else, a file cut off before the end of its sound, a file
// without sound, or one that would last longer than a quarter of an hour gives nothing.
std::optional<std::vector<std::int16_t>> decodeWave(std::string_view bytes);
// Why decodeWave gives nothing for these bytes, in a few Japanese words; empty when it gives a
// sound.
std::string_view waveRefusal(std::string_view bytes);

}  // namespace sound_library
