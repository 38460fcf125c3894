#pragma once
#include <cstddef>
#include <string_view>

// What the sound library holds of a wave file once it is converted to its own format (about
// 12 minutes); a file that would take more is not a sound of this game.
inline constexpr std::size_t WAVE_CONVERTED_MAX_BYTES = std::size_t{32} << 20;
// The sound library's format: 22,050 frames a second, one channel of 16 bits.
inline constexpr std::size_t WAVE_CONVERTED_BYTES_PER_SECOND = 22050 * 2;

// Whether the header of a wave file describes sound a sound card plays (8 to 192 kHz, one or
// two channels, 8, 16, 24 or 32 bits) whose converted size stays within the bound. A file the
// sound library cannot take for other reasons passes here and is refused there.
bool waveFits(std::string_view bytes);
