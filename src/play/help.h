#pragma once
#include <string_view>

#include "play/places.h"

struct State;

// The maker's home page: a web address, or a page in the data directory. Until the
// project has a web site it is the help page.
inline constexpr std::string_view HOME_PAGE = HELP_PAGE;

// その他 → 解説: the help page in the browser; nothing at all if it is not there.
void KAISETU_Click(State& s);
// その他 → バージョン情報: the version box, and the home page if its button was chosen.
void VER_Click(State& s);
