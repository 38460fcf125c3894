#include "play/help.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "play/state.h"
#include "play/panel.h"

namespace {

// A web address goes to the browser as it is; a page name is looked for in the data directory
// and silently skipped when it is missing.
void openPage(DialogPort& dialog, const Places& places, std::string_view page) {
    if (page.find("://") != std::string_view::npos) {
        dialog.browse(page);
        return;
    }
    const std::filesystem::path path = places.dataDir / std::filesystem::path(page);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return;
    dialog.browse(path.string());
}

}  // namespace

void KAISETU_Click(State& s) { openPage(s.dialog, s.places, HELP_PAGE); }

void VER_Click(State& s) {
    パネル閉じる(s.recordPanel);
    s.sound.playSound(Sound::SONOTA);
    if (s.dialog.showVersionBox()) openPage(s.dialog, s.places, HOME_PAGE);
}
