#pragma once
#include <cstddef>

// A wave file larger than this is not a sound of this game; it is refused unread.
inline constexpr std::size_t WAVE_FILE_MAX_BYTES = std::size_t{16} << 20;
