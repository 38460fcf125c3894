// Loading the main window: sound, constants, settings, the starting position, placement.
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "play/setup.h"
#include "play/screen.h"
#include "play/moves.h"
#include "play/settings.h"
#include "play/places.h"
#include "play/state.h"
#include "play/startup.h"
#include "play/window_events.h"
#include "files/text_file.h"
#include "files/wave_header.h"
#include "settings/settings_file.h"

namespace {

struct Wave {
    Sound sound;
    std::string_view file;
    int flag;
};
constexpr Wave WAVES[] = {{Sound::SONOTA, WAVE_FILES[0], 3},
                          {Sound::KINSHI, WAVE_FILES[1], 3},
                          {Sound::KOMA, WAVE_FILES[2], 3},
                          {Sound::BGM, WAVE_FILES[3], 1},
                          {Sound::SHOUMETSU, WAVE_FILES[4], 1}};

constexpr const char* SOUND_TITLE = "Torvane.dll";

// A missing file silently leaves the sound without a buffer; one that is there but cannot
// be read is reported.
void loadWave(SoundPort& sound, DialogPort& dialog, const std::filesystem::path& dataDir,
              const Wave& w) {
    const std::filesystem::path path = dataDir / w.file;
    WholeFile f = readWholeFile(path, WAVE_FILE_MAX_BYTES);
    if (f.status == ReadStatus::Missing) return;
    // A header that asks for a rate or a size no sound card plays would take the memory and
    // the start-up time of a huge conversion.
    if (f.status == ReadStatus::Ok && waveFits(f.bytes)) {
        sound.loadSound(w.sound, std::move(f.bytes), w.flag);
        return;
    }
    std::string text(w.file);
    if (f.status == ReadStatus::TooLarge)
        text += " は大きすぎるため読み込めません（16MBまで）";
    else
        text += " を読み込めません";
    dialog.message(text, SOUND_TITLE, Buttons::Ok);
}

std::filesystem::path dataDirOf(const Places& places) {
    std::error_code ec;
    return places.dataDir.empty() ? std::filesystem::current_path(ec) : places.dataDir;
}

}  // namespace

void readWavesAhead(const Places& places) {
    const std::filesystem::path dir = dataDirOf(places);
    std::vector<std::filesystem::path> paths;
    for (const Wave& w : WAVES) paths.push_back(dir / w.file);
    readAhead(std::move(paths), WAVE_FILE_MAX_BYTES);
}

void Form_Load(State& s) {
    auto& p = s.play;
    Places& places = s.places;
    // Run from the build tree, the game reads its data where it was started.
    if (places.dataDir.empty()) places.dataDir = dataDirOf(places);  // empty if gone
    std::error_code ec;
    p.SOUND_DEVICE = s.sound.openSound();
    p.soundReleased = false;
    if (!p.SOUND_DEVICE)
        s.dialog.message("Direct Soundインターフェースが作成できません。", SOUND_TITLE,
                         Buttons::Ok);
    else
        for (const Wave& w : WAVES) loadWave(s.sound, s.dialog, places.dataDir, w);

    // An installed game opens the record panel in the player's documents; one that cannot be
    // opened leaves the panel in the current directory.
    const std::string recordDir = nameText(places.recordDir.native());
    if (!places.recordDir.empty() && s.recordPanel.setRecordDirectory(recordDir))
        s.recordPanel.setRecordFileDirectory(recordDir);
    s.game.programStarted(s.hist);
    s.canvas.opt.SIDOU_FLAG = false;
    s.analysis.LEVEL_NO = 3;
    s.window.setChecked("LEVEL3", true);
    s.canvas.opt.SIDOU_COLOR = 2;

    // The settings directory is made private, as a per-user configuration directory should be;
    // when it cannot be made, the settings write below tells the player.
    if (const auto dir = places.settingsFile.parent_path(); !dir.empty())
        if (std::filesystem::create_directories(dir, ec))
            std::filesystem::permissions(dir, std::filesystem::perms::owner_all, ec);
    // May start the music, so the sounds are loaded first.
    読込_環境設定ファイル(s.canvas, s.window, s.sound, s.dialog, places.settingsFile);
    初期設定(s);
    s.window.placeWindow(9700, 8000);
}
