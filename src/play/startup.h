#pragma once
#include <cstddef>

struct Places;

// A wave file larger than this is not a sound of this game; it is refused unread.
inline constexpr std::size_t WAVE_FILE_MAX_BYTES = std::size_t{16} << 20;

// Has the wave files that Form_Load loads read on a helper thread from now on.
void readWavesAhead(const Places& places);
