#include "play/settings.h"

#include <string_view>

#include "ui/drawing.h"

namespace {

struct BackgroundItem {
    int id;
    std::string_view item;  // menu item
    bool Options::*mark;
};
constexpr BackgroundItem BACKGROUNDS[] = {{5, "MIDORI", &Options::MIDORI},
                                          {6, "TATAMI", &Options::TATAMI},
                                          {7, "TAKE", &Options::TAKE},
                                          {8, "UCHU", &Options::UCHU},
                                          {9, "RENGA", &Options::RENGA}};

// The menu's background of this id (5..9), or none.
const BackgroundItem* backgroundOf(int id) {
    for (const BackgroundItem& b : BACKGROUNDS)
        if (b.id == id) return &b;
    return nullptr;
}

// The order in which the writer looks for the checked item.
constexpr int WRITE_ORDER[] = {5, 7, 6, 8, 9};

constexpr SettingsValues TATAMI_DEFAULTS{6, false, true, true};
constexpr SettingsValues MIDORI_DEFAULTS{5, false, true, true};

void setSidou(Options& o, WindowPort& menu, bool on) {
    o.SIDOU_FLAG = on;
    o.SIDOU_COLOR = on ? colours::WHITE : colours::GREEN;
    menu.setChecked("SIDOU", on);
}

void setKeika(Options& o, WindowPort& menu, bool on) {
    o.KEIKA = on;
    menu.setChecked("KEIKA", on);
}

void setBgm(Options& o, WindowPort& menu, bool on) {
    o.BGM = on;
    menu.setChecked("BGM", on);
}

void applyLine(Canvas& cv, WindowPort& menu, SoundPort& sound, const SettingsLine& l) {
    switch (l.key) {
        case SettingsKey::Background:
            if (l.background == 0) break;
            チェック設定(cv.opt, menu, l.background);
            描画_背景(cv, l.background);
            cv.opt.HAIKEI_NO = l.background;
            break;
        case SettingsKey::Guidance: setSidou(cv.opt, menu, l.on); break;
        case SettingsKey::Clock: setKeika(cv.opt, menu, l.on); break;
        case SettingsKey::Music:
            setBgm(cv.opt, menu, l.on);
            if (l.on) sound.loopSound(Sound::BGM);
            break;
        case SettingsKey::None: break;
    }
}

SettingsValues checkedValues(const Options& o) {
    SettingsValues v;
    for (int id : WRITE_ORDER)
        if (o.*backgroundOf(id)->mark) {
            v.background = id;
            break;
        }
    v.guidance = o.SIDOU_FLAG;
    v.clock = o.KEIKA;
    v.music = o.BGM;
    return v;
}

FileResult writeDefaults(DialogPort& dialog, const std::filesystem::path& path,
                         const SettingsValues& v) {
    FileResult r = writeSettingsFile(path, v);
    if (!r.ok) dialog.message(r.message, "環境設定", Buttons::Ok);
    return r;
}

}  // namespace

void チェック設定(Options& o, WindowPort& menu, int id) {
    for (const BackgroundItem& b : BACKGROUNDS) {
        o.*b.mark = false;
        menu.setChecked(b.item, false);
    }
    if (const BackgroundItem* b = backgroundOf(id)) {
        o.*b->mark = true;
        menu.setChecked(b->item, true);
    }
}

FileResult 読込_環境設定ファイル(Canvas& cv, WindowPort& menu, SoundPort& sound, DialogPort& dialog,
                                 const std::filesystem::path& path) {
    const SettingsRead read = readSettingsFile(path);
    if (read.status == SettingsRead::Ok) {
        for (const SettingsLine& l : read.lines) applyLine(cv, menu, sound, l);
        return {};
    }
    // Most often there is no file yet: start on tatami with the clock and music on.
    FileResult r = writeDefaults(dialog, path, TATAMI_DEFAULTS);
    if (read.status == SettingsRead::Unreadable)
        dialog.message(read.keptAs.empty()
                           ? std::string(SETTINGS_UNREADABLE)
                           : std::string(SETTINGS_UNREADABLE) + "\n\n元のﾌｧｲﾙは " +
                                 displayName(read.keptAs.filename().native()) + " に残しました",
                       "環境設定", Buttons::Ok);
    チェック設定(cv.opt, menu, 6);
    描画_背景(cv, 6);
    cv.opt.HAIKEI_NO = 6;
    setSidou(cv.opt, menu, false);
    setKeika(cv.opt, menu, true);
    setBgm(cv.opt, menu, true);
    sound.loopSound(Sound::BGM);
    return r;
}

FileResult 書込_環境設定ファイル(Options& o, WindowPort& menu, DialogPort& dialog,
                                 const std::filesystem::path& path) {
    if (writeSettingsFile(path, checkedValues(o)).ok) return {};
    // The background shown stays as it is; only the marks and the file take the defaults.
    チェック設定(o, menu, 5);
    setSidou(o, menu, false);
    setKeika(o, menu, true);
    setBgm(o, menu, true);
    return writeDefaults(dialog, path, MIDORI_DEFAULTS);
}
