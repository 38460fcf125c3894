// Every menu item and menu title of the window, by its control name.
#include <cstddef>
#include <iterator>
#include <string_view>

#include "play/browsing.h"
#include "play/game_flow.h"
#include "play/help.h"
#include "play/kept_game.h"
#include "play/panel.h"
#include "play/state.h"
#include "play/window_events.h"
#include "play/handicap.h"
#include "play/level.h"
#include "play/option_menu.h"
#include "ui/commands.h"

namespace {

void nothing(State&) {}

struct Handler {
    std::string_view control;
    void (*handler)(State&);
};

// The option commands report a failed settings write to the user themselves.
template <auto click>
void option(State& s) {
    click(s, s.places.settingsFile);
}

// The handicap commands close the record panel first.
template <auto click>
void closingPanel(State& s) {
    パネル閉じる(s.recordPanel);
    click(s);
}

// By the controls of COMMANDS, in its order; a title that does nothing when opened has nothing.
constexpr Handler HANDLERS[] = {
    {"TAIKYOKU", TAIKYOKU_Click},
    {"MATCH_MAN", MATCH_MAN_Click},
    {"START", START_Click},
    {"START2", nothing},
    {"SENTE", SENTE_Click},
    {"GOTE", GOTE_Click},
    {"LEVEL", nothing},
    {"LEVEL1", LEVEL1_Click},
    {"LEVEL2", LEVEL2_Click},
    {"LEVEL3", LEVEL3_Click},
    {"OWARI", OWARI_Click},
    {"REPLAY", REPLAY_Click},
    {"AFTER", AFTER_Click},
    {"STOP", STOP_Click},
    {"CANCEL", CANCEL_Click},
    {"REVERSE", REVERSE_Click},
    {"KIFU", nothing},
    {"KIFU_READ", KIFU_READ_Click},
    {"KIFU_WRITE", KIFU_WRITE_Panel},
    {"KIFU_ZENKAI", KIFU_ZENKAI_Click},
    {"OPTION", OPTION_Click},
    {"HAIKEI_GA", nothing},
    {"MIDORI", option<MIDORI_Click>},
    {"TATAMI", option<TATAMI_Click>},
    {"TAKE", option<TAKE_Click>},
    {"UCHU", option<UCHU_Click>},
    {"RENGA", option<RENGA_Click>},
    {"SIDOU", option<SIDOU_Click>},
    {"KEIKA", option<KEIKA_Click>},
    {"BGM", option<BGM_Click>},
    {"HANDE", nothing},
    {"LBEL_UP", closingPanel<LBEL_UP_Click>},
    {"LEBEL_DOWN", closingPanel<LEBEL_DOWN_Click>},
    {"SONOTA", nothing},
    {"KAISETU", KAISETU_Click},
    {"VER", VER_Click},
};

consteval bool everyCommandHandled() {
    if (std::size(HANDLERS) != std::size(COMMANDS)) return false;
    for (std::size_t i = 0; i < std::size(HANDLERS); ++i)
        if (HANDLERS[i].control != COMMANDS[i].control) return false;
    return true;
}
static_assert(everyCommandHandled(), "one handler for each command of the menu bar, in its order");

}  // namespace

void メニュー選択(State& s, std::string_view control) {
    for (const Handler& c : HANDLERS)
        if (c.control == control) {
            c.handler(s);
            return;
        }
}
