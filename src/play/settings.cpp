#include "play/settings.h"

#include <string_view>

#include "play/state.h"
#include "ui/drawing.h"

namespace {

struct BackgroundItem {
    std::string_view item;  // menu item
    bool Options::*mark;
};
// By id 5..9.
constexpr BackgroundItem BACKGROUNDS[5] = {{"MIDORI", &Options::MIDORI},
                                           {"TATAMI", &Options::TATAMI},
                                           {"TAKE", &Options::TAKE},
                                           {"UCHU", &Options::UCHU},
                                           {"RENGA", &Options::RENGA}};
// The order in which the writer looks for the checked item.
constexpr int WRITE_ORDER[5] = {5, 7, 6, 8, 9};

constexpr SettingsValues TATAMI_DEFAULTS{6, false, true, true};
constexpr SettingsValues MIDORI_DEFAULTS{5, false, true, true};

void setSidou(State& s, bool on) {
    s.opt.SIDOU_FLAG = on ? 1 : 0;
    s.opt.SIDOU_COLOR = on ? colours::WHITE : colours::GREEN;
    s.window.setChecked("SIDOU", on);
}

void setKeika(State& s, bool on) {
    s.opt.KEIKA = on;
    s.window.setChecked("KEIKA", on);
}

void setBgm(State& s, bool on) {
    s.opt.BGM = on;
    s.window.setChecked("BGM", on);
}

void applyLine(State& s, const SettingsLine& l) {
    switch (l.key) {
        case SettingsKey::Background:
            if (l.background == 0) break;
            チェック設定(s, l.background);
            描画_背景(s, l.background);
            s.opt.HAIKEI_NO = l.background;
            break;
        case SettingsKey::Guidance: setSidou(s, l.on); break;
        case SettingsKey::Clock: setKeika(s, l.on); break;
        case SettingsKey::Music:
            setBgm(s, l.on);
            if (l.on) s.sound.loopSound(Sound::BGM);
            break;
        case SettingsKey::None: break;
    }
}

SettingsValues checkedValues(const Options& o) {
    SettingsValues v;
    for (int id : WRITE_ORDER)
        if (o.*BACKGROUNDS[id - 5].mark) {
            v.background = id;
            break;
        }
    v.guidance = o.SIDOU_FLAG == 1;
    v.clock = o.KEIKA;
    v.music = o.BGM;
    return v;
}

FileResult writeDefaults(State& s, const std::filesystem::path& path, const SettingsValues& v) {
    FileResult r = writeSettingsFile(path, v);
    if (!r.ok) s.dialog.message(r.message, "環境設定", Buttons::Ok);
    return r;
}

}  // namespace

void チェック設定(State& s, int id) {
    for (const BackgroundItem& b : BACKGROUNDS) {
        s.opt.*b.mark = false;
        s.window.setChecked(b.item, false);
    }
    if (id < 5 || id > 9) return;
    const BackgroundItem& b = BACKGROUNDS[id - 5];
    s.opt.*b.mark = true;
    s.window.setChecked(b.item, true);
}

FileResult 読込_環境設定ファイル(State& s, const std::filesystem::path& path) {
    const SettingsRead read = readSettingsFile(path);
    if (read.status == SettingsRead::Ok) {
        for (const SettingsLine& l : read.lines) applyLine(s, l);
        return {};
    }
    // Most often there is no file yet: start on tatami with the clock and music on.
    FileResult r = writeDefaults(s, path, TATAMI_DEFAULTS);
    if (read.status == SettingsRead::Unreadable)
        s.dialog.message(read.keptAs.empty()
                             ? std::string(SETTINGS_UNREADABLE)
                             : std::string(SETTINGS_UNREADABLE) + "\n\n元のﾌｧｲﾙは " +
                                   displayName(read.keptAs.filename().native()) + " に残しました",
                         "環境設定", Buttons::Ok);
    チェック設定(s, 6);
    描画_背景(s, 6);
    s.opt.HAIKEI_NO = 6;
    setSidou(s, false);
    setKeika(s, true);
    setBgm(s, true);
    s.sound.loopSound(Sound::BGM);
    return r;
}

FileResult 書込_環境設定ファイル(State& s, const std::filesystem::path& path) {
    if (writeSettingsFile(path, checkedValues(s.opt)).ok) return {};
    // The background shown stays as it is; only the marks and the file take the defaults.
    チェック設定(s, 5);
    setSidou(s, false);
    setKeika(s, true);
    setBgm(s, true);
    return writeDefaults(s, path, MIDORI_DEFAULTS);
}
