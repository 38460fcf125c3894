#include "settings/settings_file.h"

#include <string>
#include <string_view>

#include "core/state.h"
#include "ui/drawing.h"

namespace {

struct Background {
    std::string_view item;   // menu item
    std::string_view value;  // value in the file
    bool Options::*mark;
};
// By id 5..9.
constexpr Background BACKGROUNDS[5] = {{"MIDORI", "緑", &Options::MIDORI},
                                       {"TATAMI", "畳", &Options::TATAMI},
                                       {"TAKE", "竹", &Options::TAKE},
                                       {"UCHU", "宇宙", &Options::UCHU},
                                       {"RENGA", "煉瓦", &Options::RENGA}};
// The order in which the writer looks for the checked item.
constexpr int WRITE_ORDER[5] = {5, 7, 6, 8, 9};

constexpr std::string_view TATAMI_DEFAULTS = "背景画=畳\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n";
constexpr std::string_view MIDORI_DEFAULTS = "背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n";

void setSidou(State& s, bool on) {
    s.opt.SIDOU_FLAG = on ? 1 : 0;
    s.opt.SIDOU_COLOR = on ? 15 : 2;
    s.port.setChecked("SIDOU", on);
}

void setKeika(State& s, bool on) {
    s.opt.KEIKA = on;
    s.port.setChecked("KEIKA", on);
}

void setBgm(State& s, bool on) {
    s.opt.BGM = on;
    s.port.setChecked("BGM", on);
}

void applyLine(State& s, std::string_view line) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return;
    const std::string_view key = line.substr(0, eq);
    const std::string_view value = line.substr(eq + 1);
    if (key == "背景画") {
        for (int id = 5; id <= 9; ++id)
            if (value == BACKGROUNDS[id - 5].value) {
                チェック設定(s, id);
                描画_背景(s, id);
                s.opt.HAIKEI_NO = id;
            }
    } else if (key == "移動指導") {
        setSidou(s, value == "ON");
    } else if (key == "経過時間") {
        setKeika(s, value == "ON");
    } else if (key == "BGM") {
        setBgm(s, value == "ON");
        if (value == "ON") s.port.loopSound(Sound::BGM);
    }
}

std::string settingsText(const Options& o) {
    std::string text;
    for (int id : WRITE_ORDER) {
        const Background& b = BACKGROUNDS[id - 5];
        if (o.*b.mark) {
            text += "背景画=";
            text += b.value;
            text += "\r\n";
            break;
        }
    }
    text += o.SIDOU_FLAG == 1 ? "移動指導=ON\r\n" : "移動指導=OFF\r\n";
    text += o.KEIKA ? "経過時間=ON\r\n" : "経過時間=OFF\r\n";
    text += o.BGM ? "BGM=ON\r\n" : "BGM=OFF\r\n";
    return text;
}

FileResult writeDefaults(State& s, const std::filesystem::path& path, std::string_view text) {
    if (replaceFile(path, toCp932(text))) return {};
    FileResult r{false, "環境設定ﾌｧｲﾙを作成できません\n\n" + path.filename().string()};
    s.port.message(r.message, "環境設定", Buttons::Ok);
    return r;
}

}  // namespace

void チェック設定(State& s, int id) {
    for (const Background& b : BACKGROUNDS) {
        s.opt.*b.mark = false;
        s.port.setChecked(b.item, false);
    }
    if (id < 5 || id > 9) return;
    const Background& b = BACKGROUNDS[id - 5];
    s.opt.*b.mark = true;
    s.port.setChecked(b.item, true);
}

FileResult 読込_環境設定ファイル(State& s, const std::filesystem::path& path) {
    WholeFile f = readWholeFile(path, SETTINGS_FILE_MAX_BYTES);
    if (f.status == ReadStatus::Ok) {
        const std::string text = fromCp932(f.bytes);
        LineReader lines(text);
        std::string_view line;
        while (lines.next(line)) applyLine(s, line);
        return {};
    }
    // Most often there is no file yet: start on tatami with the clock and music on.
    FileResult r = writeDefaults(s, path, TATAMI_DEFAULTS);
    チェック設定(s, 6);
    描画_背景(s, 6);
    s.opt.HAIKEI_NO = 6;
    setSidou(s, false);
    setKeika(s, true);
    setBgm(s, true);
    s.port.loopSound(Sound::BGM);
    return r;
}

FileResult 書込_環境設定ファイル(State& s, const std::filesystem::path& path) {
    if (replaceFile(path, toCp932(settingsText(s.opt)))) return {};
    // The background shown stays as it is; only the marks and the file take the defaults.
    チェック設定(s, 5);
    setSidou(s, false);
    setKeika(s, true);
    setBgm(s, true);
    return writeDefaults(s, path, MIDORI_DEFAULTS);
}
